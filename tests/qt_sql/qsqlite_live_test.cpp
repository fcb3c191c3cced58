// Live lists through QSQLITE: a table of a connection the application opened
// attached to a CboVarnoWidget, read as the in-memory table reads the same
// rows, refusing every change, and refusing a table, column or key it
// cannot use with the control left as it was.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "list/table/filtered_rows.hpp"
#include "list/table/live_recordset.hpp"
#include "qt_sql/live_qt_sql.hpp"
#include "sqlite/live_sqlite.hpp"
#include "tests/qt_sql/live_rows.hpp"
#include "tests/qt_sql/widget_host.hpp"

namespace cbo::test {
namespace {

using ::testing::HasSubstr;

const char* const kWords[] = {"Èboli",       "èboli",
                              "EBOLI",       "Forlì",
                              "forli",       "Straße",
                              "STRASSE",     "σοφος",
                              "ΣΟΦΟΣ",       "100%",
                              "10_0",        "a*b",
                              "a?b",         "l'Aquila",
                              "L'AQUILA",    "",
                              "Ǆemal",       "ǆemal",
                              "zzz",         "ab",
                              "abc",         "ABD",
                              "İ",           "ı",
                              "back\\slash", "'; DROP TABLE t; --"};
const char* const kPrefixes[] = {"", "e", "È", "f", "a", "ab", "A*", "10", "%", "_", "'", "\\", "s", "σ", "Σ", "ǅ"};

class QsqliteLive : public ::testing::Test {
protected:
  QsqliteLive() {
    db = QSqlDatabase::addDatabase("QSQLITE", "qsqlite_live");
    db.setDatabaseName(QString::fromStdString(dir.File("live.db")));
    if (!db.open()) ADD_FAILURE() << db.lastError().text().toStdString();
  }
  ~QsqliteLive() override {
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase("qsqlite_live");
  }
  // Table t with the rows; its indexes made with the statements a first
  // opening reports missing, on this connection (which has cbo_fold then).
  void MakeTable(const std::vector<TestRow>& rows, bool indexes = true) {
    Exec(db, "CREATE TABLE t (id INTEGER PRIMARY KEY, a TEXT, b TEXT)");
    InsertRows(db, "t", rows);
    if (!indexes) return;
    for (const QString& statement : openLiveTable(db, "t", "id", {"a", "b"}).missingIndexes) Exec(db, statement);
  }

  TempDir dir;
  QSqlDatabase db;
};

TEST_F(QsqliteLive, FindsSortsAndMovesEndOnTheRowTheMemoryTableEndsOn) {
  for (uint32_t seed = 1; seed <= 2; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    const std::vector<TestRow> rows = RandomRows(rng, 120, seed == 2, kWords);
    Exec(db, "DROP TABLE IF EXISTS t");
    MakeTable(rows);
    const LiveQtTable live = openLiveTable(db, "t", "id", {"a", "b"});
    EXPECT_TRUE(live.missingIndexes.isEmpty());
    WalkBoth(*live.table, *MemoryTable(rows), rows, rng, 200, kWords, kPrefixes);
  }
}

// The filter's text index, made on the application's own connection (which
// has the folding functions once a list was opened on it): a text few rows
// hold is found at once, and the rows are those the memory table's filter
// finds, by contains and by word start.
TEST_F(QsqliteLive, TheFilterFindsThroughTheTextIndexTheRowsTheMemoryFilterFinds) {
  std::mt19937 rng(5);
  std::vector<TestRow> rows = RandomRows(rng, 400, false, kWords);
  rows[17].a = "Jürgen Bäcker";
  rows[300].b = "jurgen";
  MakeTable(rows);
  for (const std::string& statement : FilterIndexStatements("t", "id", {"a", "b"}))
    Exec(db, QString::fromStdString(statement));
  const LiveQtTable live = openLiveTable(db, "t", "id", {"a", "b"});
  const auto memory = MemoryTable(rows);
  for (const FilterMatch how : {FilterMatch::Contains, FilterMatch::WordStart})
    for (const char* const text : {"JURG", "ürgen b", "boli", "100%", "zz"}) {
      SCOPED_TRACE(std::string(text) + (how == FilterMatch::Contains ? ", contains" : ", word start"));
      FilteredRows found(live.table, how, {0, 1}), reference(memory, how, {0, 1});
      found.SetText(text);
      reference.SetText(text);
      found.Scan(1);
      if (std::string(text).rfind("JURG", 0) == 0) {
        EXPECT_TRUE(found.Complete());
      }
      ASSERT_TRUE(SameFilteredRows(found, reference));
    }
}

// The widget's list is the table: the same rows, and typing finds the same
// rows, as in a widget holding them in memory.
TEST_F(QsqliteLive, AWidgetTypesAheadInTheTableAsInTheSameRowsInMemory) {
  std::mt19937 rng(7);
  const std::vector<TestRow> rows = RandomRows(rng, 60, false, kWords);
  MakeTable(rows);
  CboVarnoWidget live, memory;
  for (CboVarnoWidget* w : {&live, &memory}) {
    w->setStileCbo(CboVarnoWidget::ListCombo);
    w->addColumn("b");
    w->addColumn("a");
  }
  // The fields in another order: the list reads them in its columns' order.
  EXPECT_TRUE(live.attachTable(db, "t", "id", {"A", "b"}).isEmpty());
  QSqlQuery query(db);
  ASSERT_TRUE(query.prepare("SELECT a, b FROM t ORDER BY id"));
  ASSERT_TRUE(memory.fillFromQuery(query));
  ASSERT_EQ(ListRows(live.control()), ListRows(memory.control()));
  EXPECT_EQ(FieldNames(live.control()), (std::vector<std::string>{"b", "a"}));
  for (const char* typed : {"e", "è", "EB", "str", "σο", "'", "%", "_", "a*", "z", "q", "", "ǅ", "1"}) {
    SCOPED_TRACE(typed);
    live.setText(QString::fromUtf8(typed));
    memory.setText(QString::fromUtf8(typed));
    EXPECT_EQ(live.text(), memory.text());
    EXPECT_EQ(live.currentKey(), memory.currentKey());
  }
  live.control().Lista().Rcset_Cbo()->MoveFirst();
  memory.control().Lista().Rcset_Cbo()->MoveFirst();
  for (const char* criteria : {"a = 'èboli'", "b like 'STR*'", "a like '''*'"}) {
    live.control().Lista().Rcset_Cbo()->Find(criteria);
    memory.control().Lista().Rcset_Cbo()->Find(criteria);
    EXPECT_EQ(Described(*live.control().Lista().Rcset_Cbo()), Described(*memory.control().Lista().Rcset_Cbo()))
        << criteria;
  }
}

TEST_F(QsqliteLive, TheListRefusesEveryChangeOfItsRows) {
  MakeTable({{1, "x", "y"}});
  CboVarnoWidget widget;
  widget.attachTable(db, "t", "id", {"a", "b"});
  const ListState before = StateOf(widget);
  const Error added = ErrorOf([&] { widget.addRow(QVariantList{"p", "q"}); });
  EXPECT_EQ(added.kind(), ErrorKind::Database);
  const Error deleted = ErrorOf([&] { widget.control().Lista().Rcset_Cbo()->Delete(); });
  EXPECT_EQ(deleted.kind(), ErrorKind::Database);
  EXPECT_THAT(deleted.what(), HasSubstr("the list is read from the database (table \"t\")"));
  EXPECT_EQ(StateOf(widget), before);
  QSqlQuery count(db);
  ASSERT_TRUE(count.exec("SELECT count(*) FROM t") && count.next());
  EXPECT_EQ(count.value(0).toInt(), 1);
}

TEST_F(QsqliteLive, ATableColumnOrKeyItCannotUseIsRefusedByNameAndTheListStaysAsItWas) {
  MakeTable({{1, "x", "y"}, {2, "x", "z"}});
  Exec(db, "CREATE TABLE k (n INTEGER, s TEXT)");
  CboVarnoWidget widget;
  widget.setStileCbo(CboVarnoWidget::ListCombo);
  widget.addColumn("a");
  widget.addRow(QVariantList{"kept"});
  const ListState before = StateOf(widget);
  const struct {
    QString table, key;
    QStringList fields;
    const char* message;
  } cases[] = {
      {"nowhere", "id", {"a"}, "connection \"qsqlite_live\" (QSQLITE): there is no table or view \"nowhere\""},
      {"t", "id", {"c"}, "the fields (c) are not the list's columns (a)"},
      {"t", "nokey", {"a"}, "table \"t\" has no column \"nokey\" for the key"},
      {"t", "a", {"a"}, "the key column \"a\" of \"t\" is of type TEXT, not an integer column"},
      {"k", "n", {"s", "a"}, "are not the list's columns"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const Error e = ErrorOf([&] { widget.attachTable(db, c.table, c.key, c.fields); });
    EXPECT_EQ(e.kind(), ErrorKind::Database);
    EXPECT_THAT(e.what(), HasSubstr(c.message));
    EXPECT_EQ(StateOf(widget), before);
  }
  EXPECT_THAT(ErrorOf([&] { openLiveTable(db, "k", "n", {"s"}); }).what(), HasSubstr("\"n\" of \"k\" is not unique"));
  EXPECT_THAT(ErrorOf([&] { openLiveTable(db, "t", "id", {"a\" FROM t; --"}); }).what(), HasSubstr("has no column"));
  // A connection that is not open says so, and names it.
  QSqlDatabase closed = QSqlDatabase::addDatabase("QSQLITE", "qsqlite_closed");
  EXPECT_THAT(ErrorOf([&] { openLiveTable(closed, "t", "id", {"a"}); }).what(),
              HasSubstr("connection \"qsqlite_closed\" (QSQLITE): the connection is not open"));
  closed = QSqlDatabase();
  QSqlDatabase::removeDatabase("qsqlite_closed");
}

TEST_F(QsqliteLive, AConnectionClosedAndOpenedAgainStillFoldsAsTheList) {
  MakeTable({{1, "Èboli", "y"}, {2, "forlì", "z"}});
  const LiveQtTable live = openLiveTable(db, "t", "id", {"a", "b"});
  live.table->MoveFirst();
  db.close();
  EXPECT_THAT(ErrorOf([&] { live.table->Find("a = 'FORLÌ'"); }).what(), HasSubstr("the connection is not open"));
  ASSERT_TRUE(db.open());
  live.table->MoveFirst();
  live.table->Find("a = 'FORLÌ'");
  EXPECT_EQ(Described(*live.table), "1: \"forlì\" \"z\" \"2\"");
}

TEST_F(QsqliteLive, AStatementLongerThanTheTimeLimitIsStoppedAndTheTableStaysWhereItWas) {
  // Just under the size that must have indexes, and without them: a find
  // reads every row, calling cbo_fold on each, far longer than 1 ms.
  Exec(db, "CREATE TABLE t (id INTEGER PRIMARY KEY, a TEXT, b TEXT)");
  Exec(db,
       "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 99999) "
       "INSERT INTO t SELECT i, 'r' || i, 'same' FROM n");
  CboVarnoWidget widget;
  EXPECT_EQ(widget.attachTable(db, "t", "id", {"a", "b"}).size(), 2);
  Recordset& table = *widget.control().Lista().Rcset_Cbo();
  table.MoveTo(5);
  std::vector<int> told;
  QObject::connect(&widget, &CboVarnoWidget::timeLimitChanged, [&](int ms) { told.push_back(ms); });
  QStringList reported;
  QObject::connect(&widget, &CboVarnoWidget::errorOccurred,
                   [&](const QString& operation, const QString& message) { reported << operation + ": " + message; });
  widget.setProperty("timeLimit", 0);  // refused, reported
  EXPECT_EQ(widget.timeLimit(), 2000);
  EXPECT_EQ(reported, QStringList{"timeLimit: Overflow: timeLimit: 0 ms is not a time limit (it must be above 0)"});
  widget.setTimeLimit(1);
  EXPECT_EQ(told, std::vector<int>{1});
  const Error e = ErrorOf([&] { table.Find("b = 'other'"); });
  EXPECT_EQ(e.kind(), ErrorKind::Database);
  EXPECT_THAT(e.what(), HasSubstr("(a statement ran longer than the time limit of 1 ms)"));
  EXPECT_EQ(table.Position(), 5);
  widget.setTimeLimit(60'000);
  table.Find("b = 'other'");
  EXPECT_TRUE(table.Eof());
}

}  // namespace
}  // namespace cbo::test
