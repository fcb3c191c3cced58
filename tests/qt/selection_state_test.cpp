// The choice with real widgets: a table standing on no row is a state the
// user never hears of, and closing the drop-down without a choice gives the
// text box back as it was.
#include <QLabel>
#include <QSignalSpy>

#include "fixture.hpp"
#include "list/list_store.hpp"

using namespace cbo;
using namespace cbo::testing;

namespace {

// How many Change events (number 9) a spy on eventRaised has seen.
int Changes(const QSignalSpy& events) {
  int n = 0;
  for (const QList<QVariant>& e : events) n += e.at(0).toInt() == 9;
  return n;
}

QLabel* Header(QWidget* grid, const QString& caption) {
  for (QLabel* l : grid->findChildren<QLabel*>()) {
    if (l->isVisible() && l->text() == caption) return l;
  }
  return nullptr;
}

}  // namespace

class SelectionStateTest : public QObject {
  Q_OBJECT

private slots:
  void noCurrentRowNeverFailsTheUser() {
    Host h(ComboBox);
    QSignalSpy errors(h.container, &qt::QtContainer::handlerError);
    // Nothing chosen yet: a cancel leaves the table on no row.
    QVERIFY(WithGridOpen(h, [&](QWidget*, QTableView* view) { QTest::keyClick(view, Qt::Key_Escape); }));
    QVERIFY(h.control->Lista().Rcset_Cbo()->Eof());
    QVERIFY(WithGridOpen(h, [&](QWidget* grid, QTableView* view) {
      QLabel* comune = Header(grid, "Comune");
      QVERIFY(comune);
      QTest::mouseClick(comune, Qt::LeftButton, Qt::NoModifier, comune->rect().center());
      QVERIFY(h.shared.GrigliaAperta());
      QVERIFY(h.control->Lista().Rcset_Cbo()->Eof());  // sorted, still on no row
      QTest::keyClick(view, Qt::Key_Return);           // a close without a choice
    }));
    QCOMPARE(h.Edit()->text(), QString());
    QVERIFY(WithGridOpen(h, [&](QWidget*, QTableView* view) {
      QTest::keyClicks(view, "Na");  // typed search works from no row
      QCOMPARE(view->model()->index(view->currentIndex().row(), 0).data().toString(), QString("Napoli"));
      QTest::keyClick(view, Qt::Key_Escape);
    }));
    QCOMPARE(errors.count(), 0);
    QVERIFY(h.control->Lista().Rcset_Cbo()->Eof());
    // Type-ahead completes from no row.
    h.Edit()->setFocus();
    QTest::keyClicks(h.Edit(), "Mi");
    QCOMPARE(h.Edit()->text(), QString("Milano"));
    QCOMPARE(h.Edit()->selectedText(), QString("lano"));
    QCOMPARE(errors.count(), 0);
  }

  void aCancelGivesTheTextBoxBackAsItWas() {
    Host h(ComboBox);
    QSignalSpy events(h.container, &qt::QtContainer::eventRaised);
    h.Edit()->setFocus();
    QTest::keyClicks(h.Edit(), "Ro");
    QCOMPARE(h.Edit()->text(), QString("Roma"));
    QCOMPARE(h.Edit()->selectedText(), QString("ma"));
    const int changesBefore = Changes(events);
    QVERIFY(WithGridOpen(h, [&](QWidget*, QTableView* view) {
      QTest::keyClick(view, Qt::Key_Down);
      QTest::keyClick(view, Qt::Key_Down);
      QCOMPARE(h.Edit()->text(), QString("Roma"));  // moving in the grid chooses nothing
      QTest::keyClick(view, Qt::Key_Escape);
    }));
    QCOMPARE(h.Edit()->text(), QString("Roma"));
    QCOMPARE(h.Edit()->selectedText(), QString("ma"));
    QCOMPARE(Changes(events), changesBefore);
    // A confirmed choice commits once.
    QVERIFY(WithGridOpen(h, [&](QWidget*, QTableView* view) {
      QTest::keyClick(view, Qt::Key_Down);
      QTest::keyClick(view, Qt::Key_Return);
    }));
    QCOMPARE(h.Edit()->text(), QString("Rovigo"));
    QCOMPARE(Changes(events), changesBefore + 1);
  }
};

QTEST_MAIN(SelectionStateTest)
#include "selection_state_test.moc"
