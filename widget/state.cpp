// The widget's state: the design-time settings and the user's choice in one
// QByteArray, as Qt's own views keep theirs. The settings go in the settings
// file's own form (typed, counted and checksummed); the choice by its bound
// value (ListCombo) or its text (the other styles), so that it finds its row
// again in a list filled anew.
#include <QDataStream>
#include <QIODevice>
#include <optional>

#include "platform/error.hpp"
#include "platform/property_file.hpp"
#include "platform/qt/convert.hpp"
#include "widget/cbo_varno_widget.hpp"

namespace cbo {

namespace {

constexpr quint32 kMagic = 0x43424f53;  // "CBOS"
constexpr quint16 kVersion = 1;

}  // namespace

QByteArray CboVarnoWidget::saveState() const {
  PropertyFile settings;
  // Writing the properties reads the control and changes nothing.
  const_cast<CboVarnoWidget*>(this)->control().WriteProperties(settings);
  QByteArray state;
  QDataStream out(&state, QIODevice::WriteOnly);
  out.setVersion(QDataStream::Qt_6_0);
  out << kMagic << kVersion << QByteArray::fromStdString(settings.FileText()) << value() << text();
  return state;
}

bool CboVarnoWidget::restoreState(const QByteArray& state) {
  QDataStream in(state);
  in.setVersion(QDataStream::Qt_6_0);
  quint32 magic = 0;
  quint16 version = 0;
  QByteArray settingsText;
  QString chosenValue;
  QString chosenText;
  in >> magic >> version;
  if (in.status() != QDataStream::Ok || magic != kMagic || version != kVersion) return false;
  in >> settingsText >> chosenValue >> chosenText;
  if (in.status() != QDataStream::Ok || !in.atEnd()) return false;
  // Settings that do not read back whole change nothing.
  std::optional<PropertyFile> settings;
  try {
    settings = PropertyFile::Parse(settingsText.toStdString());
  } catch (const Error&) {
    return false;
  }
  try {
    control().ReadProperties(*settings);
  } catch (const Error& e) {
    // The values read before the refused one stay applied, as loadSettings
    // leaves them.
    NotifyQtNamed(QString());
    emit errorOccurred(QStringLiteral("restoreState"),
                       QString::fromUtf8(KindName(e.kind())) + ": " + QString::fromUtf8(e.what()));
    return false;
  }
  NotifyQtNamed(QString());
  pendingChoice_ = true;
  pendingValue_ = chosenValue;
  pendingText_ = chosenText;
  ApplyPendingChoice();
  return true;
}

void CboVarnoWidget::ApplyPendingChoice() {
  if (!pendingChoice_ || control().Record_Count() == 0) return;
  pendingChoice_ = false;
  if (stileCbo() == ListCombo) {
    if (!pendingValue_.isEmpty()) setValue(pendingValue_);
  } else if (!pendingText_.isEmpty()) {
    setText(pendingText_);
  }
}

}  // namespace cbo
