// An application that loads a form made in Designer at run time, with
// QUiLoader and the Designer plugin, and uses the controls the plugin made as
// its own: finds one with findChild<cbo::CboVarnoWidget*>, fills it and lets
// the user pick a row in its drop-down. It links the widget's library, as the
// plugin does; the two share one copy of it, or findChild finds nothing.
//   ui-form-app <folder of the Designer plugin> <form.ui>
// Exits 0 when all of it worked, 1 with the reason otherwise.
#include <QApplication>
#include <QFile>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QUiLoader>
#include <cstdio>
#include <memory>
#include <torb_cbo/cbo_varno_widget.hpp>

namespace {

int Fail(const char* why) {
  std::fprintf(stderr, "ui-form-app: %s\n", why);
  return 1;
}

QTableView* OpenGrid() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible())
      if (auto* view = w->findChild<QTableView*>()) return view;
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) return Fail("usage: ui-form-app <plugin folder> <form.ui>");
  QUiLoader loader;
  loader.addPluginPath(QString::fromLocal8Bit(argv[1]));
  QFile ui(QString::fromLocal8Bit(argv[2]));
  if (!ui.open(QIODevice::ReadOnly)) return Fail("the form cannot be read");
  std::unique_ptr<QWidget> form(loader.load(&ui));
  if (!form) return Fail(qPrintable(loader.errorString()));

  auto* city = form->findChild<cbo::CboVarnoWidget*>(QStringLiteral("city"));
  if (!city) return Fail("findChild<cbo::CboVarnoWidget*> does not find the control the plugin made");
  if (city->stileCbo() != cbo::CboVarnoWidget::ListCombo) return Fail("the form's StileCbo did not reach the control");

  city->control().AddField("Name", "City", true, 1500);
  city->control().AddField("Code", "Code", true, 900);
  const char* const names[] = {"Asti", "Biella", "Cuneo", "Novara"};
  for (int i = 0; i < 4; ++i) {
    city->control().ListItem("Name", cbo::Variant(std::string(names[i])));
    city->control().ListItem("Code", cbo::Variant("C" + std::to_string(i + 1)));
    city->control().AddItem();
  }
  city->setBound_Column(QStringLiteral("Code"));
  int chosen = 0;
  QObject::connect(city, &cbo::CboVarnoWidget::rowChosen, city, [&chosen](int) { ++chosen; });

  form->show();
  form->activateWindow();
  QApplication::setActiveWindow(form.get());
  // The drop-down's loop runs inside the key that opens it: the user's keys
  // in it are queued before.
  bool opened = false;
  QTimer::singleShot(0, [&opened] {
    if (QTableView* view = OpenGrid()) {
      opened = true;
      QTest::keyClick(view, Qt::Key_Down);
      QTest::keyClick(view, Qt::Key_Down);
      QTest::keyClick(view, Qt::Key_Return);
    }
  });
  QTest::keyClick(city->focusProxy(), Qt::Key_F4);
  if (!opened) return Fail("F4 did not open the drop-down");
  if (city->text() != QStringLiteral("Cuneo") || city->value() != QStringLiteral("C3") || chosen != 1)
    return Fail(qPrintable(QStringLiteral("the pick was not the control's choice: text %1, value %2, %3 signals")
                               .arg(city->text(), city->value())
                               .arg(chosen)));
  std::printf("ui-form-app: ok (%s, %s)\n", qPrintable(city->text()), qPrintable(city->value()));
  return 0;
}
