#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>

#include "platform/error.hpp"
#include "sqlite/sqlite_fill.hpp"
#include "tests/sqlite/fill_host.hpp"
#include "tests/sqlite/test_database.hpp"
#include "list/list_store.hpp"

namespace cbo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Rows = std::vector<std::vector<std::string>>;

void MakeDatabase(const std::string& file, const std::string& sql) {
  sqlite3* db = nullptr;
  sqlite3_open(file.c_str(), &db);
  Exec(db, sql);
  sqlite3_close(db);
}

// A database of towns: accented names, a Null, whole and real numbers.
class SqliteFill : public ::testing::Test {
protected:
  SqliteFill() {
    MakeDatabase(file, R"(
      CREATE TABLE comuni (id INTEGER, nome TEXT, prov TEXT, abitanti INTEGER, quota REAL, foto BLOB);
      INSERT INTO comuni VALUES (1, 'Forlì', 'FC', 117000, 34.0, NULL);
      INSERT INTO comuni VALUES (2, 'Cantù', NULL, 40000, 369.5, NULL);
      INSERT INTO comuni VALUES (3, 'Èboli', 'SA', -9223372036854775808, 0.1, X'00FF');
      INSERT INTO comuni VALUES (4, 'l''Aquila', '', 9223372036854775807, 1e20, NULL);
    )");
  }
  TempDir dir;
  std::string file = dir.File("comuni.db");
  FillHost host;
};

TEST_F(SqliteFill, ValuesBecomeTheTextTheTableStores) {
  EXPECT_TRUE(FillFromSqlite(host.c(), file, "SELECT nome, prov, abitanti, quota FROM comuni ORDER BY id"));
  EXPECT_EQ(ListRows(host.c()), (Rows{{"Forlì", "FC", "117000", "34", "1"},
                                      {"Cantù", "<Null>", "40000", "369.5", "2"},
                                      {"Èboli", "SA", "-9223372036854775808", "0.1", "3"},
                                      {"l'Aquila", "", "9223372036854775807", "1e+20", "4"}}));
  EXPECT_EQ(host.c().Lista().MaxIndex(), 4);
}

// A connection with a mutex is read through SQLite's column calls, one
// without through each value's sqlite3_value: the same rows either way, a
// blob refused at the same place.
TEST_F(SqliteFill, HostConnectionsWithAndWithoutAMutexGiveTheSameRows) {
  const std::string sql = "SELECT id, nome, prov, abitanti, quota FROM comuni ORDER BY id";
  FillFromSqlite(host.c(), file, sql);
  for (const int mode : {SQLITE_OPEN_FULLMUTEX, SQLITE_OPEN_NOMUTEX}) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY | mode, nullptr), SQLITE_OK);
    EXPECT_EQ(sqlite3_db_mutex(db) == nullptr, mode == SQLITE_OPEN_NOMUTEX);
    FillHost other;
    FillFromSqlite(other.c(), db, sql);
    EXPECT_EQ(ListRows(other.c()), ListRows(host.c()));
    const Error e = ErrorOf([&] { FillFromSqlite(other.c(), db, "SELECT nome, foto FROM comuni ORDER BY id"); });
    EXPECT_THAT(e.what(), HasSubstr("row 3, column \"foto\""));
    sqlite3_close(db);
  }
}

TEST_F(SqliteFill, RealsReadAsListItemStoresTheSameDoubles) {
  const double values[] = {0.1, 1.0 / 3, 2.5e-8, 123456789.125, -7, 1e300};
  for (double v : values) {
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO comuni (id, quota) VALUES (99, ?)", -1, &st, nullptr);
    sqlite3_bind_double(st, 1, v);
    sqlite3_step(st);
    sqlite3_finalize(st);
    sqlite3_close(db);
  }
  FillHost byHand;
  byHand.c().AddField("quota");
  for (double v : values) {
    byHand.c().ListItem("quota", Variant(v));
    byHand.c().AddItem();
  }
  host.c().AddField("quota");
  FillFromSqlite(host.c(), file, "SELECT quota FROM comuni WHERE id = 99 ORDER BY rowid");
  EXPECT_EQ(ListRows(host.c()), ListRows(byHand.c()));
}

TEST_F(SqliteFill, AnEmptyListGetsOneColumnPerResultColumnAndItsFirstRowChosen) {
  FillFromSqlite(host.c(), file, "SELECT nome AS Città, id FROM comuni ORDER BY id DESC");
  ASSERT_EQ(host.c().Lista().NumMtCol(), 2);
  const ColumnDef& first = host.c().Lista().Matrice_Campi()[0];
  EXPECT_EQ(first.Nome_Field, "Città");
  EXPECT_EQ(first.NomeColonna, "Città");
  EXPECT_TRUE(first.Visualizza_Colonna);
  EXPECT_EQ(first.Larghezza_Colonna, 1000);
  EXPECT_EQ(host.c().Lista().Matrice_Campi()[1].Nome_Field, "id");
  EXPECT_EQ(host.c().Text(), "l'Aquila");
  EXPECT_EQ(host.c().ListIndex(), 1);
  EXPECT_EQ(host.c().Record_Count(), 4);
}

TEST_F(SqliteFill, ExistingFieldsTakeTheColumnOfTheirNameInAnyCaseAndOtherColumnsAreIgnored) {
  host.c().AddField("Prov");
  host.c().AddField("Nome");
  FillFromSqlite(host.c(), file, "SELECT id, NOME, quota, prov FROM comuni WHERE id <= 2 ORDER BY id");
  EXPECT_THAT(FieldNames(host.c()), ElementsAre("Prov", "Nome"));
  EXPECT_EQ(ListRows(host.c()), (Rows{{"FC", "Forlì", "1"}, {"<Null>", "Cantù", "2"}}));
}

TEST_F(SqliteFill, RowsGoAfterTheRowsAlreadyThereAndTheChoiceStays) {
  TwoTowns(host.c());
  FillFromSqlite(host.c(), file, "SELECT nome AS comune, prov FROM comuni WHERE id <= 2 ORDER BY id");
  EXPECT_EQ(ListRows(host.c()),
            (Rows{{"Roma", "RM", "1"}, {"Forlì", "FC", "2"}, {"Forlì", "FC", "3"}, {"Cantù", "<Null>", "4"}}));
  EXPECT_EQ(host.c().Text(), "Roma");
  EXPECT_EQ(host.c().Lista().MaxIndex(), 4);
}

TEST_F(SqliteFill, AnEmptyResultStillMakesTheColumns) {
  EXPECT_TRUE(FillFromSqlite(host.c(), file, "SELECT nome, prov FROM comuni WHERE id > 100"));
  EXPECT_THAT(FieldNames(host.c()), ElementsAre("nome", "prov"));
  EXPECT_EQ(host.c().Record_Count(), 0);
}

TEST_F(SqliteFill, ParametersAreBoundInOrderWithTheirTypes) {
  const std::vector<Variant> parameters{Variant::Null(), Variant(true),    Variant(int32_t{42}),
                                        Variant(2.5),    Variant("Forlì"), Variant(DateValue{45351})};
  FillFromSqlite(host.c(), file,
                 "SELECT typeof(?1) AS a, ?2 AS b, typeof(?3) || ' ' || ?3 AS c, typeof(?4) || ' ' || ?4 AS d, "
                 "(SELECT id FROM comuni WHERE nome = ?5) AS e, ?6 AS f",
                 parameters);
  EXPECT_EQ(ListRows(host.c()), (Rows{{"null", "1", "integer 42", "real 2.5", "1", "2024-02-29", "1"}}));
}

TEST_F(SqliteFill, NamedParametersAreBoundByTheirPosition) {
  const std::vector<Variant> parameters{Variant("SA"), Variant(int32_t{2})};
  FillFromSqlite(host.c(), file, "SELECT nome FROM comuni WHERE prov = :prov OR id = @id ORDER BY id", parameters);
  EXPECT_EQ(ListRows(host.c()), (Rows{{"Cantù", "1"}, {"Èboli", "2"}}));
}

TEST_F(SqliteFill, AParameterCountThatDoesNotMatchTheQueryIsRefused) {
  TwoTowns(host.c());
  const ListState before = StateOf(host);
  const std::vector<Variant> one{Variant("FC")};
  for (const char* query : {"SELECT nome AS comune, prov FROM comuni",
                            "SELECT nome AS comune, prov FROM comuni "
                            "WHERE prov = ? OR id = ?"}) {
    const Error e = ErrorOf([&] { FillFromSqlite(host.c(), file, query, one); });
    EXPECT_EQ(e.kind(), ErrorKind::Database);
    EXPECT_THAT(e.what(), HasSubstr("1 were given"));
  }
  const std::vector<Variant> missing{Variant::Missing()};
  EXPECT_EQ(ErrorOf([&] { FillFromSqlite(host.c(), file, "SELECT ?", missing); }).kind(), ErrorKind::TypeMismatch);
  EXPECT_EQ(StateOf(host), before);
}

TEST_F(SqliteFill, ABlobIsRefusedNamingItsRowAndColumnAndTheListStaysAsItWas) {
  TwoTowns(host.c());
  const ListState before = StateOf(host);
  const Error e =
      ErrorOf([&] { FillFromSqlite(host.c(), file, "SELECT nome AS comune, prov, foto FROM comuni ORDER BY id"); });
  EXPECT_EQ(e.kind(), ErrorKind::TypeMismatch);
  EXPECT_THAT(e.what(), HasSubstr("row 3, column \"foto\""));
  EXPECT_EQ(StateOf(host), before);
}

TEST_F(SqliteFill, AFieldTheQueryDoesNotGiveRefusesTheFillBeforeAnyRow) {
  TwoTowns(host.c());
  const ListState before = StateOf(host);
  const Error e = ErrorOf([&] { FillFromSqlite(host.c(), file, "SELECT nome AS comune FROM comuni"); });
  EXPECT_THAT(e.what(), HasSubstr("Prov"));
  EXPECT_EQ(StateOf(host), before);
}

// A list without columns takes the result's column names; a name it cannot
// take is refused before any row, saying which column and what to do.
TEST_F(SqliteFill, AResultColumnWithoutAPlainNameIsRefusedSayingToNameItWithAs) {
  FillHost empty;
  const std::pair<std::string, std::string> cases[] = {
      {"SELECT nome AS \"bad name\", prov FROM comuni", "result column 1 \"bad name\""},
      {"SELECT nome, count(*) FROM comuni", "result column 2 \"count(*)\""},
      {"SELECT nome, 'x' AS \"\" FROM comuni", "result column 2 \"\""},
  };
  for (const auto& [query, column] : cases) {
    const Error e = ErrorOf([&] { FillFromSqlite(empty.c(), file, query); });
    EXPECT_EQ(e.kind(), ErrorKind::Database) << query;
    EXPECT_THAT(e.what(), HasSubstr(column));
    EXPECT_THAT(e.what(), HasSubstr("needs a plain name (letters, digits and _"));
    EXPECT_THAT(e.what(), HasSubstr("with AS"));
    EXPECT_EQ(empty.c().Lista().NumMtCol(), 0) << query;
  }
  // A list with its columns takes only the columns of their names.
  TwoTowns(host.c());
  EXPECT_TRUE(FillFromSqlite(host.c(), file, "SELECT nome AS comune, prov, count(*) FROM comuni GROUP BY id"));
}

TEST_F(SqliteFill, AFailingQueryIsADatabaseErrorWithSqlitesMessageAndTheListStaysAsItWas) {
  TwoTowns(host.c());
  const ListState before = StateOf(host);
  const std::pair<std::string, std::string> cases[] = {
      {"SELECT comune, prov FROM nowhere", "no such table: nowhere"},
      {"SELEC comune FROM comuni", "syntax error"},
      // Fails at its third row, after two were read.
      {"SELECT nome AS comune, abs(CASE WHEN id = 3 THEN -9223372036854775807 - 1 ELSE id END) AS prov "
       "FROM comuni",
       "row 3: integer overflow"},
      {"SELECT nome AS comune, prov FROM comuni; DELETE FROM comuni", "more than one statement"},
      {"  -- nothing to run", "no statement"},
      {std::string("SELECT nome AS comune, prov FROM comuni\0; DELETE FROM comuni", 61), "NUL"},
  };
  for (const auto& [query, message] : cases) {
    const Error e = ErrorOf([&] { FillFromSqlite(host.c(), file, query); });
    EXPECT_EQ(e.kind(), ErrorKind::Database) << query;
    EXPECT_THAT(e.what(), HasSubstr(message));
    EXPECT_EQ(StateOf(host), before) << query;
  }
  // A trailing semicolon and comment are no second statement.
  EXPECT_TRUE(FillFromSqlite(host.c(), file, "SELECT nome AS comune, prov FROM comuni WHERE id = 1; -- done"));
}

TEST_F(SqliteFill, AFileThatCannotBeOpenedIsADatabaseErrorAndIsNeverCreated) {
  const std::string missing = dir.File("missing.db");
  Error e = ErrorOf([&] { FillFromSqlite(host.c(), missing, "SELECT 1"); });
  EXPECT_EQ(e.kind(), ErrorKind::Database);
  EXPECT_THAT(e.what(), HasSubstr("unable to open database file"));
  EXPECT_THAT(e.what(), HasSubstr(missing));
  EXPECT_FALSE(std::filesystem::exists(missing));

  const std::string text = dir.File("notes.txt");
  std::ofstream(text) << "not a database, only some words that fill more than a header of one hundred bytes "
                         "so that SQLite reads them as one and refuses it\n";
  e = ErrorOf([&] { FillFromSqlite(host.c(), text, "SELECT * FROM comuni"); });
  EXPECT_EQ(e.kind(), ErrorKind::Database);
  EXPECT_THAT(e.what(), HasSubstr("file is not a database"));
  EXPECT_EQ(ErrorOf([&] { FillFromSqlite(host.c(), "", "SELECT 1"); }).kind(), ErrorKind::Database);
  EXPECT_EQ(host.c().Lista().NumMtCol(), 0);
}

TEST_F(SqliteFill, AFillNeitherChangesTheFileNorKeepsItLocked) {
  const Error e = ErrorOf([&] { FillFromSqlite(host.c(), file, "DELETE FROM comuni"); });
  EXPECT_THAT(e.what(), HasSubstr("readonly database"));
  FillFromSqlite(host.c(), file, "SELECT nome FROM comuni");
  // Another connection writes at once: no lock is left behind.
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, "DELETE FROM comuni WHERE id = 1", nullptr, nullptr, nullptr), SQLITE_OK);
  EXPECT_EQ(sqlite3_changes(db), 1);
  sqlite3_close(db);
}

TEST_F(SqliteFill, AHostConnectionStaysOpenWithNoStatementLeftBehind) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
  Exec(db, "CREATE TABLE t (a TEXT, b BLOB); INSERT INTO t VALUES ('uno', NULL), ('due', X'01');");
  EXPECT_TRUE(FillFromSqlite(host.c(), db, "SELECT a FROM t"));
  EXPECT_EQ(sqlite3_next_stmt(db, nullptr), nullptr);
  EXPECT_EQ(ErrorOf([&] { FillFromSqlite(host.c(), db, "SELECT a, b FROM t"); }).kind(), ErrorKind::TypeMismatch);
  EXPECT_EQ(sqlite3_next_stmt(db, nullptr), nullptr);
  EXPECT_TRUE(FillFromSqlite(host.c(), db, "SELECT a FROM t WHERE a = 'due'"));
  EXPECT_EQ(ListRows(host.c()), (Rows{{"uno", "1"}, {"due", "2"}, {"due", "3"}}));
  EXPECT_EQ(sqlite3_close(db), SQLITE_OK);  // fails while a statement is left
  EXPECT_EQ(ErrorOf([&] { FillFromSqlite(host.c(), static_cast<sqlite3*>(nullptr), "SELECT 1"); }).kind(),
            ErrorKind::Database);
}

TEST_F(SqliteFill, ProgressCancelledAtOnceLeavesTheListAsItWas) {
  TwoTowns(host.c());
  const ListState before = StateOf(host);
  std::vector<int64_t> told;
  EXPECT_FALSE(FillFromSqlite(host.c(), file, "SELECT nome AS comune, prov FROM comuni", {}, [&](int64_t rows) {
    told.push_back(rows);
    return false;
  }));
  EXPECT_THAT(told, ElementsAre(0));
  EXPECT_EQ(StateOf(host), before);
}

TEST_F(SqliteFill, ProgressCountsNeverGoBackNorPassTheRowsRead) {
  std::vector<int64_t> told;
  EXPECT_TRUE(FillFromSqlite(host.c(), file,
                             "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000) "
                             "SELECT i, 'riga ' || i AS nome FROM n",
                             {}, [&](int64_t rows) {
                               told.push_back(rows);
                               return true;
                             }));
  ASSERT_FALSE(told.empty());
  EXPECT_EQ(told.front(), 0);
  EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
  EXPECT_LE(told.back(), 20000);
  EXPECT_EQ(host.c().Record_Count(), 20000);
  EXPECT_EQ(ListRows(host.c()).back(), (std::vector<std::string>{"20000", "riga 20000", "20000"}));
}

// All or nothing: a value the table refuses, deep in the rows, leaves the
// list as it was, and the error names the row and the field.
TEST_F(SqliteFill, AValueOverTheFieldLimitLeavesTheListAsItWas) {
  TwoTowns(host.c());
  const ListState before = StateOf(host);
  const Error e = ErrorOf([&] {
    FillFromSqlite(host.c(), file,
                   "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 30) "
                   "SELECT 'Comune ' || i AS comune, CASE WHEN i = 25 THEN printf('%.101c', 'x') ELSE 'XX' END "
                   "AS prov FROM n");
  });
  EXPECT_THAT(e.what(), HasSubstr("Prov"));
  EXPECT_THAT(e.what(), HasSubstr("25"));
  EXPECT_EQ(StateOf(host), before);
}

}  // namespace
}  // namespace cbo::test
