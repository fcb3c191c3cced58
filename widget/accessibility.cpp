#include "widget/accessibility.hpp"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QRegularExpression>

#include "widget/cbo_varno_widget.hpp"

namespace cbo::widget {

namespace {

class AccessibleCbo : public QAccessibleWidget {
public:
  explicit AccessibleCbo(QWidget* w) : QAccessibleWidget(w, QAccessible::ComboBox) {}
  QString text(QAccessible::Text t) const override {
    auto* cbo = static_cast<CboVarnoWidget*>(widget());
    switch (t) {
      case QAccessible::Name: return AccessibleNameOf(cbo);
      case QAccessible::Value: return QString::fromStdString(cbo->control().Txt_Cbo().Text());
      default: return QAccessibleWidget::text(t);
    }
  }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (className == QLatin1String("cbo::CboVarnoWidget") && object && object->isWidgetType())
    return new AccessibleCbo(static_cast<QWidget*>(object));
  return nullptr;
}

}  // namespace

void InstallAccessibility() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(Factory);
}

QString AccessibleNameOf(QWidget* control) {
  if (!control->accessibleName().isEmpty()) return control->accessibleName();
  QWidget* window = control->window();
  for (QLabel* label : window->findChildren<QLabel*>()) {
    if (label->buddy() == control) {
      QString text = label->text();
      text.remove(QRegularExpression(QStringLiteral("&(?=[^&])")));
      return text.replace(QStringLiteral("&&"), QStringLiteral("&"));
    }
  }
  return QString();
}

}  // namespace cbo::widget
