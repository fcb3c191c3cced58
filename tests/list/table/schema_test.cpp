// Opening a table from the schema command; the closed table; field names.
#include "table_fixture.hpp"

namespace cbo::testing {
namespace {

TEST(SchemaCommand, GivesTheFieldsInOrderWithFreeBlanksAndKeywordCase) {
  MemoryRecordset table;
  EXPECT_EQ(table.State(), 0);
  table.Open("  shape\tappend new ADVARCHAR ( 3 )as  Città ,NEW advarchar(0100) AS x  ");
  EXPECT_EQ(table.State(), 1);
  ASSERT_EQ(table.FieldCount(), 2);
  EXPECT_EQ(table.FieldName(0), "Città");
  EXPECT_EQ(table.FieldIndex("CITTÀ"), 0);
  EXPECT_EQ(table.RecordCount(), 0);
  EXPECT_TRUE(table.Eof());
  table.AddNew();
  table.SetField("città", "èèè");  // the declared length is the limit
  ExpectError([&] { table.SetField("Città", "abcd"); }, {"\"Città\"", "4", "3"});
}

TEST(SchemaCommand, MalformedCommandIsRefusedQuotingWhereItFails) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"SHAPE APPEND New adVarChar(100) Ax Codice, New adVarChar(100) As B", "\"Ax Codice, New"},
      {"SHAPE APPEND New adVarChar(100) As A New adVarChar(100) As B", "\"New adVarChar(100) As B\""},
      {"SHAPE APPEND New adVarChar(100) As Cod ice", "\"ice\""},
      {"SHAPE APPEND New adVarChar(100) As , New adVarChar(100) As B", "\", New"},
      {"SHAPE APPEND New adVarChar(100) As [A]", "\"[A]\""},
      {"SHAPE APPEND New adVarChar(100) As", "at the end"},
      {"SHAPE APPEND New adVarChar(100) As A,", "at the end"},
      {"SHAPE APPEND New adInteger As A", "\"adInteger As A\""},
      {"SHAPE APPEND New adVarChar(0) As A", "\"0) As A\""},
      {"SHAPE APPEND New adVarChar(-5) As A", "\"-5) As A\""},
      {"SHAPE APPEND New adVarChar(99999999999) As A", "\"99999999999) As A\""},
      {"SHAPE APPEND New adVarChar(100 As A", "\"As A\""},
      {"SHAPE APPEND New adVarChar(100) As A) x", "\") x\""},
      {"SHAPEAPPEND New adVarChar(100) As A", "\"SHAPEAPPEND"},
      {"", "at the end"},
      {"SHAPE APPEND New adVarChar(100) As A, New adVarChar(100) As a", "\"a\" is declared twice"},
  };
  for (const auto& [command, quoted] : cases) {
    SCOPED_TRACE(command);
    MemoryRecordset table;
    ExpectError([&] { table.Open(command); }, {"schema command", quoted});
    EXPECT_EQ(table.State(), 0);
  }
}

TEST(SchemaCommand, OpeningAnOpenTableIsRefused) {
  MemoryRecordset table;
  table.Open("SHAPE APPEND New adVarChar(100) As A");
  ExpectError([&] { table.Open("SHAPE APPEND New adVarChar(100) As B"); }, {"already open", "As B"});
  EXPECT_EQ(table.FieldName(0), "A");
}

TEST(ClosedTable, EveryOperationButStateIsRefused) {
  MemoryRecordset table;
  const std::vector<std::function<void()>> operations = {
      [&] { table.RecordCount(); },   [&] { table.FieldCount(); },   [&] { table.FieldName(0); },
      [&] { table.FieldIndex("A"); }, [&] { table.AddNew(); },       [&] { table.SetField("A", "x"); },
      [&] { table.Update(); },        [&] { table.CancelUpdate(); }, [&] { table.EditPending(); },
      [&] { table.Field("A"); },      [&] { table.Field(0); },       [&] { table.MoveFirst(); },
      [&] { table.Find("A = 'x'"); }, [&] { table.Eof(); },          [&] { table.Delete(); },
      [&] { table.Sort("A"); },       [&] { table.Position(); },     [&] { table.MoveTo(0); },
      [&] { table.ValueAt(0, 0); },
  };
  for (size_t i = 0; i < operations.size(); ++i) {
    SCOPED_TRACE(i);
    ExpectError(operations[i], {"closed"});
  }
  table.Unsubscribe(table.Subscribe([] {}));  // a data control may detach from it
}

using FieldNames = OpenTable;

TEST_F(FieldNames, IgnoreCaseAndUnknownOnesAreRefused) {
  EXPECT_EQ(table.FieldIndex("_INDEX_CMBO_VARNO_"), 2);
  ExpectError([&] { table.FieldIndex("Prezzo"); }, {"\"Prezzo\""});
  ExpectError([&] { table.FieldName(3); }, {"3"}, ErrorKind::SubscriptOutOfRange);
  ExpectError([&] { table.Field(-1); }, {"-1"});
  AddRow("A1");
  ExpectError([&] { table.Field("Prezzo"); }, {"\"Prezzo\""});
  ExpectError([&] { table.ValueAt(0, 3); }, {"3"});
  ExpectError([&] { table.ValueAt(1, 0); }, {"position 1"});
  ExpectError([&] { table.MoveTo(-1); }, {"position -1"});
}

}  // namespace
}  // namespace cbo::testing
