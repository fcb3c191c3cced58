// The data grid bound to a table: columns, geometry, scrolling, the current
// row both ways, navigation keys and its events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "list/table/memory_recordset.hpp"
#include "platform/error.hpp"
#include "platform/headless/headless.hpp"

namespace cbo::headless {
namespace {

using Log = std::vector<std::string>;

class DataGridTest : public ::testing::Test {
protected:
  DataGridTest() : ownedWindow(platform.CreateWindow()), ownedGrid(platform.CreateDataGrid(*ownedWindow)) {
    window = static_cast<HeadlessWindow*>(ownedWindow.get());
    grid = static_cast<HeadlessDataGrid*>(ownedGrid.get());
    grid->SetHeight(1200);  // header band 200, rows 225 + 15: four rows
    table->Open("SHAPE APPEND New adVarChar(100) As Nome, New adVarChar(100) As _Index_Cmbo_Varno_");
  }
  // Rows "row 1" ... "row n"; the last one added is current.
  void AddRows(int n) {
    for (int i = 1; i <= n; ++i) {
      table->AddNew();
      table->SetField("Nome", "row " + std::to_string(i));
      table->SetField("_Index_Cmbo_Varno_", std::to_string(i));
      table->Update();
    }
  }

  HeadlessPlatform platform;
  std::unique_ptr<IWindow> ownedWindow;
  std::unique_ptr<IDataGrid> ownedGrid;
  HeadlessWindow* window = nullptr;
  HeadlessDataGrid* grid = nullptr;
  std::shared_ptr<MemoryRecordset> table = std::make_shared<MemoryRecordset>();
  Log log;
};

TEST_F(DataGridTest, BindingMakesOneColumnPerFieldWithWholePixelWidths) {
  EXPECT_EQ(grid->ColumnCount(), 0);
  grid->SetDataSource(table);
  ASSERT_EQ(grid->ColumnCount(), 2);
  IGridColumn& c = grid->Column(1);
  EXPECT_EQ(c.DataField(), "_Index_Cmbo_Varno_");
  EXPECT_EQ(c.Width(), 1005);
  c.SetWidth(1000);  // 66.67 pixels
  EXPECT_EQ(c.Width(), 1005);
  c.SetWidth(22.5f);  // exactly 1.5 pixels
  EXPECT_EQ(c.Width(), 30);
  grid->SetRowHeight(250);
  EXPECT_EQ(grid->RowHeight(), 255);
  // The largest lengths a Long carries still round to whole pixels.
  c.SetWidth(2147483647.0f);
  EXPECT_EQ(c.Width(), 2147483655.0f);
  grid->SetRowHeight(2147483647.0f);
  EXPECT_EQ(grid->RowHeight(), 2147483655.0f);
  EXPECT_THROW(c.SetWidth(-1), Error);
  try {
    grid->Column(2);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::SubscriptOutOfRange);
    EXPECT_NE(std::string(e.what()).find('2'), std::string::npos);
  }
}

TEST_F(DataGridTest, VisibleRowsFollowHeaderAndDividers) {
  EXPECT_EQ(grid->VisibleRows(), 4);  // 1000 / 240
  grid->SetColumnHeaders(false);
  EXPECT_EQ(grid->VisibleRows(), 5);
  grid->SetDividerStyle(3);  // 30 twips between rows
  EXPECT_EQ(grid->VisibleRows(), 4);
  grid->SetDividerStyle(0);
  grid->SetColumnHeaders(true);
  grid->SetHeadLines(2);
  EXPECT_EQ(grid->VisibleRows(), 3);  // 800 / 225
  grid->SetHeight(100);
  EXPECT_EQ(grid->VisibleRows(), 0);
  grid->SetRowHeight(0);
  EXPECT_EQ(grid->VisibleRows(), 0);
}

TEST_F(DataGridTest, CurrentRowFollowsTheTableWithTheLeastScroll) {
  AddRows(10);
  grid->SetDataSource(table);
  EXPECT_EQ(grid->TopRow(), 6);
  EXPECT_EQ(grid->Row(), 3);
  table->MoveTo(4);
  EXPECT_EQ(grid->TopRow(), 4);
  table->MoveTo(6);  // still in view
  EXPECT_EQ(grid->TopRow(), 4);
  EXPECT_EQ(grid->Row(), 2);
  table->MoveTo(9);
  grid->SetHeight(700);  // two rows now
  EXPECT_EQ(grid->TopRow(), 8);
  EXPECT_EQ(grid->Row(), 1);
  grid->SetHeight(1200);
  table->Sort("Nome");  // "row 1", "row 10", ...: the current row moves up without a notification
  EXPECT_EQ(table->Position(), 1);
  EXPECT_EQ(grid->Row(), 0);
  EXPECT_EQ(grid->TopRow(), 1);
}

TEST_F(DataGridTest, SetRowMovesTheTableOrIsRefused) {
  AddRows(6);
  grid->SetDataSource(table);
  table->MoveTo(5);  // rows 2..5 shown
  int moves = 0;
  int id = table->Subscribe([&] { ++moves; });
  grid->SetRow(0);
  EXPECT_EQ(table->Position(), 2);
  EXPECT_EQ(moves, 1);
  try {
    grid->SetRow(7);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Widget);
    EXPECT_STREQ(e.what(), "Row: 7 is past the last row shown");
  }
  EXPECT_THROW(grid->SetRow(4), Error);
  EXPECT_THROW(grid->SetRow(-1), Error);
  table->Find("Nome = 'none'");  // to the end
  EXPECT_THROW(grid->Row(), Error);
  table->Unsubscribe(id);
  grid->SetDataSource(nullptr);
  EXPECT_THROW(grid->Row(), Error);
}

TEST_F(DataGridTest, NavigationKeysMoveTheTable) {
  grid->SetDataSource(table);
  grid->UserKey(kDown);  // an empty table: nothing
  AddRows(10);
  std::vector<int32_t> seen;
  int id = table->Subscribe([&] { seen.push_back(table->Position()); });
  for (int16_t key : {kHome, kUp, kDown, kPageDown, kPageDown, kPageDown, kDown, kPageUp, kEnd}) grid->UserKey(key);
  EXPECT_EQ(seen, (std::vector<int32_t>{0, 1, 5, 9, 5, 9}));
  table->Find("Nome = 'none'");
  grid->UserKey(kDown);  // from the end to the first row
  EXPECT_EQ(seen.back(), 0);
  table->Unsubscribe(id);
}

TEST_F(DataGridTest, KeyEventsAndCancelledNavigation) {
  AddRows(3);
  grid->SetDataSource(table);
  table->MoveTo(0);
  GridEvents e;
  e.KeyDown = [&](int16_t& k, int16_t& s) {
    log.push_back("KeyDown " + std::to_string(k) + " " + std::to_string(s));
    k = 0;
  };
  e.KeyPress = [&](int16_t& a) { log.push_back("KeyPress " + std::to_string(a)); };
  grid->SetEvents(e);
  grid->UserKey(kDown);
  grid->UserKey(kEnter);
  grid->UserType(U'é');
  grid->UserType(U'B');
  EXPECT_EQ(log, (Log{"KeyDown 40 0", "KeyDown 13 0", "KeyPress 13", "KeyDown 0 0", "KeyPress 233", "KeyDown 66 1",
                      "KeyPress 66"}));
  EXPECT_EQ(table->Position(), 0);
}

TEST_F(DataGridTest, MouseMovesTheCursorAndEventsStopOnceTheWindowIsUnloaded) {
  window->SetLeft(1500);
  window->SetTop(750);
  grid->SetLeft(30);
  GridEvents e;
  e.MouseMove = [&](int16_t& b, int16_t&, float& x, float& y) {
    log.push_back("Move " + std::to_string(b) + " " + std::to_string(int(x)) + " " + std::to_string(int(y)));
  };
  e.MouseDown = [&](int16_t& b, int16_t&, float& x, float&) {
    log.push_back("Down " + std::to_string(b) + " " + std::to_string(int(x)));
    window->Unload();  // the click closes the window
  };
  e.MouseUp = [&](int16_t&, int16_t&, float&, float&) { log.push_back("Up"); };
  e.LayoutChanged = [&] { log.push_back("Layout"); };
  grid->SetEvents(e);
  grid->UserLayout();
  grid->UserMove(300, 450);
  EXPECT_EQ(platform.CursorX(), 1830);
  EXPECT_EQ(platform.CursorY(), 1200);
  grid->UserClick(2);
  grid->UserLayout();
  EXPECT_EQ(log, (Log{"Layout", "Move 0 300 450", "Down 2 300"}));
}

TEST_F(DataGridTest, RebindingOrDestroyingStopsListeningToTheTable) {
  AddRows(8);
  grid->SetDataSource(table);
  auto other = std::make_shared<MemoryRecordset>();
  other->Open("SHAPE APPEND New adVarChar(10) As X");
  grid->SetDataSource(other);
  EXPECT_EQ(grid->ColumnCount(), 1);
  ownedGrid.reset();
  table->MoveTo(0);  // reaches no grid (the sanitizer would tell)
}

}  // namespace
}  // namespace cbo::headless
