// A long list in the drop-down grid: the view holds only the rows on screen,
// and the scroll bar, the wheel, the page keys, the mouse and a header sort
// reach every row down to the last one.
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QWheelEvent>

#include "fixture.hpp"
#include "grid/frm_griglia.hpp"
#include "list/list_store.hpp"

using namespace cbo;
using namespace cbo::testing;

namespace {

constexpr int kRows = 3000;
constexpr int kShown = 8;

QString Text(Recordset& table, int position, int field = 0) {
  return QString::fromStdString(table.ValueAt(position, field).AsString());
}

// The table position of the first row on screen: the row whose text the
// view's first row shows, by the hidden index (every index is unique).
int TopPosition(Recordset& table, QTableView* view) {
  const QString index = view->model()->index(0, 2).data().toString();
  for (int p = 0; p < table.RecordCount(); ++p)
    if (Text(table, p, 2) == index) return p;
  return -1;
}

void Wheel(QTableView* view, int notches) {
  const QPointF at = view->viewport()->rect().center();
  QWheelEvent wheel(at, view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120 * notches), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(view->viewport(), &wheel);
}

}  // namespace

class GridScrollTest : public QObject {
  Q_OBJECT

private slots:
  void endShowsTheLastRowsWithTheScrollBarAtItsEnd() {
    Host h(ListCombo, kRows);
    h.control->SetRows_Count(kShown);
    QVERIFY(WithGridOpen(h, [&](QWidget*, QTableView* view) {
      Recordset& table = h.control->Lista().Tabella();
      // No Qt structure holds a row that is not on screen.
      QCOMPARE(view->model()->rowCount(), kShown);
      QCOMPARE(view->verticalHeader()->count(), kShown);
      QScrollBar* bar = view->verticalScrollBar();
      QVERIFY(bar->isVisible());
      QCOMPARE(bar->maximum(), kRows - kShown);
      QTest::keyClick(view, Qt::Key_End);
      QCOMPARE(table.Position(), kRows - 1);
      QCOMPARE(bar->value(), kRows - kShown);
      QCOMPARE(view->model()->index(kShown - 1, 0).data().toString(), Text(table, kRows - 1));
      QCOMPARE(view->currentIndex().row(), kShown - 1);
      QCOMPARE(int(h.shared.Griglia()->MSF().Row()), kShown - 1);
      // The record selector marks the current row, on its row of the window.
      QCOMPARE(view->model()->headerData(kShown - 1, Qt::Vertical).toString(), QStringLiteral("\u25B8"));
      QCOMPARE(view->model()->headerData(0, Qt::Vertical).toString(), QString());
      // Right to left the selectors are on the right: the mark points left.
      view->setLayoutDirection(Qt::RightToLeft);
      QCOMPARE(view->model()->headerData(kShown - 1, Qt::Vertical).toString(), QStringLiteral("\u25C2"));
      view->setLayoutDirection(Qt::LeftToRight);
      QTest::keyClick(view, Qt::Key_Home);
      QCOMPARE(table.Position(), 0);
      QCOMPARE(bar->value(), 0);
      QTest::keyClick(view, Qt::Key_Escape);
    }));
  }

  void theScrollBarMovesTheWindowAndAClickChoosesARowThere() {
    Host h(ListCombo, kRows);
    h.control->SetRows_Count(kShown);
    QString clicked;
    QVERIFY(WithGridOpen(h, [&](QWidget*, QTableView* view) {
      Recordset& table = h.control->Lista().Tabella();
      const int before = table.Position();
      QScrollBar* bar = view->verticalScrollBar();
      bar->triggerAction(QAbstractSlider::SliderToMaximum);
      QCOMPARE(TopPosition(table, view), kRows - kShown);
      QCOMPARE(view->model()->index(kShown - 1, 2).data().toString(), Text(table, kRows - 1, 2));
      // Scrolling moves no row: the current one is off screen, nothing is highlighted.
      QCOMPARE(table.Position(), before);
      QVERIFY(!view->currentIndex().isValid());
      const QModelIndex last = view->model()->index(kShown - 1, 0);
      clicked = last.data().toString();
      QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->visualRect(last).center());
    }));
    QCOMPARE(h.Edit()->text(), clicked);
    QCOMPARE(h.control->ListIndex(), kRows);
  }

  void theWheelAndThePageKeysScrollTheWindow() {
    Host h(ListCombo, kRows);
    h.control->SetRows_Count(kShown);
    QVERIFY(WithGridOpen(h, [&](QWidget*, QTableView* view) {
      Recordset& table = h.control->Lista().Tabella();
      QScrollBar* bar = view->verticalScrollBar();
      const int lines = QApplication::wheelScrollLines();
      Wheel(view, 2);
      QCOMPARE(bar->value(), 2 * lines);
      QCOMPARE(TopPosition(table, view), 2 * lines);
      Wheel(view, -1);
      QCOMPARE(TopPosition(table, view), lines);
      // A page key brings the current row back into view and moves it a page.
      table.MoveFirst();
      QCOMPARE(TopPosition(table, view), 0);
      QTest::keyClick(view, Qt::Key_PageDown);
      QCOMPARE(table.Position(), kShown);
      QCOMPARE(TopPosition(table, view), 1);  // the row just below the page, at the bottom
      QTest::keyClick(view, Qt::Key_PageDown);
      QCOMPARE(table.Position(), 2 * kShown);
      QTest::keyClick(view, Qt::Key_PageUp);
      QCOMPARE(table.Position(), kShown);
      QCOMPARE(TopPosition(table, view), kShown);  // at the top edge now
      QTest::keyClick(view, Qt::Key_Up);
      QCOMPARE(TopPosition(table, view), kShown - 1);
      QCOMPARE(view->currentIndex().row(), 0);
      QTest::keyClick(view, Qt::Key_Escape);
    }));
  }

  void theRowFollowsTheMouseInAScrolledWindow() {
    Host h(ListCombo, kRows);
    h.control->SetRows_Count(kShown);
    QVERIFY(WithGridOpen(h, [&](QWidget*, QTableView* view) {
      Recordset& table = h.control->Lista().Tabella();
      view->verticalScrollBar()->setSliderPosition(1234);  // dragged there
      QCOMPARE(TopPosition(table, view), 1234);
      // The first report only records where the cursor rests; the second follows.
      QTest::mouseMove(view->viewport(), view->visualRect(view->model()->index(2, 0)).center());
      QTest::mouseMove(view->viewport(), view->visualRect(view->model()->index(5, 0)).center());
      QCOMPARE(table.Position(), 1234 + 5);
      QCOMPARE(view->currentIndex().row(), 5);
      QTest::keyClick(view, Qt::Key_Escape);
    }));
  }

  void aHeaderSortDeepInTheListKeepsTheCurrentRowOnScreen() {
    Host h(ListCombo, kRows);
    h.control->SetRows_Count(kShown);
    QVERIFY(WithGridOpen(h, [&](QWidget* grid, QTableView* view) {
      Recordset& table = h.control->Lista().Tabella();
      table.MoveTo(2500);
      const QString index = Text(table, 2500, 2);
      QLabel* header = nullptr;
      for (QLabel* l : grid->findChildren<QLabel*>())
        if (l->isVisible() && l->text() == "Provincia") header = l;
      QVERIFY(header);
      QTest::mouseClick(header, Qt::LeftButton, Qt::NoModifier, header->rect().center());
      QCOMPARE(Text(table, table.Position(), 2), index);
      QVERIFY(view->currentIndex().isValid());
      QCOMPARE(view->model()->index(view->currentIndex().row(), 2).data().toString(), index);
      QTest::keyClick(view, Qt::Key_Escape);
    }));
  }
};

QTEST_MAIN(GridScrollTest)
#include "grid_scroll_test.moc"
