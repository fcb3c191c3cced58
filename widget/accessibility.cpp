#include "widget/accessibility.hpp"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTimer>
#include <QToolButton>

#include "grid/frm_griglia.hpp"
#include "platform/qt/grid.hpp"
#include "platform/qt/window.hpp"
#include "widget/accessible_grid.hpp"
#include "widget/application.hpp"
#include "widget/cbo_varno_widget.hpp"

namespace cbo::widget {

namespace {

// The drop-down window's Qt widget while one is prepared.
QWidget* DropDownWindow() {
  Application& app = TheApplication();
  return app.shared.Griglia() ? qt::WidgetOf(app.shared.Griglia()->Form()) : nullptr;
}

// The control is a combo box: its editable text box is its child, its list
// opens and closes through its action and shows as its expanded state.
class AccessibleCbo : public QAccessibleWidget {
public:
  explicit AccessibleCbo(QWidget* w) : QAccessibleWidget(w, QAccessible::ComboBox) {}
  CboVarnoWidget* Cbo() const { return static_cast<CboVarnoWidget*>(widget()); }

  QString text(QAccessible::Text t) const override {
    switch (t) {
      case QAccessible::Name: return AccessibleNameOf(Cbo());
      case QAccessible::Value: return QString::fromStdString(Cbo()->control().Txt_Cbo().Text());
      default: return QAccessibleWidget::text(t);
    }
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    const bool expandable = Cbo()->control().Cmd_List().Visible();
    s.expandable = expandable;
    s.hasPopup = expandable;
    s.expanded = ListOpenFor(Cbo());
    s.collapsed = expandable && !s.expanded;
    s.editable = !Cbo()->control().Txt_Cbo().Locked();
    return s;
  }
  QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation match) const override {
    auto rels = QAccessibleWidget::relations(match);
    QWidget* window = ListOpenFor(Cbo()) ? DropDownWindow() : nullptr;
    if (window && (match & QAccessible::Controlled)) {
      if (QAccessibleInterface* list = QAccessible::queryAccessibleInterface(window))
        rels.append({list, QAccessible::Controlled});
    }
    return rels;
  }
  QStringList actionNames() const override { return {showMenuAction()}; }
  QString localizedActionDescription(const QString& action) const override {
    if (action == showMenuAction()) return CboVarnoWidget::tr("Opens or closes the list");
    return QString();
  }
  QStringList keyBindingsForAction(const QString& action) const override {
    if (action == showMenuAction()) return {QStringLiteral("F4")};
    return {};
  }
  // The drop-down runs its own loop: it is opened and closed once the
  // caller has had its answer.
  void doAction(const QString& action) override {
    if (action != showMenuAction()) return;
    QPointer<CboVarnoWidget> cbo = Cbo();
    QTimer::singleShot(0, cbo, [cbo] {
      if (!cbo) return;
      if (ListOpenFor(cbo)) {
        if (auto* dialog = dynamic_cast<qt::Dialog*>(DropDownWindow())) dialog->Dismiss();
        return;
      }
      QToolButton* button = cbo->findChild<QToolButton*>();
      if (!button) return;
      const QPointF at = QRectF(button->rect()).center();
      QMouseEvent release(QEvent::MouseButtonRelease, at, button->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                          Qt::NoModifier);
      QCoreApplication::sendEvent(button, &release);
    });
  }
};

// The drop-down whose grid `view` is, if it is the one prepared.
std::shared_ptr<FrmGriglia> DropDownOf(const QWidget* view) {
  Application& app = TheApplication();
  if (app.shared.Griglia() && qt::WidgetOf(app.shared.Griglia()->MSF()) == view) return app.shared.Griglia();
  return nullptr;
}

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (!object || !object->isWidgetType()) return nullptr;
  auto* w = static_cast<QWidget*>(object);
  if (className == QLatin1String("cbo::CboVarnoWidget")) return new AccessibleCbo(w);
  // The drop-down's window and grid (the only data grid there is). They are
  // asked for while they are being made and shown, before the control knows
  // it opened them (Qt keeps the first interface it is given for a widget
  // for the widget's life): the interfaces find their list and their
  // control when asked about them.
  if (dynamic_cast<qt::GridView*>(w)) return new AccessibleGrid(w, &DropDownOf);
  if (dynamic_cast<qt::Dialog*>(w)) return new AccessibleDropDown(w);
  return nullptr;
}

}  // namespace

void InstallAccessibility() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(Factory);
}

QWidget* ListOpener() {
  Application& app = TheApplication();
  return app.shared.GrigliaAperta() ? app.opener.data() : nullptr;
}

bool ListOpenFor(QWidget* control) {
  Application& app = TheApplication();
  return app.shared.GrigliaAperta() && app.opener == control;
}

void NoteListOpened(QWidget* control) {
  Application& app = TheApplication();
  app.opener = control;
  QAccessible::State changed;
  changed.expanded = true;
  changed.collapsed = true;
  QAccessibleStateChangeEvent event(control, changed);
  QAccessible::updateAccessibility(&event);
}

void NoteListClosed(QWidget* control) {
  QAccessible::State changed;
  changed.expanded = true;
  changed.collapsed = true;
  QAccessibleStateChangeEvent event(control, changed);
  QAccessible::updateAccessibility(&event);
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
