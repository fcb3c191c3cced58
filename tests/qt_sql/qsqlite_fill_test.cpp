// The fill from Qt SQL queries through QSQLITE: each QVariant type's text,
// and CboVarnoWidget::fillFromQuery with its fillProgress signal and
// cancelFill slot, compared with the SQLite fill.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTime>

#include "qt_sql/variant_text.hpp"
#include "sqlite/sqlite_fill.hpp"
#include "tests/qt_sql/widget_host.hpp"

namespace cbo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Rows = std::vector<std::vector<std::string>>;

// One value converted, as its text or "<Null>"; "<refused>" when it has none.
std::string TextOf(const QVariant& value) {
  RowBuffer rows({"v"});
  if (!appendValue(rows, value)) return "<refused>";
  Cell cell;
  rows.Next(std::span<Cell>(&cell, 1));
  return cell.null ? "<Null>" : std::string(cell.text);
}

TEST(QtSqlValues, EachTypeBecomesTheTextTheTableStores) {
  EXPECT_EQ(TextOf(QVariant(true)), "True");
  EXPECT_EQ(TextOf(QVariant(false)), "False");
  EXPECT_EQ(TextOf(QVariant(qint64{-9223372036854775807 - 1})), "-9223372036854775808");
  EXPECT_EQ(TextOf(QVariant(quint64{18446744073709551615u})), "18446744073709551615");
  EXPECT_EQ(TextOf(QVariant(short{-7})), "-7");
  EXPECT_EQ(TextOf(QVariant(0.1)), "0.1");
  EXPECT_EQ(TextOf(QVariant(0.1f)), "0.1");
  EXPECT_EQ(TextOf(QVariant(1e20)), "1e+20");
  EXPECT_EQ(TextOf(QVariant(QString::fromUtf8("Forlì ß ☃"))), "Forlì ß ☃");
  EXPECT_EQ(TextOf(QVariant(QString(""))), "");
  EXPECT_EQ(TextOf(QVariant(QTime(14, 30))), "14:30:00");
  EXPECT_EQ(TextOf(QVariant(QTime(14, 30, 5, 250))), "14:30:05.250");
  EXPECT_EQ(TextOf(QVariant(QByteArray("\x89PNG"))), "<refused>");
  // A typed SQL NULL, as the drivers give it.
  EXPECT_EQ(TextOf(QVariant(QMetaType::fromType<int>())), "<Null>");
  EXPECT_EQ(TextOf(QVariant(QMetaType::fromType<QString>())), "<Null>");
}

TEST(QtSqlValues, DatesAreStoredAsListItemStoresThem) {
  // The same days through ListItem with a date value.
  FillHost byHand;
  byHand.c().AddField("d");
  for (double serial : {45351.0, -30876.0, 0.0, 2.0}) {  // 2024-02-29, 1815-06-18, 1899-12-30, 1900-01-01
    byHand.c().ListItem("d", Variant(DateValue{serial}));
    byHand.c().AddItem();
  }
  const Rows stored = ListRows(byHand.c());
  EXPECT_EQ(TextOf(QVariant(QDate(2024, 2, 29))), stored[0][0]);
  EXPECT_EQ(TextOf(QVariant(QDate(1815, 6, 18))), stored[1][0]);
  EXPECT_EQ(TextOf(QVariant(QDate(1899, 12, 30))), stored[2][0]);
  EXPECT_EQ(TextOf(QVariant(QDate(1900, 1, 1))), stored[3][0]);
  EXPECT_EQ(stored[0][0], "2024-02-29");
  // A date and time is stored as its date, as a date value with a time is.
  EXPECT_EQ(TextOf(QVariant(QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59)))), "2024-02-29");
}

// A SQLite file opened through QSQLITE, filling a widget; the SQLite fill
// reads the same file for comparison. The table `righe` holds kRows rows.
class QsqliteFill : public ::testing::Test {
protected:
  static constexpr int kRows = 20000;

  QsqliteFill() {
    widget.setStileCbo(CboVarnoWidget::ListCombo);  // as FillHost's controls
    db = QSqlDatabase::addDatabase("QSQLITE", "qsqlite_fill");
    db.setDatabaseName(QString::fromStdString(file));
    if (!db.open()) ADD_FAILURE() << db.lastError().text().toStdString();
    for (const char* sql :
         {"CREATE TABLE comuni (id INTEGER, nome TEXT, prov TEXT, abitanti INTEGER, quota REAL, foto BLOB)",
          "INSERT INTO comuni VALUES (1, 'Forlì', 'FC', 117000, 34.0, NULL)",
          "INSERT INTO comuni VALUES (2, 'Cantù', NULL, 40000, 369.5, NULL)",
          "INSERT INTO comuni VALUES (3, 'Èboli', 'SA', -9223372036854775808, 0.1, X'00FF')",
          "INSERT INTO comuni VALUES (4, 'l''Aquila', '', 9223372036854775807, 1e20, NULL)",
          "CREATE TABLE righe (comune TEXT, prov TEXT)",
          "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000) "
          "INSERT INTO righe SELECT 'Comune ' || i, 'P' || (i % 100) FROM n"}) {
      QSqlQuery q(db);
      if (!q.exec(sql)) ADD_FAILURE() << q.lastError().text().toStdString();
    }
  }
  ~QsqliteFill() override {
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase("qsqlite_fill");
  }
  QSqlQuery Query(const char* sql) {
    QSqlQuery q(db);
    q.prepare(sql);
    return q;
  }

  TempDir dir;
  std::string file = dir.File("comuni.db");
  QSqlDatabase db;
  CboVarnoWidget widget;
};

TEST_F(QsqliteFill, RowsAreTheSameAsThroughTheSqliteFill) {
  const char* sql = "SELECT id, nome, prov, abitanti, quota FROM comuni ORDER BY id";
  QSqlQuery q = Query(sql);
  EXPECT_TRUE(widget.fillFromQuery(q));
  FillHost direct;
  FillFromSqlite(direct.c(), file, sql);
  EXPECT_EQ(ListRows(widget.control()), ListRows(direct.c()));
  EXPECT_EQ(ListRows(widget.control())[1], (std::vector<std::string>{"2", "Cantù", "<Null>", "40000", "369.5", "2"}));
  EXPECT_THAT(FieldNames(widget.control()), ElementsAre("id", "nome", "prov", "abitanti", "quota"));
  EXPECT_EQ(widget.text(), "1");
}

TEST_F(QsqliteFill, APreparedQueryIsRunWithItsBoundValues) {
  QSqlQuery q = Query("SELECT nome FROM comuni WHERE prov = ? OR id = ? ORDER BY id");
  q.addBindValue(QString("SA"));
  q.addBindValue(1);
  widget.fillFromQuery(q);
  EXPECT_EQ(ListRows(widget.control()), (Rows{{"Forlì", "1"}, {"Èboli", "2"}}));
}

TEST_F(QsqliteFill, AnActiveQueryIsReadFromWhereItStands) {
  QSqlQuery q(db);
  ASSERT_TRUE(q.exec("SELECT nome FROM comuni WHERE id <> 3 ORDER BY id"));
  ASSERT_TRUE(q.next());  // the host took the first row itself
  widget.fillFromQuery(q);
  EXPECT_EQ(ListRows(widget.control()), (Rows{{"Cantù", "1"}, {"l'Aquila", "2"}}));
}

TEST_F(QsqliteFill, AFailingQueryIsADatabaseErrorAndTheListStaysAsItWas) {
  TwoTowns(widget.control());
  const ListState before = StateOf(widget);
  QSqlQuery missing = Query("SELECT comune, prov FROM nowhere");
  Error e = ErrorOf([&] { widget.fillFromQuery(missing); });
  EXPECT_EQ(e.kind(), ErrorKind::Database);
  EXPECT_THAT(e.what(), HasSubstr("no such table"));
  QSqlQuery failed(db);
  EXPECT_FALSE(failed.exec("SELEC 1"));  // the host ran it and it failed
  e = ErrorOf([&] { widget.fillFromQuery(failed); });
  EXPECT_EQ(e.kind(), ErrorKind::Database);
  EXPECT_THAT(e.what(), HasSubstr("syntax error"));
  EXPECT_EQ(StateOf(widget), before);
}

// A connection never opened, and one whose opening failed: the error says
// the connection is not open, with the driver's reason when it has one.
TEST_F(QsqliteFill, AConnectionThatIsNotOpenSaysSo) {
  TwoTowns(widget.control());
  const ListState before = StateOf(widget);
  {
    QSqlDatabase never = QSqlDatabase::addDatabase("QSQLITE", "never_opened");
    never.setDatabaseName(QString::fromStdString(file));
    QSqlQuery q(never);
    q.prepare("SELECT nome FROM comuni");
    const Error e = ErrorOf([&] { widget.fillFromQuery(q); });
    EXPECT_EQ(e.kind(), ErrorKind::Database);
    EXPECT_THAT(e.what(), HasSubstr("the database connection is not open: it was never opened, or it was closed"));
    QSqlDatabase failed = QSqlDatabase::addDatabase("QSQLITE", "failed_open");
    failed.setDatabaseName(QString::fromStdString(dir.File("no/such/folder.db")));
    failed.setConnectOptions("QSQLITE_OPEN_READONLY");
    ASSERT_FALSE(failed.open());
    QSqlQuery f(failed);
    const Error e2 = ErrorOf([&] { widget.fillFromQuery(f); });
    EXPECT_THAT(e2.what(), HasSubstr("the database connection is not open: "));
    EXPECT_THAT(e2.what(), HasSubstr(failed.lastError().text().toStdString()));
  }
  QSqlDatabase::removeDatabase("never_opened");
  QSqlDatabase::removeDatabase("failed_open");
  EXPECT_EQ(StateOf(widget), before);
}

TEST_F(QsqliteFill, BinaryDataIsRefusedNamingItsRowAndColumn) {
  TwoTowns(widget.control());
  const ListState before = StateOf(widget);
  QSqlQuery q = Query("SELECT nome AS comune, prov, foto FROM comuni ORDER BY id");
  const Error e = ErrorOf([&] { widget.fillFromQuery(q); });
  EXPECT_EQ(e.kind(), ErrorKind::TypeMismatch);
  EXPECT_THAT(e.what(), HasSubstr("row 3, column \"foto\""));
  EXPECT_EQ(StateOf(widget), before);
}

// --- Progress and cancelling ---

TEST_F(QsqliteFill, ProgressStartsAtZeroAndNeverGoesBackNorPassesTheRowsRead) {
  std::vector<qint64> told;
  QObject::connect(&widget, &CboVarnoWidget::fillProgress, [&](qint64 rows) { told.push_back(rows); });
  QSqlQuery q = Query("SELECT comune, prov FROM righe");
  EXPECT_TRUE(widget.fillFromQuery(q));
  ASSERT_FALSE(told.empty());
  EXPECT_EQ(told.front(), 0);
  EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
  EXPECT_LE(told.back(), kRows);
  EXPECT_EQ(widget.control().Record_Count(), kRows);
}

TEST_F(QsqliteFill, CancelFillFromAProgressSlotLeavesTheListAsItWas) {
  TwoTowns(widget.control());
  const ListState before = StateOf(widget);
  int told = 0;
  QObject::connect(&widget, &CboVarnoWidget::fillProgress, [&] {
    ++told;
    widget.cancelFill();
  });
  QSqlQuery q = Query("SELECT comune, prov FROM righe");
  EXPECT_FALSE(widget.fillFromQuery(q));
  EXPECT_EQ(told, 1);  // nothing more is told once it is cancelled
  EXPECT_EQ(StateOf(widget), before);
}

TEST_F(QsqliteFill, ACancelOutsideAFillOrAfterOneDoesNotReachTheNext) {
  int cancelAt = -1, told = 0;
  QObject::connect(&widget, &CboVarnoWidget::fillProgress, [&] {
    if (told++ == cancelAt) widget.cancelFill();
  });
  widget.cancelFill();  // no fill is running
  QSqlQuery first = Query("SELECT comune, prov FROM righe WHERE rowid <= 10");
  EXPECT_TRUE(widget.fillFromQuery(first));
  // A fill cancelled, then one that fails: neither leaves a cancel behind.
  cancelAt = told;
  QSqlQuery cancelled = Query("SELECT comune, prov FROM righe");
  EXPECT_FALSE(widget.fillFromQuery(cancelled));
  cancelAt = -1;
  QSqlQuery failing = Query("SELECT comune, prov FROM nowhere");
  EXPECT_EQ(ErrorOf([&] { widget.fillFromQuery(failing); }).kind(), ErrorKind::Database);
  QSqlQuery last = Query("SELECT comune, prov FROM righe WHERE rowid > 10 AND rowid <= 15");
  EXPECT_TRUE(widget.fillFromQuery(last));
  EXPECT_EQ(widget.control().Record_Count(), 15);
  EXPECT_EQ(ListRows(widget.control()).back(), (std::vector<std::string>{"Comune 15", "P15", "15"}));
}

// A slot may start another fill of the same control while the first one is
// still reading its query: both go in, the inner one's rows first.
TEST_F(QsqliteFill, AFillStartedFromAProgressSlotGoesInBeforeTheOuterOnesRows) {
  bool started = false;
  QObject::connect(&widget, &CboVarnoWidget::fillProgress, [&] {
    if (started) return;
    started = true;
    QSqlQuery inner = Query("SELECT comune, prov FROM righe WHERE rowid <= 2");
    EXPECT_TRUE(widget.fillFromQuery(inner));
  });
  QSqlQuery outer = Query("SELECT comune, prov FROM righe WHERE rowid > 19998");
  EXPECT_TRUE(widget.fillFromQuery(outer));
  EXPECT_EQ(ListRows(widget.control()), (Rows{{"Comune 1", "P1", "1"},
                                              {"Comune 2", "P2", "2"},
                                              {"Comune 19999", "P99", "3"},
                                              {"Comune 20000", "P0", "4"}}));
}

// ... and a cancel from within the inner fill cancels the outer one as well.
TEST_F(QsqliteFill, ACancelDuringANestedFillCancelsBoth) {
  TwoTowns(widget.control());
  const ListState before = StateOf(widget);
  int depth = 0;
  bool innerResult = true;
  QObject::connect(&widget, &CboVarnoWidget::fillProgress, [&] {
    if (depth == 0) {
      depth = 1;
      QSqlQuery inner = Query("SELECT comune, prov FROM righe");
      innerResult = widget.fillFromQuery(inner);
    } else {
      widget.cancelFill();
    }
  });
  QSqlQuery outer = Query("SELECT comune, prov FROM righe");
  EXPECT_FALSE(widget.fillFromQuery(outer));
  EXPECT_FALSE(innerResult);
  EXPECT_EQ(StateOf(widget), before);
}

}  // namespace
}  // namespace cbo::test
