// rowChosen: one signal each time a row becomes the control's choice and is
// shown in the text box, whichever way it was chosen, carrying the row's
// index; and the control's own events as they were.
#include <QSignalSpy>

#include "form.hpp"

using namespace cbo;
using namespace cbo::testing;

namespace {

QList<int> Indexes(const QSignalSpy& spy) {
  QList<int> out;
  for (const QList<QVariant>& call : spy) out << call.at(0).toInt();
  return out;
}

// The place in the row whose index the signal carried.
QString PlaceOf(int listIndex) { return listIndex >= 1 && listIndex <= kPlaceCount ? kPlaces[listIndex - 1] : ""; }

}  // namespace

class RowChosenTest : public QObject {
  Q_OBJECT

private slots:
  void aPickInTheDropDownIsOneSignalWithThatRow_data() {
    QTest::addColumn<int>("stile");
    QTest::addColumn<int>("downs");
    QTest::newRow("ComboBox") << int(CboVarnoWidget::ComboBox) << 2;
    QTest::newRow("ListCombo") << int(CboVarnoWidget::ListCombo) << 3;
  }
  void aPickInTheDropDownIsOneSignalWithThatRow() {
    QFETCH(int, stile);
    QFETCH(int, downs);
    Form f(static_cast<CboVarnoWidget::StileCbo>(stile));
    QSignalSpy chosen(f.cbo, &CboVarnoWidget::rowChosen);
    QString picked;
    QVERIFY(WithGridOpen(f, [&](QTableView* view) {
      chosen.clear();  // opening may put the table back on the current row
      for (int i = 0; i < downs; ++i) QTest::keyClick(view, Qt::Key_Down);
      picked = view->model()->index(view->currentIndex().row(), 0).data().toString();
      QCOMPARE(chosen.count(), 0);  // moving inside the drop-down chooses nothing yet
      QTest::keyClick(view, Qt::Key_Return);
    }));
    QCOMPARE(f.Edit()->text(), picked);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(PlaceOf(chosen.at(0).at(0).toInt()), picked);
  }

  void theSameRowPickedInTwoControlsIsAChoiceInEach() {
    Form f(CboVarnoWidget::ListCombo);
    auto* second = new CboVarnoWidget(&f.window);
    f.window.layout()->addWidget(second);
    second->setStileCbo(CboVarnoWidget::ListCombo);
    second->control().AddField("Place");
    for (int i = 0; i < kPlaceCount; ++i) {
      second->control().ListItem("Place", Variant(std::string(kPlaces[i])));
      second->control().AddItem();
    }
    QVERIFY(WithGridOpen(f, [&](QTableView* view) {
      QTest::keyClick(view, Qt::Key_Down);
      QTest::keyClick(view, Qt::Key_Return);
    }));
    QCOMPARE(f.Edit()->text(), QString("Rovigo"));
    QSignalSpy chosen(second, &CboVarnoWidget::rowChosen);
    auto* button = second->findChild<QToolButton*>();
    QTimer::singleShot(0, [&] {
      if (QTableView* view = OpenGrid()) {
        QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key_Return);
      }
    });
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
    QCOMPARE(qobject_cast<QLineEdit*>(second->focusProxy())->text(), QString("Rovigo"));
    QCOMPARE(Indexes(chosen), QList<int>({IndexOf("Rovigo")}));
  }

  void aClickOnARowIsOneSignalAndEscapeNone() {
    Form f(CboVarnoWidget::ListCombo);
    QSignalSpy chosen(f.cbo, &CboVarnoWidget::rowChosen);
    QVERIFY(WithGridOpen(f, [&](QTableView* view) {
      chosen.clear();
      QTest::keyClick(view, Qt::Key_Down);
      QTest::keyClick(view, Qt::Key_Escape);
    }));
    QCOMPARE(chosen.count(), 0);
    QString clicked;
    QVERIFY(WithGridOpen(f, [&](QTableView* view) {
      chosen.clear();
      const QModelIndex fifth = view->model()->index(4, 0);
      clicked = fifth.data().toString();
      QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->visualRect(fifth).center());
    }));
    QCOMPARE(Indexes(chosen), QList<int>({IndexOf(clicked.toUtf8().constData())}));
  }

  void typeAheadInListComboChoosesOnceAKeystroke() {
    Form f(CboVarnoWidget::ListCombo);
    QSignalSpy chosen(f.cbo, &CboVarnoWidget::rowChosen);
    QTest::keyClick(f.Edit(), Qt::Key_M);
    QCOMPARE(f.Edit()->text(), QString("Milano"));
    QCOMPARE(Indexes(chosen), QList<int>({IndexOf("Milano")}));
    chosen.clear();
    QTest::keyClicks(f.Edit(), "on");
    QCOMPARE(f.Edit()->text(), QString("Monza"));
    QVERIFY(!chosen.isEmpty());
    QVERIFY(chosen.count() <= 2);
    QCOMPARE(chosen.last().at(0).toInt(), IndexOf("Monza"));
  }

  void anExactMatchInComboBoxChoosesThatRow() {
    Form f(CboVarnoWidget::ComboBox);
    QSignalSpy chosen(f.cbo, &CboVarnoWidget::rowChosen);
    QTest::keyClicks(f.Edit(), "Bari");
    QCOMPARE(f.Edit()->text(), QString("Bari"));
    QVERIFY(!chosen.isEmpty());
    QCOMPARE(chosen.last().at(0).toInt(), IndexOf("Bari"));
    // Free text that matches no row chooses nothing.
    chosen.clear();
    f.cbo->setText(QStringLiteral("Zzz"));
    QCOMPARE(chosen.count(), 0);
  }

  void valueAndListIndexSetByTheHostChooseOnce() {
    Form f(CboVarnoWidget::ListCombo);
    QSignalSpy chosen(f.cbo, &CboVarnoWidget::rowChosen);
    f.cbo->setValue(QStringLiteral("1009"));  // Torino's code
    QCOMPARE(f.Edit()->text(), QString("Torino"));
    QCOMPARE(Indexes(chosen), QList<int>({IndexOf("Torino")}));
    chosen.clear();
    f.cbo->setListIndex(IndexOf("Como"));
    QCOMPARE(f.Edit()->text(), QString("Como"));
    QCOMPARE(Indexes(chosen), QList<int>({IndexOf("Como")}));
    // A value that no row has falls back on the first row.
    chosen.clear();
    f.cbo->setValue(QStringLiteral("no such code"));
    QCOMPARE(f.Edit()->text(), QString("Roma"));
    QCOMPARE(Indexes(chosen), QList<int>({IndexOf("Roma")}));
  }

  void valueAndListIndexChooseNothingOutsideListCombo() {
    // Value and ListIndex act in ListCombo only.
    Form f(CboVarnoWidget::ComboBox);
    QSignalSpy chosen(f.cbo, &CboVarnoWidget::rowChosen);
    f.cbo->setValue(QStringLiteral("1009"));
    f.cbo->setListIndex(IndexOf("Como"));
    QCOMPARE(chosen.count(), 0);
  }

  void theControlsOwnEventsStayAsTheyWere() {
    // In ListCombo a pick in the drop-down raises no Change, with or without
    // the new signal.
    Form f(CboVarnoWidget::ListCombo);
    QSignalSpy changes(f.cbo, &CboVarnoWidget::changed);
    QSignalSpy chosen(f.cbo, &CboVarnoWidget::rowChosen);
    QVERIFY(WithGridOpen(f, [&](QTableView* view) {
      changes.clear();
      QTest::keyClick(view, Qt::Key_Down);
      QTest::keyClick(view, Qt::Key_Return);
    }));
    QCOMPARE(changes.count(), 0);
    QVERIFY(!chosen.isEmpty());
  }
};

QTEST_MAIN(RowChosenTest)
#include "row_chosen_test.moc"
