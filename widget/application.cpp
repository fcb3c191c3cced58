#include "widget/application.hpp"

#include <QApplication>
#include <QPointer>
#include <memory>

#include "platform/error.hpp"
#include "widget/accessibility.hpp"

namespace cbo::widget {

namespace {

// Lives as a child of the application object, so that the state goes when
// the application does; the state goes before the platform it refers to.
class Holder : public QObject {
public:
  explicit Holder(QObject* parent) : QObject(parent), app(std::make_unique<Application>()) {}
  ~Holder() override { app.reset(); }
  std::unique_ptr<Application> app;
};

QPointer<Holder> holder;

}  // namespace

Application& TheApplication() {
  if (!holder) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
      throw Error(ErrorKind::Widget, "CboVarnoWidget: a QApplication must exist before the first control");
    holder = new Holder(QCoreApplication::instance());
    InstallAccessibility();
  }
  return *holder->app;
}

}  // namespace cbo::widget
