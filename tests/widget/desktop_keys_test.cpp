// The desktop's own keys and clicks on the drop-down: F4 and Alt+Down open
// it, F4, Alt+Up and Escape close it without a choice, a click outside it
// closes it and leaves the form usable, and a header click marks the column
// it sorts and searches. Every key still reaches the host.
#include <QSignalSpy>

#include "form.hpp"
#include "platform/qt/widgets.hpp"

using namespace cbo;
using namespace cbo::testing;

namespace {

// A click as the windowing system delivers it, to the window under the
// point: an open popup sees it first.
void SystemClick(QWidget* target) {
  QWidget* top = target->window();
  const QPoint at = target->mapTo(top, target->rect().center());
  QTest::mouseClick(top->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
}

QString Current(QTableView* view) { return view->model()->index(view->currentIndex().row(), 0).data().toString(); }

qt::Label* Header(QTableView* view, const QString& caption) {
  for (auto* l : view->window()->findChildren<qt::Label*>()) {
    if (l->isVisible() && l->text() == caption) return l;
  }
  return nullptr;
}

}  // namespace

class DesktopKeysTest : public QObject {
  Q_OBJECT

private slots:
  // Each way of closing leaves the text as it was, whatever row was current.
  void theDesktopKeysOpenAndCloseWithoutAChoice_data() {
    QTest::addColumn<int>("openKey");
    QTest::addColumn<int>("openModifiers");
    QTest::addColumn<int>("closeKey");
    QTest::addColumn<int>("closeModifiers");
    QTest::newRow("F4, F4") << int(Qt::Key_F4) << 0 << int(Qt::Key_F4) << 0;
    QTest::newRow("Alt+Down, Alt+Up") << int(Qt::Key_Down) << int(Qt::AltModifier) << int(Qt::Key_Up)
                                      << int(Qt::AltModifier);
    QTest::newRow("F4, Escape") << int(Qt::Key_F4) << 0 << int(Qt::Key_Escape) << 0;
    QTest::newRow("Down, Alt+Up") << int(Qt::Key_Down) << 0 << int(Qt::Key_Up) << int(Qt::AltModifier);
  }
  void theDesktopKeysOpenAndCloseWithoutAChoice() {
    QFETCH(int, openKey);
    QFETCH(int, openModifiers);
    QFETCH(int, closeKey);
    QFETCH(int, closeModifiers);
    Form f(CboVarnoWidget::ListCombo);
    f.cbo->setListIndex(3);
    const QString before = f.Edit()->text();
    f.Edit()->setFocus();
    QList<int> hostKeys;
    bool openWhenHeard = true;
    connect(f.cbo, &CboVarnoWidget::keyDown, f.cbo, [&](int* code, Qt::KeyboardModifiers) {
      if (*code >= 16 && *code <= 18) return;  // the modifier keys themselves
      hostKeys << *code;
      openWhenHeard = OpenGrid() != nullptr;
    });
    QString moved;
    const bool ran =
        WhileOpen([&] { QTest::keyClick(f.Edit(), Qt::Key(openKey), Qt::KeyboardModifiers(openModifiers)); },
                  [&](QTableView* view) {
                    QTest::keyClick(view, Qt::Key_Down);
                    QTest::keyClick(view, Qt::Key_Down);
                    moved = Current(view);
                    QTest::keyClick(view, Qt::Key(closeKey), Qt::KeyboardModifiers(closeModifiers));
                    QVERIFY2(OpenGrid() == nullptr, "the key did not close the drop-down");
                  });
    QVERIFY(ran);
    QVERIFY(moved != before);
    QCOMPARE(f.Edit()->text(), before);
    QCOMPARE(f.cbo->listIndex(), 3);
    // The opening key reached the host too, after the drop-down had closed.
    const int code = openKey == Qt::Key_F4 ? 115 : 40;
    QCOMPARE(hostKeys, QList<int>{code});
    QVERIFY(!openWhenHeard);
  }

  void alt_F4AndTheOtherFunctionKeysOpenNothing() {
    Form f(CboVarnoWidget::ComboBox);
    f.Edit()->setFocus();
    for (auto [key, mods] : {std::pair{Qt::Key_F4, Qt::AltModifier}, std::pair{Qt::Key_F3, Qt::NoModifier}}) {
      bool opened = false;
      QTimer::singleShot(0, [&] {
        if (QTableView* view = OpenGrid()) {
          opened = true;
          QTest::keyClick(view, Qt::Key_Escape);
        }
      });
      QTest::keyClick(f.Edit(), key, mods);
      QCoreApplication::processEvents();
      QVERIFY(!opened);
    }
  }

  void f4OpensNothingWhereTheButtonIsHidden() {
    Form f(CboVarnoWidget::TextBox);
    f.Edit()->setFocus();
    bool opened = false;
    QTimer::singleShot(0, [&] {
      if (QTableView* view = OpenGrid()) {
        opened = true;
        QTest::keyClick(view, Qt::Key_Escape);
      }
    });
    QTest::keyClick(f.Edit(), Qt::Key_F4);
    QCoreApplication::processEvents();
    QVERIFY(!opened);
  }

  // The drop-down blocks nothing: a click elsewhere on the form closes it
  // without a choice, and the form takes clicks and keys at once.
  void aClickOutsideClosesWithoutAChoiceAndTheFormStaysUsable() {
    Form f(CboVarnoWidget::ListCombo);
    f.cbo->setListIndex(5);
    const QString before = f.Edit()->text();
    QSignalSpy chosen(f.cbo, &CboVarnoWidget::rowChosen);
    const bool ran = WithGridOpen(f, [&](QTableView* view) {
      chosen.clear();
      QTest::keyClick(view, Qt::Key_Down);
      SystemClick(f.after);
      QVERIFY2(OpenGrid() == nullptr, "a click outside did not close the drop-down");
    });
    QVERIFY(ran);
    QCOMPARE(f.Edit()->text(), before);
    QCOMPARE(f.cbo->listIndex(), 5);
    QCOMPARE(chosen.count(), 0);
    SystemClick(f.after);
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QTRY_VERIFY(f.after->hasFocus());
    QTest::keyClicks(f.after, QStringLiteral("ok"));
    QCOMPARE(f.after->text(), QStringLiteral("ok"));
  }

  // A click on the form's own window outside the control, and one on the
  // control's button, close the drop-down as well; the list opens again.
  void aClickOnTheButtonOrTheFormClosesAndTheListOpensAgain() {
    Form f(CboVarnoWidget::ComboBox);
    for (QWidget* target : {static_cast<QWidget*>(f.Button()), static_cast<QWidget*>(f.label)}) {
      QVERIFY(WithGridOpen(f, [&](QTableView*) {
        SystemClick(target);
        QVERIFY(OpenGrid() == nullptr);
      }));
    }
    QVERIFY(WithGridOpen(f, [&](QTableView* view) { QTest::keyClick(view, Qt::Key_Escape); }));
  }

  // The clicked header shows the style's sort arrow when it sorts and the
  // mark of the searched column in every case; one header at a time.
  void theClickedHeaderShowsTheSortAndTheSearchedColumn() {
    Form f(CboVarnoWidget::ComboBox, false);
    CboVarno& c = f.cbo->control();
    c.AddField("Place", "Place", true, 1500, 2, "", 0, false, false, true);
    c.AddField("Code", "Code", true, 900, 2, "", 0, false, false, false);
    for (int i = 0; i < kPlaceCount; ++i) {
      c.ListItem("Place", Variant(std::string(kPlaces[i])));
      c.ListItem("Code", Variant(std::to_string(1000 + i)));
      c.AddItem();
    }
    f.cbo->setText_Column(QStringLiteral("Place"));
    QVERIFY(WithGridOpen(f, [&](QTableView* view) {
      qt::Label* place = Header(view, QStringLiteral("Place"));
      qt::Label* code = Header(view, QStringLiteral("Code"));
      QVERIFY(place && code);
      QVERIFY(!place->Searched() && !code->Searched());
      const QImage plain = place->grab().toImage();
      QTest::mouseClick(place, Qt::LeftButton, Qt::NoModifier, place->rect().center());
      QVERIFY(place->Sorted());
      QVERIFY(place->Searched());
      QVERIFY(place->grab().toImage() != plain);
      QVERIFY(view->model()->index(0, 0).data().toString() < view->model()->index(1, 0).data().toString());
      // The unsortable column: searched, not sorted; the first loses both.
      QTest::mouseClick(code, Qt::LeftButton, Qt::NoModifier, code->rect().center());
      QVERIFY(code->Searched());
      QVERIFY(!code->Sorted());
      QVERIFY(!place->Searched() && !place->Sorted());
      QCOMPARE(place->grab().toImage(), plain);
      QTest::keyClick(view, Qt::Key_Escape);
    }));
  }
};

QTEST_MAIN(DesktopKeysTest)
#include "desktop_keys_test.moc"
