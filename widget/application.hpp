#pragma once
// The one platform and the one process-wide state that every CboVarnoWidget of
// an application shares: made on first use, destroyed with the application
// object.
#include <QPointer>
#include <QWidget>

#include "grid/process_state.hpp"
#include "platform/qt/qt_platform.hpp"

namespace cbo::widget {

struct Application {
  qt::QtPlatform platform;
  ProcessState shared{platform};
  // The widget whose drop-down was opened last.
  QPointer<QWidget> opener;
};

// A Widget error when no QApplication exists yet.
Application& TheApplication();

}  // namespace cbo::widget
