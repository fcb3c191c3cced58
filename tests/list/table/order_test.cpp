// The present order: Sort and Delete, and the current row across them.
#include "table_fixture.hpp"

namespace cbo::testing {
namespace {

class SortedTable : public OpenTable {
protected:
  void SetUp() override {
    OpenTable::SetUp();
    for (Variant codice : {Variant("beta"), Variant("Alfa"), Variant::Null(), Variant("ALFA"), Variant("Èra"),
                           Variant("alfa"), Variant("Zeta")})
      AddRow(codice);
  }
};

using Sorting = SortedTable;

TEST_F(Sorting, AscendingByFoldedCodePointsNullFirstAndStable) {
  table.MoveTo(0);
  table.Sort("codice");
  // The three "alfa" in their earlier order; "è" (U+00E8) after "z".
  EXPECT_EQ(Indices(), (std::vector<std::string>{"3", "2", "4", "6", "1", "7", "5"}));
  EXPECT_EQ(Current(), "1");  // the same row, now elsewhere
  EXPECT_EQ(table.Position(), 4);
  table.Find("Codice like 'a*'", 0);
  EXPECT_EQ(Current(), "EOF");  // forward in the new order: no "a" after "beta"
  AddRow("aaa");
  EXPECT_EQ(Indices().back(), "8");  // added after a sort: at the end
  table.MoveFirst();
  EXPECT_EQ(Current(), "3");
  ExpectError([&] { table.Sort("Prezzo"); }, {"\"Prezzo\""});
}

TEST(SortStability, EqualKeysKeepThePreviousPresentOrder) {
  MemoryRecordset table;
  table.Open("SHAPE APPEND New adVarChar(5) As K, New adVarChar(5) As D, New adVarChar(5) As I");
  const int32_t rows = 60;  // enough for a sort that is not stable to show it
  for (int32_t i = 0; i < rows; ++i) {
    table.AddNew();
    std::string key(i % 2 ? "k" : "K");  // three keys, each in both letter cases
    key += std::to_string(i % 3);
    table.SetField("K", key);
    table.SetField("D", std::to_string(90 - i));  // two digits: sorting by D reverses the rows
    table.SetField("I", Variant(i));
    table.Update();
  }
  table.Sort("D");
  table.Sort("K");
  std::vector<int32_t> expected;
  for (int32_t key = 0; key < 3; ++key)
    for (int32_t i = rows - 1; i >= 0; --i)
      if (i % 3 == key) expected.push_back(i);
  std::vector<int32_t> order;
  for (int32_t p = 0; p < rows; ++p) order.push_back(ToLong(table.ValueAt(p, 2), "I"));
  EXPECT_EQ(order, expected);
}

using Deleting = SortedTable;

TEST_F(Deleting, RemovesTheCurrentRowAndLeavesEof) {
  table.AddNew();
  table.SetField("Codice", "pending");
  table.MoveTo(3);
  table.Delete();
  EXPECT_EQ(Current(), "EOF");
  EXPECT_EQ(table.Position(), -1);
  EXPECT_EQ(Indices(), (std::vector<std::string>{"1", "2", "3", "5", "6", "7"}));
  ExpectError([&] { table.Delete(); }, {"no current row"});
  table.Update();  // the pending row was not disturbed
  EXPECT_EQ(table.Field("Codice"), Variant("pending"));
  EXPECT_EQ(table.Position(), 6);
  table.MoveFirst();
  table.Find("Codice = 'alfa'", 2);
  EXPECT_EQ(Current(), "6");
}

TEST_F(Deleting, EveryRowLeavesAnEmptyTable) {
  for (int i = 0; i < 7; ++i) {
    table.MoveFirst();
    table.Delete();
  }
  table.MoveFirst();
  EXPECT_EQ(Current(), "EOF");
  table.Find("Codice = 'x'");
  EXPECT_EQ(Current(), "EOF");
  AddRow("nuovo");
  EXPECT_EQ(Indices(), (std::vector<std::string>{"8"}));
}

}  // namespace
}  // namespace cbo::testing
