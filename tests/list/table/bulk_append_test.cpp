// Appending many rows at once: every row or none, and a table that searches,
// sorts and removes as before after a bulk append was dropped.
#include <functional>
#include <string>

#include "table_fixture.hpp"

namespace cbo::testing {
namespace {

using Step = Recordset::RowStep;

class BulkAppend : public OpenTable {
protected:
  // Rows "c<i>" / "d<i>" with index i, for i in [first, last]; row `longAt`'s
  // description is too long; `fail` throws instead of giving row `fail`.
  int64_t Append(int32_t first, int32_t last, int32_t fail = 0, bool giveUp = false,
                 const std::function<void(int32_t)>& meanwhile = {}) {
    int32_t i = first;
    std::string codice, descrizione, indice;
    return table.AppendRows([&](std::vector<std::optional<std::string_view>>& v) {
      if (meanwhile) meanwhile(i);
      if (i > last) return giveUp ? Step::GiveUp : Step::End;
      if (i == fail) throw Error(ErrorKind::Database, "the source broke");
      codice = "c" + std::to_string(i);
      descrizione = i == longAt ? std::string(101, 'x') : "d" + std::to_string(i);
      indice = std::to_string(i);
      v[0] = codice;
      if (i % 5 != 0) v[1] = descrizione;  // every fifth Null
      v[2] = indice;
      ++i;
      return Step::Row;
    });
  }
  int32_t longAt = 14;
  // The first row at or after the first one that matches.
  std::string FindFirst(const std::string& criteria) {
    table.MoveFirst();
    table.Find(criteria);
    return Current();
  }
};

TEST_F(BulkAppend, AppendsEveryRowWithoutMovingTheCurrentRow) {
  AddRow(Variant("a"), Variant("b"));
  table.MoveFirst();
  EXPECT_EQ(Append(2, 6), 5);
  EXPECT_EQ(table.RecordCount(), 6);
  EXPECT_EQ(Current(), "1");
  table.MoveTo(4);
  EXPECT_TRUE(table.Field("Descrizione").IsNull());  // row 5
  EXPECT_EQ(FindFirst("Codice = 'C6'"), "6");
  EXPECT_EQ(FindFirst("_Index_Cmbo_Varno_ = '3'"), "3");
}

TEST_F(BulkAppend, ARefusedValueAFailingSourceOrGivingUpLeavesTheTableAsItWas) {
  // Enough rows for the fields to be searched through their indexes.
  EXPECT_EQ(Append(1, 6), 6);
  table.BuildIndexes(1);  // an index begun, then dropped rows beyond it
  ExpectError([&] { Append(8, 20); }, {"row 7", "\"Descrizione\"", "101 characters"});  // row 14 is too long
  EXPECT_EQ(table.RecordCount(), 6);
  ExpectError([&] { Append(8, 12, 10); }, {"the source broke"}, ErrorKind::Database);
  EXPECT_EQ(Append(8, 13, 0, true), 0);
  EXPECT_EQ(table.RecordCount(), 6);

  // The table goes on as if nothing had been appended: appends, finds,
  // sorts and removals over many rows.
  for (int32_t i = 1000; i < 10000; i += 1000) {
    EXPECT_EQ(Append(i + 1, i + 6), 6);
  }
  while (table.BuildIndexes(1 << 20)) {}
  EXPECT_EQ(FindFirst("Codice like 'c800*'"), "8001");
  EXPECT_EQ(FindFirst("Codice = 'c13'"), "EOF");
  table.Sort("Codice");
  EXPECT_EQ(FindFirst("_Index_Cmbo_Varno_ = '9006'"), "9006");
  table.Delete();
  EXPECT_EQ(FindFirst("Codice like 'c900*'"), "9001");
  EXPECT_EQ(table.RecordCount(), 6 + 9 * 6 - 1);
}

TEST_F(BulkAppend, AnIndexBegunOverRowsThatAreDroppedIsNotUsed) {
  longAt = 0;
  EXPECT_EQ(Append(1, 5000), 5000);
  // A search in the middle of the append begins indexes over rows that the
  // failure then drops.
  ExpectError(
      [&] {
        Append(5001, 9000, 9000, false, [&](int32_t i) {
          if (i == 8000) {
            FindFirst("Codice like 'c79*'");
            table.BuildIndexes(1 << 20);
          }
        });
      },
      {"the source broke"}, ErrorKind::Database);
  EXPECT_EQ(table.RecordCount(), 5000);
  EXPECT_EQ(FindFirst("Codice like 'c79*'"), "79");
  EXPECT_EQ(FindFirst("Codice like 'c7999*'"), "EOF");
  while (table.BuildIndexes(1 << 20)) {}
  EXPECT_EQ(FindFirst("Codice like 'c7999*'"), "EOF");
  EXPECT_EQ(FindFirst("Codice = 'c4999'"), "4999");
}

}  // namespace
}  // namespace cbo::testing
