// The pending row and what a field stores for each kind of value.
#include "table_fixture.hpp"

namespace cbo::testing {
namespace {

using PendingRow = OpenTable;

TEST_F(PendingRow, IsNotPartOfTheTableUntilUpdate) {
  AddRow("A1");
  table.AddNew();
  table.SetField("Codice", "B2");
  EXPECT_EQ(table.RecordCount(), 1);
  EXPECT_EQ(table.Field("Codice"), Variant("A1"));
  table.Update();
  EXPECT_EQ(table.RecordCount(), 2);
  EXPECT_EQ(table.Position(), 1);
  EXPECT_EQ(table.Field("Codice"), Variant("B2"));
  EXPECT_TRUE(table.Field("Descrizione").IsNull());  // never written
}

TEST_F(PendingRow, AddNewAgainStartsAfreshAndCancelDropsIt) {
  table.AddNew();
  table.SetField("Codice", "old");
  table.AddNew();
  table.SetField("Descrizione", "new");
  table.Update();
  EXPECT_TRUE(table.Field("Codice").IsNull());
  table.AddNew();
  table.CancelUpdate();
  EXPECT_FALSE(table.EditPending());
  EXPECT_EQ(table.RecordCount(), 1);
  ExpectError([&] { table.Update(); }, {"AddNew"});
  ExpectError([&] { table.SetField("Codice", "x"); }, {"\"Codice\"", "AddNew"});
}

using StoredValues = OpenTable;

TEST_F(StoredValues, EveryKindBecomesText) {
  const std::vector<std::pair<Variant, Variant>> cases = {
      {Variant(), Variant("")},
      {Variant::Null(), Variant::Null()},
      {Variant(true), Variant("True")},
      {Variant(false), Variant("False")},
      {Variant(int16_t{-7}), Variant("-7")},
      {Variant(int32_t{123456}), Variant("123456")},
      {Variant(8.25f), Variant("8.25")},
      {Variant(DateValue{2}), Variant("1900-01-01")},
  };
  for (const auto& [given, stored] : cases) {
    SCOPED_TRACE(VarTypeName(given.type()));
    AddRow(given);
    EXPECT_EQ(table.Field("Codice"), stored);
  }
}

TEST_F(StoredValues, MissingFontAndLongerTextAreRefusedWritingNothing) {
  std::string hundred;
  for (int i = 0; i < 100; ++i) hundred += "è";  // 100 characters, 200 bytes
  table.AddNew();
  table.SetField("Codice", hundred);
  table.SetField("Descrizione", "earlier");
  ExpectError([&] { table.SetField("Descrizione", hundred + "è"); }, {"\"Descrizione\"", "101", "100"});
  ExpectError([&] { table.SetField("Descrizione", Variant::Missing()); }, {"\"Descrizione\"", "Missing"});
  ExpectError([&] { table.SetField("Descrizione", Variant(FontRef())); }, {"\"Descrizione\"", "Font"});
  ExpectError([&] { table.SetField("Prezzo", "1"); }, {"\"Prezzo\""});
  table.Update();
  EXPECT_EQ(table.Field("Codice"), Variant(hundred));
  EXPECT_EQ(table.Field("Descrizione"), Variant("earlier"));
}

}  // namespace
}  // namespace cbo::testing
