// Live lists through QPSQL on the server with_postgres.sh started: the
// server's folding against the list's own (every code point), a random walk
// against the in-memory table, typed text that reaches SQL only bound, the
// checks of the table and key, the refusal of a large table without its
// indexes, and the time limit.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <cstdlib>

#include "list/table/filter_fold.hpp"
#include "list/table/filtered_rows.hpp"
#include "list/table/live_recordset.hpp"
#include "qt_sql/live_page_loader.hpp"
#include "qt_sql/live_qpsql.hpp"
#include "qt_sql/live_qt_sql.hpp"
#include "tests/qt_sql/live_rows.hpp"
#include "tests/qt_sql/widget_host.hpp"

namespace cbo::test {
namespace {

using ::testing::HasSubstr;

// No character whose folding the server does otherwise (the final sigma ς,
// and a capital Σ ending a word, İ, ſ, µ, ...: docs/database.md).
const char* const kWords[] = {"Èboli",
                              "èboli",
                              "EBOLI",
                              "Forlì",
                              "forli",
                              "Straße",
                              "STRASSE",
                              "Σοφία",
                              "σοφία",
                              "ΣΟΦΊΑ",
                              "Москва",
                              "МОСКВА",
                              "100%",
                              "10_0",
                              "a*b",
                              "a?b",
                              "",
                              " ",
                              "l'Aquila",
                              "L'AQUILA",
                              "\"q\"",
                              "Ǆemal",
                              "ǅemal",
                              "ǆemal",
                              "zzz",
                              "Z",
                              "ab",
                              "abc",
                              "ABD",
                              "b",
                              "i",
                              "ı",
                              "back\\slash",
                              "'; DROP TABLE t; --"};
const char* const kPrefixes[] = {"",  "e",  "È", "è", "f", "a", "ab", "A*", "10", "1", "%", "_",
                                 "'", "\\", "s", "σ", "Σ", "ǅ", "z",  "l'", "\"", " ", "м", "'; DROP"};
const char* const kConnection = "postgres_live";

// The single code points the server's lower() under ICU maps otherwise
// than simple case folding: all of them lowercase (or without case) but
// İ; the Cherokee letters fold to capitals.
bool FoldsOtherwise(char32_t c) {
  static const char32_t kOthers[] = {0xB5,   0x130,  0x17F,  0x345,  0x3C2,  0x3D0,  0x3D1,  0x3D5,
                                     0x3D6,  0x3F0,  0x3F1,  0x3F5,  0x1E9B, 0x1FBE, 0x1C80, 0x1C81,
                                     0x1C82, 0x1C83, 0x1C84, 0x1C85, 0x1C86, 0x1C87, 0x1C88};
  if ((c >= 0x13A0 && c <= 0x13F5) || (c >= 0x13F8 && c <= 0x13FD) || (c >= 0xAB70 && c <= 0xABBF)) return true;
  return std::find(std::begin(kOthers), std::end(kOthers), c) != std::end(kOthers);
}

std::string Utf8(char32_t c) { return QString::fromUcs4(&c, 1).toStdString(); }

class PostgresLive : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    const char* dir = std::getenv("CBO_PG_SOCKET_DIR");
    const char* port = std::getenv("CBO_PG_PORT");
    const char* user = std::getenv("CBO_PG_USER");
    if (!dir || !port || !user) {
      setupError = "CBO_PG_SOCKET_DIR, CBO_PG_PORT and CBO_PG_USER are not set: run through with_postgres.sh";
      return;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", kConnection);
    db.setHostName(dir);
    db.setPort(std::atoi(port));
    db.setUserName(user);
    db.setDatabaseName("postgres");
    if (!db.open()) setupError = "cannot connect to the server: " + db.lastError().text().toStdString();
    Exec(db, "SET client_min_messages = warning");  // no notices of tables dropped if they exist
  }
  static void TearDownTestSuite() { QSqlDatabase::removeDatabase(kConnection); }

  void SetUp() override {
    ASSERT_TRUE(setupError.empty()) << setupError;
    db = QSqlDatabase::database(kConnection);
    Exec(db, "DROP TABLE IF EXISTS t CASCADE");
    Exec(db, "CREATE TABLE t (id integer PRIMARY KEY, a text, b varchar(100))");
  }
  void TearDown() override { db = QSqlDatabase(); }

  // The indexes a first opening reports missing, made.
  void MakeIndexes() {
    const QStringList missing = openLiveTable(db, "t", "id", {"a", "b"}).missingIndexes;
    EXPECT_EQ(missing.size(), 2);
    for (const QString& statement : missing) Exec(db, statement);
    Exec(db, "ANALYZE t");
  }
  int64_t Count(const QString& table) {
    QSqlQuery q(db);
    if (!q.exec("SELECT count(*) FROM " + table) || !q.next()) return -1;
    return q.value(0).toLongLong();
  }

  static inline std::string setupError;
  QSqlDatabase db;
};

TEST_F(PostgresLive, TheServerFoldsEveryCodePointAsTheListDoesButTheKnownFew) {
  QSqlQuery q(db);
  q.setForwardOnly(true);
  ASSERT_TRUE(
      q.exec("SELECT cp, lower(chr(cp) COLLATE \"und-x-icu\") COLLATE \"C\" FROM generate_series(1, 1114111) "
             "AS cp WHERE cp NOT BETWEEN 55296 AND 57343"))
      << q.lastError().text().toStdString();
  int compared = 0, otherwise = 0;
  while (q.next()) {
    const auto c = static_cast<char32_t>(q.value(0).toUInt());
    const bool same = q.value(1).toString().toStdString() == FoldCase(Utf8(c));
    ++compared;
    if (!same) ++otherwise;
    EXPECT_EQ(same, !FoldsOtherwise(c)) << "U+" << std::hex << static_cast<uint32_t>(c);
  }
  EXPECT_EQ(compared, 1114111 - 2048);
  EXPECT_EQ(otherwise, 195);
  // And in context: a capital sigma ending a word becomes the final sigma.
  ASSERT_TRUE(q.exec("SELECT lower('ΟΔΟΣ' COLLATE \"und-x-icu\")") && q.next());
  EXPECT_EQ(q.value(0).toString().toStdString(), "οδος");
  EXPECT_EQ(FoldCase("ΟΔΟΣ"), "οδοσ");
}

// The server's filter form against the list's: wherever the list's form of
// a code point holds ASCII, or is empty (a mark dropped), the server's must
// be the same, or a row could hold an ASCII filter text for the list and not
// for the trigram index: but for two, listed in docs/database.md.
TEST_F(PostgresLive, TheServersFilterFormIsTheListsWhereverTheListsHoldsAscii) {
  for (const std::string& statement : qt_sql::QpsqlFilterIndexStatements("t", {"a"}))
    Exec(db, QString::fromStdString(statement));
  QSqlQuery q(db);
  q.setForwardOnly(true);
  ASSERT_TRUE(
      q.exec("SELECT cp, cbo_filter_fold(chr(cp)) FROM generate_series(1, 1114111) AS cp "
             "WHERE cp NOT BETWEEN 55296 AND 57343"))
      << q.lastError().text().toStdString();
  int compared = 0;
  std::string otherwise;
  while (q.next()) {
    const auto c = static_cast<char32_t>(q.value(0).toUInt());
    const std::string ours = FilterFold(Utf8(c));
    const bool ascii = ours.empty() || std::any_of(ours.begin(), ours.end(),
                                                   [](char b) { return static_cast<unsigned char>(b) < 0x80; });
    if (!ascii) continue;
    ++compared;
    const std::string server = q.value(1).toString().toStdString();
    if (server != ours) {
      char hex[16];
      std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(c));
      otherwise += std::string(otherwise.empty() ? "" : " ") + hex;
    }
  }
  EXPECT_GT(compared, 1000);
  // ŉ (the list: ʼn) and ẚ (aʾ), which unaccent makes otherwise.
  EXPECT_EQ(otherwise, "U+0149 U+1E9A");
}

// The filter through the trigram indexes against the memory table's filter:
// the same rows for ASCII texts few rows hold and many, with the characters
// LIKE treats specially, by contains and by word start; a rare one is found
// at the first key.
TEST_F(PostgresLive, TheFilterFindsThroughTheTrigramIndexesTheRowsTheMemoryFilterFinds) {
  std::mt19937 rng(12);
  std::vector<TestRow> rows = RandomRows(rng, 600, false, kWords);
  rows[40].a = "Jürgen Bäcker";
  rows[500].b = "JURGEN";
  InsertRows(db, "t", rows);
  MakeIndexes();
  for (const QString& statement : filterIndexStatements(db, "t", "id", {"a", "b"})) Exec(db, statement);
  Exec(db, "ANALYZE t");
  const LiveQtTable live = openLiveTable(db, "t", "id", {"a", "b"});
  const auto memory = MemoryTable(rows);
  for (const FilterMatch how : {FilterMatch::Contains, FilterMatch::WordStart})
    for (const char* const text :
         {"jurgen", "Boli", "strasse", "100%", "0_0", "a*b", "k\\s", "'; d", "aqu", "zz", "σοφ"}) {
      SCOPED_TRACE(std::string(text) + (how == FilterMatch::Contains ? ", contains" : ", word start"));
      FilteredRows found(live.table, how, {0, 1}), reference(memory, how, {0, 1});
      found.SetText(text);
      reference.SetText(text);
      found.Scan(1);
      if (std::string(text) == "jurgen") {
        EXPECT_TRUE(found.Complete());
      }
      ASSERT_TRUE(SameFilteredRows(found, reference));
    }
}

TEST_F(PostgresLive, FindsSortsAndMovesEndOnTheRowTheMemoryTableEndsOn) {
  for (uint32_t seed = 1; seed <= 8; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    const std::vector<TestRow> rows = RandomRows(rng, 20 + static_cast<int>(seed) * 30, seed % 2 == 0, kWords);
    Exec(db, "TRUNCATE t");
    Exec(db, "DROP INDEX IF EXISTS t_a_fold, t_b_fold");
    InsertRows(db, "t", rows);
    MakeIndexes();
    const LiveQtTable live = openLiveTable(db, "t", "id", {"a", "b"});
    EXPECT_TRUE(live.missingIndexes.isEmpty()) << live.missingIndexes.join(" ").toStdString();
    if (seed % 2) {
      // Rows placed and read by rank maps a few rows apart, made in full.
      live.table->SetRankSpacing(static_cast<int32_t>(2 + seed % 3));
      while (live.table->BuildIndexes(1'000'000)) {}
    }
    WalkBoth(*live.table, *MemoryTable(rows), rows, rng, 300, kWords, kPrefixes);
  }
}

TEST_F(PostgresLive, AWidgetAttachesATableAndShowsItsRows) {
  InsertRows(db, "t", {{3, "Èboli", std::nullopt}, {7, "forlì", "FC"}, {9, "Straße", "x"}});
  Exec(db, "ALTER TABLE t ADD COLUMN n bigint DEFAULT 42, ADD COLUMN ok boolean DEFAULT true");
  CboVarnoWidget widget;
  widget.setStileCbo(CboVarnoWidget::ListCombo);
  EXPECT_EQ(widget.attachTable(db, "t", "id", {"a", "b", "n", "ok"}).size(), 4);
  EXPECT_EQ(ListRows(widget.control()), (std::vector<std::vector<std::string>>{{"Èboli", "<Null>", "42", "True", "3"},
                                                                               {"forlì", "FC", "42", "True", "7"},
                                                                               {"Straße", "x", "42", "True", "9"}}));
  widget.setText("FOR");
  EXPECT_EQ(widget.text(), "forlì");
  EXPECT_EQ(widget.currentKey(), 7);
  Recordset& table = *widget.control().Lista().Rcset_Cbo();
  table.MoveFirst();
  table.Find("ok = 'TRUE'", 1);
  EXPECT_EQ(table.Position(), 1);
}

// The rows a grid asks for ahead are read on a clone of the connection, a
// second session of the server's, while this thread goes on.
TEST_F(PostgresLive, PagesReadAheadAreReadOnASessionOfTheirOwn) {
  std::vector<TestRow> rows;
  for (int64_t id = 1; id <= 1000; ++id) rows.push_back({id, "a" + std::to_string(id), std::nullopt});
  InsertRows(db, "t", rows);
  auto sessions = [&]() -> int64_t {
    QSqlQuery q(db);
    if (!q.exec("SELECT count(*) FROM pg_stat_activity WHERE backend_type = 'client backend'") || !q.next()) return -1;
    return q.value(0).toLongLong();
  };
  const int64_t before = sessions();
  LiveQtTable live = openLiveTable(db, "t", "id", {"a", "b"});
  live.table->SetPageLoader(qt_sql::PageLoaderFor(db));
  LiveRecordset& table = *live.table;
  std::string failed;
  table.SetRowsRead([&](const Error* failure) { failed = failure ? failure->what() : "rows"; });
  const std::vector<int32_t> window{700, 701, 702};
  table.ReadAhead(window);
  EXPECT_TRUE(table.RowsPending());
  // Waited for, not timed: the session is opened at the first read.
  for (QDeadlineTimer limit(30'000); table.RowsPending() && !limit.hasExpired();) {
    QCoreApplication::processEvents();
    QThread::msleep(5);
  }
  ASSERT_TRUE(table.RowReady(700)) << failed;
  EXPECT_EQ(table.ValueAt(702, 0).AsString(), "a703");
  EXPECT_EQ(sessions(), before + 1);
}

TEST_F(PostgresLive, TypedTextReachesSqlOnlyAsBoundValues) {
  InsertRows(db, "t", {{1, "x", "y"}, {2, "'; DROP TABLE t; --", "%"}, {3, "_", "100%"}, {4, "a\\b", "%_"}});
  const LiveQtTable live = openLiveTable(db, "t", "id", {"a", "b"});
  Recordset& table = *live.table;
  const std::pair<const char*, const char*> finds[] = {
      {"a = '''; DROP TABLE t; --'", "1: \"'; DROP TABLE t; --\" \"%\" \"2\""},
      {"a like '''; DROP*'", "1: \"'; DROP TABLE t; --\" \"%\" \"2\""},
      {"b like '%*'", "1: \"'; DROP TABLE t; --\" \"%\" \"2\""},
      {"b = '%_'", "3: \"a\\b\" \"%_\" \"4\""},
      {"a like '_*'", "2: \"_\" \"100%\" \"3\""},
      {"a like 'a\\*'", "3: \"a\\b\" \"%_\" \"4\""},
      {"a = 'x'' OR ''1''=''1'", "EOF"},
      {"b like '100%*'", "2: \"_\" \"100%\" \"3\""},
  };
  for (const auto& [criteria, found] : finds) {
    table.MoveFirst();
    table.Find(criteria);
    EXPECT_EQ(Described(table), found) << criteria;
  }
  EXPECT_EQ(Count("t"), 4);
  EXPECT_THAT(ErrorOf([&] { openLiveTable(db, "t; DROP TABLE t", "id", {"a"}); }).what(),
              HasSubstr("there is no table or view \"t; DROP TABLE t\""));
  EXPECT_THAT(ErrorOf([&] { openLiveTable(db, "t", "id", {"a\" FROM t; --"}); }).what(), HasSubstr("has no column"));
  EXPECT_EQ(Count("t"), 4);
}

TEST_F(PostgresLive, ATableOrKeyItCannotUseIsRefusedByName) {
  Exec(db, "DROP TABLE IF EXISTS k CASCADE");
  Exec(db, "CREATE TABLE k (n integer, u integer UNIQUE, s text, \"Mixed\" text, w bigint NOT NULL UNIQUE)");
  Exec(db, "INSERT INTO k VALUES (1, 1, 'a', 'm', 10), (1, 2, 'b', 'n', 20)");
  Exec(db, "CREATE VIEW v AS SELECT s AS name, w AS n FROM k");
  const std::pair<std::function<void()>, const char*> cases[] = {
      {[&] { openLiveTable(db, "nowhere", "id", {"a"}); }, "there is no table or view \"nowhere\""},
      {[&] { openLiveTable(db, "T", "id", {"a"}); }, "there is no table or view \"T\""},
      {[&] { openLiveTable(db, "k", "n", {"s"}); }, "the key column \"n\" of \"k\" is not unique"},
      {[&] { openLiveTable(db, "k", "u", {"s"}); }, "the key column \"u\" of \"k\" may be Null: declare it NOT NULL"},
      {[&] { openLiveTable(db, "k", "s", {"s"}); }, "the key column \"s\" of \"k\" is of type text, not an integer"},
      {[&] { openLiveTable(db, "k", "w", {"mixed"}); },
       "table \"k\" has no column \"mixed\" (there is \"Mixed\": PostgreSQL compares quoted names letter case "
       "included)"},
      {[&] {
         openLiveTable(db, "k", "w", {"s", "S"});
       },
       "the field \"S\" is given twice"},
      {[&] { openLiveTable(db, "v", "name", {"n"}); }, "the key column \"name\" of \"v\" is of type text"},
      {[&] { openLiveTable(db, "k_u_key", "w", {"s"}); }, "\"k_u_key\" is not a table or view"},
  };
  for (const auto& [open, message] : cases) {
    const Error e = ErrorOf(open);
    EXPECT_EQ(e.kind(), ErrorKind::Database);
    EXPECT_THAT(e.what(), HasSubstr(std::string("connection \"postgres_live\" (QPSQL): ") + message));
  }
  EXPECT_EQ(openLiveTable(db, "k", "w", {"s", "Mixed"}).table->RecordCount(), 2);
  EXPECT_EQ(openLiveTable(db, "v", "n", {"name"}).table->RecordCount(), 2);
}

TEST_F(PostgresLive, ALargeTableWithoutItsIndexesIsRefusedWithTheStatementsThatMakeThem) {
  Exec(db, "INSERT INTO t SELECT i, 'r' || (i % 977), NULL FROM generate_series(1, 100000) AS i");
  Exec(db, "ANALYZE t");
  const char* const aIndex =
      "CREATE INDEX \"t_a_fold\" ON \"t\" ((lower(CAST(\"a\" AS TEXT) COLLATE \"und-x-icu\") COLLATE \"C\") NULLS "
      "FIRST, \"id\") INCLUDE (\"a\");";
  const Error e = ErrorOf([&] { openLiveTable(db, "t", "id", {"a", "b"}); });
  EXPECT_EQ(e.kind(), ErrorKind::Database);
  EXPECT_THAT(e.what(), HasSubstr("table \"t\" has 100000 rows and lacks the indexes its finds and sorts need"));
  EXPECT_THAT(e.what(), HasSubstr(aIndex));
  EXPECT_THAT(e.what(), HasSubstr("\"t_b_fold\""));
  // The session's planner settings are as they were.
  QSqlQuery q(db);
  ASSERT_TRUE(q.exec("SHOW enable_sort") && q.next());
  EXPECT_EQ(q.value(0).toString(), "on");
  // With them, it opens, and a find reads the index.
  Exec(db, aIndex);
  // An index without the column itself serves too (only more slowly).
  Exec(db, "CREATE INDEX t_b_fold ON t ((lower(CAST(b AS TEXT) COLLATE \"und-x-icu\") COLLATE \"C\") NULLS FIRST, id)");
  const LiveQtTable live = openLiveTable(db, "t", "id", {"a", "b"});
  EXPECT_TRUE(live.missingIndexes.isEmpty());
  live.table->MoveFirst();
  live.table->Find("a = 'R5'");
  EXPECT_EQ(Described(*live.table), "4: \"r5\" Null \"5\"");
}

TEST_F(PostgresLive, AStatementLongerThanTheTimeLimitIsStoppedAndTheTableStaysWhereItWas) {
  InsertRows(db, "t", {{1, "a", "x"}, {2, "b", "x"}, {3, "c", "x"}, {4, "d", "x"}});
  // Every row read through the view takes 20 ms.
  Exec(db,
       "CREATE OR REPLACE FUNCTION slowly(text) RETURNS text LANGUAGE sql VOLATILE AS 'SELECT pg_sleep(0.02); SELECT "
       "$1'");
  Exec(db, "CREATE VIEW slow AS SELECT id, a, slowly(b) AS b FROM t");
  const LiveQtTable live = openLiveTable(db, "slow", "id", {"a", "b"});
  Recordset& table = *live.table;
  table.MoveTo(2);
  const std::string before = Described(table);
  live.table->Database().SetTimeLimit(1);
  const Error e = ErrorOf([&] { table.Find("b = 'other'"); });
  EXPECT_EQ(e.kind(), ErrorKind::Database);
  EXPECT_THAT(e.what(), HasSubstr("statement timeout"));
  EXPECT_THAT(e.what(), HasSubstr("(a statement ran longer than the time limit of 1 ms)"));
  EXPECT_EQ(Described(table), before);
  live.table->Database().SetTimeLimit(60'000);
  table.Find("b = 'x'");
  EXPECT_EQ(Described(table), before);
  Exec(db, "DROP FUNCTION slowly(text) CASCADE");
}

}  // namespace
}  // namespace cbo::test
