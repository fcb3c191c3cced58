// The drop-down grid as the user meets it: opened by the button under the
// control, chosen with Enter, cancelled with Escape or a right click, sorted
// by a header click, searched by typing, and placed above the control near
// the screen's bottom edge.
#include <QHeaderView>
#include <QLabel>
#include <algorithm>
#include <QScreen>

#include "fixture.hpp"
#include "grid/frm_griglia.hpp"
#include "platform/error.hpp"
#include "list/list_store.hpp"

using namespace cbo;
using namespace cbo::testing;

namespace {

QString CurrentCell(QTableView* view, int column = 0) {
  return view->model()->index(view->currentIndex().row(), column).data().toString();
}

QLabel* Header(QWidget* grid, const QString& caption) {
  for (QLabel* l : grid->findChildren<QLabel*>()) {
    if (l->isVisible() && l->text() == caption) return l;
  }
  return nullptr;
}

}  // namespace

class GridWindowTest : public QObject {
  Q_OBJECT

private slots:
  void theButtonOpensTheGridUnderTheControlAndEnterChooses() {
    Host h(ListCombo);
    const QPoint frameBottomLeft = h.Frame()->mapToGlobal(QPoint(0, h.Frame()->height()));
    QString chosen;
    const bool ran = WithGridOpen(h, [&](QWidget* grid, QTableView* view) {
      QCOMPARE(grid->pos(), frameBottomLeft);
      // Keys go to the grid as soon as the window is active.
      QCOMPARE(grid->focusWidget(), static_cast<QWidget*>(view));
      QVERIFY(h.shared.GrigliaAperta());
      QVERIFY(view->horizontalHeader()->isVisible());
      QCOMPARE(view->verticalHeader()->width(), 21);
      // The view holds the rows on screen, not the list.
      QCOMPARE(view->model()->rowCount(), view->viewport()->height() / view->rowHeight(0));
      QVERIFY(view->model()->rowCount() < 18);
      QTest::keyClick(view, Qt::Key_Down);
      QTest::keyClick(view, Qt::Key_Down);
      chosen = CurrentCell(view);
      QTest::keyClick(view, Qt::Key_Return);
    });
    QVERIFY(ran);
    QVERIFY(OpenGrid() == nullptr);
    QVERIFY(!h.shared.GrigliaAperta());
    QVERIFY(!chosen.isEmpty());
    QCOMPARE(h.Edit()->text(), chosen);
    QCOMPARE(h.Edit()->selectedText(), chosen);
  }

  void escapeAndARightClickCloseWithoutAChoice() {
    Host h(ListCombo);
    h.control->SetListIndex(3);
    QCOMPARE(h.control->ListIndex(), 3);
    const QString before = h.Edit()->text();
    QVERIFY(WithGridOpen(h, [&](QWidget*, QTableView* view) {
      QTest::keyClick(view, Qt::Key_Down);
      QTest::keyClick(view, Qt::Key_Escape);
    }));
    QCOMPARE(h.Edit()->text(), before);
    QCOMPARE(h.control->ListIndex(), 3);
    QVERIFY(WithGridOpen(h, [&](QWidget*, QTableView* view) {
      QTest::keyClick(view, Qt::Key_Down);
      const QRect row = view->visualRect(view->currentIndex());
      QTest::mouseClick(view->viewport(), Qt::RightButton, Qt::NoModifier, row.center());
    }));
    QVERIFY(OpenGrid() == nullptr);
    QCOMPARE(h.Edit()->text(), before);
    QCOMPARE(h.control->ListIndex(), 3);
  }

  void aLeftClickOnARowChoosesIt() {
    Host h(ListCombo);
    QString clicked;
    QVERIFY(WithGridOpen(h, [&](QWidget*, QTableView* view) {
      const QModelIndex fifth = view->model()->index(4, 0);
      clicked = fifth.data().toString();
      QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->visualRect(fifth).center());
    }));
    QCOMPARE(h.Edit()->text(), clicked);
  }

  void aHeaderClickSortsAndKeepsTheCurrentRow() {
    Host h(ListCombo);
    QStringList order;
    QString currentBefore, currentAfter;
    QVERIFY(WithGridOpen(h, [&](QWidget* grid, QTableView* view) {
      QTest::keyClick(view, Qt::Key_Down);
      currentBefore = CurrentCell(view, 2);  // the hidden index column
      QLabel* header = Header(grid, "Provincia");
      QVERIFY(header);
      QTest::mouseClick(header, Qt::LeftButton, Qt::NoModifier, header->rect().center());
      Recordset& table = h.control->Lista().Tabella();
      for (int r = 0; r < table.RecordCount(); ++r) order << QString::fromStdString(table.ValueAt(r, 1).AsString());
      // The rows on screen are rows of the new order, the current one among them.
      const int top = table.Position() - h.shared.Griglia()->MSF().Row();
      for (int r = 0; r < view->model()->rowCount(); ++r) {
        QCOMPARE(view->model()->index(r, 1).data().toString(), order[top + r]);
      }
      currentAfter = CurrentCell(view, 2);
      QTest::keyClick(view, Qt::Key_Escape);
    }));
    QStringList sorted = order;
    std::stable_sort(sorted.begin(), sorted.end());
    QCOMPARE(order, sorted);
    QCOMPARE(currentAfter, currentBefore);
  }

  void typedSearchFindsTheFirstMatchingRow() {
    Host h(ListCombo);
    QString found, afterMiss;
    QVERIFY(WithGridOpen(h, [&](QWidget*, QTableView* view) {
      QTest::keyClicks(view, "ro");
      found = CurrentCell(view);
      QTest::keyClicks(view, "z");  // nothing starts with "roz": the row stays
      afterMiss = CurrentCell(view);
      QTest::keyClick(view, Qt::Key_Return);
    }));
    QCOMPARE(found, QString("Roma"));
    QCOMPARE(afterMiss, QString("Roma"));
    QCOMPARE(h.Edit()->text(), QString("Roma"));
  }

  void theCurrentRowCountsFromTheTopRowShownAndRowsPastTheLastAreRefused() {
    Host h(ListCombo);
    h.control->SetRows_Count(8);
    QVERIFY(WithGridOpen(h, [&](QWidget*, QTableView* view) {
      IDataGrid& msf = h.shared.Griglia()->MSF();
      Recordset& table = h.control->Lista().Tabella();
      QTest::keyClick(view, Qt::Key_End);
      QCOMPARE(table.Position(), 17);
      // The last eight rows are on screen, the last one current.
      QCOMPARE(view->model()->index(0, 0).data().toString(), QString::fromStdString(table.ValueAt(10, 0).AsString()));
      QCOMPARE(view->currentIndex().row(), 7);
      QCOMPARE(int(msf.Row()), 7);
      msf.SetRow(0);
      QCOMPARE(view->currentIndex().row(), 0);
      QCOMPARE(table.Position(), 10);
      QVERIFY_THROWS_EXCEPTION(cbo::Error, msf.SetRow(8));
      QCOMPARE(table.Position(), 10);
      QTest::keyClick(view, Qt::Key_Escape);
    }));
  }

  void theRowFollowsTheMouseOnceItMoves() {
    Host h(ListCombo);
    int first = -1, followed = -1;
    QVERIFY(WithGridOpen(h, [&](QWidget*, QTableView* view) {
      const int start = view->currentIndex().row();
      // The first report only records where the cursor rests.
      QTest::mouseMove(view->viewport(), view->visualRect(view->model()->index(3, 0)).center());
      first = view->currentIndex().row() == start ? -1 : view->currentIndex().row();
      QTest::mouseMove(view->viewport(), view->visualRect(view->model()->index(5, 0)).center());
      followed = view->currentIndex().row();
      QTest::keyClick(view, Qt::Key_Escape);
    }));
    QCOMPARE(first, -1);
    QCOMPARE(followed, 5);
  }

  // The window is sized from the row height, the row dividers and the header
  // band; the grid must show exactly that many whole rows for each divider.
  void theGridShowsExactlyTheRowsItWasSizedFor() {
    for (int divider : {0, 1, 3}) {
      Host h(ListCombo);
      h.control->SetRows_Count(8);
      h.control->SetSeparatore_Record(divider);
      QVERIFY(WithGridOpen(h, [&](QWidget*, QTableView* view) {
        const int pitch = view->rowHeight(0);
        QCOMPARE(pitch, 15 + (divider == 3 ? 2 : divider == 0 ? 0 : 1));
        QCOMPARE(view->horizontalHeader()->height(), 20);  // 300 twips of header band
        QCOMPARE(view->viewport()->height() / pitch, 8);
        QVERIFY(view->visualRect(view->model()->index(7, 0)).bottom() < view->viewport()->height());
        IGridColumn& comune = h.shared.Griglia()->MSF().Column(0);
        QCOMPARE(comune.Width(), 1500.0f);  // 100 whole pixels
        QCOMPARE(view->columnWidth(0), 100);
        QVERIFY(view->isColumnHidden(2));  // the row index is never shown
        QTest::keyClick(view, Qt::Key_Escape);
      }));
    }
  }

  void withoutHeadersTheBandIsGoneAndAClickAnywhereOnTheRowsChooses() {
    Host h(ListCombo);
    h.control->SetVisualizza_Fields(false);
    QString clicked;
    QVERIFY(WithGridOpen(h, [&](QWidget* grid, QTableView* view) {
      QVERIFY(!view->horizontalHeader()->isVisible());
      QVERIFY(Header(grid, "Comune") == nullptr);
      const QModelIndex first = view->model()->index(0, 0);
      clicked = first.data().toString();
      QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                        view->visualRect(first).topLeft() + QPoint(2, 1));
    }));
    QCOMPARE(h.Edit()->text(), clicked);
  }

  void nearTheBottomEdgeTheGridOpensAboveTheControl() {
    Host h(ListCombo);
    const QRect screen = h.window.screen()->availableGeometry();
    h.window.move(screen.left() + 10, screen.bottom() - 60);
    QApplication::processEvents();
    const QRect frame(h.Frame()->mapToGlobal(QPoint(0, 0)), h.Frame()->size());
    QVERIFY(WithGridOpen(h, [&](QWidget* grid, QTableView* view) {
      // Its bottom edge lies 315 twips (21 pixels) above the control's bottom.
      QVERIFY(qAbs(grid->y() + grid->height() - (frame.bottom() + 1 - 21)) <= 1);
      QVERIFY(grid->y() >= screen.top());
      QTest::keyClick(view, Qt::Key_Escape);
    }));
  }
};

QTEST_MAIN(GridWindowTest)
#include "grid_window_test.moc"
