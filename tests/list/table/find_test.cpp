// Find: the two criteria forms, quoting, letter case, and the search forward
// from the current row.
#include "table_fixture.hpp"

namespace cbo::testing {
namespace {

class FilledTable : public OpenTable {
protected:
  void SetUp() override {
    OpenTable::SetUp();
    for (Variant codice :
         {Variant("ROSSI"), Variant("dell'Acqua"), Variant("rossini"), Variant("a*b"), Variant::Null(), Variant("È"),
          Variant("E\xCC\x80"), Variant("ß"), Variant("ss"), Variant("ΣΟΦΟΣ"), Variant("Rossi")})
      AddRow(codice);
  }

  std::string FindFromFirst(const std::string& criteria) {
    table.MoveFirst();
    table.Find(criteria);
    return Current();
  }
};

using Criteria = FilledTable;

TEST_F(Criteria, EqualityLikeAndLetterCase) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Codice = 'rossi'", "1"},       {"codice='ROSSINI'", "3"},
      {"Codice = 'ross'", "EOF"},      {"Codice LIKE 'ross*'", "1"},
      {"Codice like 'rossin*'", "3"},  {"Codice like 'rossini'", "3"},  // no star: equality
      {"Codice like 'ross'", "EOF"},   {"Codice Like'*'", "1"},
      {"Codice like 'a*b'", "4"},      {"Codice like '*b*'", "EOF"},  // an inner star is literal
      {"Codice like 'a**'", "4"},      {"Codice = 'a*'", "EOF"},
      {"Codice = 'DELL''ACQUA'", "2"}, {"Codice like 'dell''*'", "2"},  // doubled quote
      {"Codice = ''", "EOF"},                                           // Null is not ""
      {"Codice = 'è'", "6"},           {"Codice = 'e\xCC\x80'", "7"},   // no normalisation
      {"Codice = 'ẞ'", "8"},           {"Codice = 'SS'", "9"},          // simple folding: ß is not ss
      {"Codice like 'σοφος*'", "10"},                                   // final sigma folds to σ
  };
  for (const auto& [criteria, expected] : cases) EXPECT_EQ(FindFromFirst(criteria), expected) << criteria;
}

TEST_F(Criteria, MalformedIsRefusedQuotingIt) {
  for (const std::string criteria :
       {"Prezzo = 'x'", "Codice = x", "Codice = 'x", "Codice = 'x' y", "Codice = 'dell'Acqua'", "Codice <> 'x'",
        "Codice likes 'x*'", "Codice 'x'", "= 'x'", ""}) {
    SCOPED_TRACE(criteria);
    table.MoveTo(1);
    ExpectError([&] { table.Find(criteria); }, {"\"" + criteria + "\""});
    EXPECT_EQ(table.Position(), 1);
  }
  table.Find("Codice = 'nobody'");
  ExpectError([&] { table.Find("Nome = 'x'"); }, {"Nome"});  // also parsed at EOF
}

using SearchFromCurrentRow = FilledTable;

TEST_F(SearchFromCurrentRow, IncludesTheCurrentRowAndGoesForward) {
  table.MoveTo(2);
  table.Find("Codice like 'ross*'");
  EXPECT_EQ(Current(), "3");  // row 1 is behind the start
  table.Find("Codice like 'ross*'");
  EXPECT_EQ(Current(), "3");
  table.Find("Codice like 'ross*'", 1);
  EXPECT_EQ(Current(), "11");
  table.Find("Codice like 'ross*'", 1);
  EXPECT_EQ(Current(), "EOF");
  table.Find("Codice like 'ross*'");
  EXPECT_EQ(Current(), "EOF");  // from EOF nothing is found
  table.MoveFirst();
  table.Find("Codice like 'ross*'", 100);
  EXPECT_EQ(Current(), "EOF");
  table.MoveFirst();
  ExpectError([&] { table.Find("Codice like 'ross*'", -1); }, {"-1"});
}

TEST(LargeTable, FindsTheLastOfManyRowsByIndex) {
  MemoryRecordset table;
  table.Open(
      "SHAPE APPEND New adVarChar(100) As A, New adVarChar(100) As B, New adVarChar(100) As C, "
      "New adVarChar(100) As _Index_Cmbo_Varno_ ");
  for (int32_t i = 1; i <= 100000; ++i) {
    table.AddNew();
    table.SetField("A", "Articolo " + std::to_string(i));
    table.SetField("B", "Descrizione");
    table.SetField("C", Variant(i * 2));
    table.SetField("_Index_Cmbo_Varno_", Variant(i));
    table.Update();
  }
  table.MoveFirst();
  table.Find("_Index_Cmbo_Varno_ = '100000'");
  EXPECT_EQ(table.Position(), 99999);
  EXPECT_EQ(table.Field("A"), Variant("Articolo 100000"));
}

}  // namespace
}  // namespace cbo::testing
