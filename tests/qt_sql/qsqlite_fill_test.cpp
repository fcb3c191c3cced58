#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QTime>
#include <QUuid>

#include "platform/error.hpp"
#include "qt_sql/fill_from_query.hpp"
#include "qt_sql/variant_text.hpp"
#include "sqlite/sqlite_fill.hpp"
#include "tests/sqlite/fill_host.hpp"

namespace cbo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Rows = std::vector<std::vector<std::string>>;

template <class Call>
Error ErrorOf(Call call) {
  try {
    call();
  } catch (const Error& e) {
    return e;
  }
  ADD_FAILURE() << "no error was raised";
  return Error(ErrorKind::Widget, "none");
}

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

// A SQLite file opened through QSQLITE, and through the SQLite fill for
// comparison.
class QsqliteFill : public ::testing::Test {
protected:
  QsqliteFill() {
    db = QSqlDatabase::addDatabase("QSQLITE", "qsqlite_fill");
    db.setDatabaseName(QString::fromStdString(file));
    if (!db.open()) ADD_FAILURE() << db.lastError().text().toStdString();
    for (const char* sql : {
             "CREATE TABLE comuni (id INTEGER, nome TEXT, prov TEXT, abitanti INTEGER, quota REAL, foto BLOB)",
             "INSERT INTO comuni VALUES (1, 'Forlì', 'FC', 117000, 34.0, NULL)",
             "INSERT INTO comuni VALUES (2, 'Cantù', NULL, 40000, 369.5, NULL)",
             "INSERT INTO comuni VALUES (3, 'Èboli', 'SA', -9223372036854775808, 0.1, X'00FF')",
             "INSERT INTO comuni VALUES (4, 'l''Aquila', '', 9223372036854775807, 1e20, NULL)"}) {
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
  FillHost host;
};

TEST_F(QsqliteFill, RowsAreTheSameAsThroughTheSqliteFill) {
  const char* sql = "SELECT id, nome, prov, abitanti, quota FROM comuni ORDER BY id";
  QSqlQuery q = Query(sql);
  EXPECT_TRUE(fillFromQuery(host.c(), q));
  FillHost direct;
  FillFromSqlite(direct.c(), file, sql);
  EXPECT_EQ(ListRows(host.c()), ListRows(direct.c()));
  EXPECT_EQ(ListRows(host.c())[1], (std::vector<std::string>{"2", "Cantù", "<Null>", "40000", "369.5", "2"}));
  EXPECT_THAT(FieldNames(host.c()), ElementsAre("id", "nome", "prov", "abitanti", "quota"));
  EXPECT_EQ(host.c().Text(), "1");
}

TEST_F(QsqliteFill, APreparedQueryIsRunWithItsBoundValues) {
  QSqlQuery q = Query("SELECT nome FROM comuni WHERE prov = ? OR id = ? ORDER BY id");
  q.addBindValue(QString("SA"));
  q.addBindValue(1);
  fillFromQuery(host.c(), q);
  EXPECT_EQ(ListRows(host.c()), (Rows{{"Forlì", "1"}, {"Èboli", "2"}}));
}

TEST_F(QsqliteFill, AnActiveQueryIsReadFromWhereItStands) {
  QSqlQuery q(db);
  ASSERT_TRUE(q.exec("SELECT nome FROM comuni WHERE id <> 3 ORDER BY id"));
  ASSERT_TRUE(q.next());  // the host took the first row itself
  fillFromQuery(host.c(), q);
  EXPECT_EQ(ListRows(host.c()), (Rows{{"Cantù", "1"}, {"l'Aquila", "2"}}));
}

TEST_F(QsqliteFill, AFailingQueryIsADatabaseErrorAndTheListStaysAsItWas) {
  TwoTowns(host.c());
  const ListState before = StateOf(host);
  QSqlQuery missing = Query("SELECT comune, prov FROM nowhere");
  Error e = ErrorOf([&] { fillFromQuery(host.c(), missing); });
  EXPECT_EQ(e.kind(), ErrorKind::Database);
  EXPECT_THAT(e.what(), HasSubstr("no such table"));
  QSqlQuery failed(db);
  EXPECT_FALSE(failed.exec("SELEC 1"));  // the host ran it and it failed
  e = ErrorOf([&] { fillFromQuery(host.c(), failed); });
  EXPECT_EQ(e.kind(), ErrorKind::Database);
  EXPECT_THAT(e.what(), HasSubstr("syntax error"));
  EXPECT_EQ(StateOf(host), before);
}

TEST_F(QsqliteFill, BinaryDataIsRefusedNamingItsRowAndColumn) {
  TwoTowns(host.c());
  const ListState before = StateOf(host);
  QSqlQuery q = Query("SELECT nome AS comune, prov, foto FROM comuni ORDER BY id");
  const Error e = ErrorOf([&] { fillFromQuery(host.c(), q); });
  EXPECT_EQ(e.kind(), ErrorKind::TypeMismatch);
  EXPECT_THAT(e.what(), HasSubstr("row 3, column \"foto\""));
  EXPECT_EQ(StateOf(host), before);
}

TEST_F(QsqliteFill, ProgressCancelledAtOnceLeavesTheListAsItWas) {
  TwoTowns(host.c());
  const ListState before = StateOf(host);
  QSqlQuery q = Query("SELECT nome AS comune, prov FROM comuni");
  std::vector<int64_t> told;
  EXPECT_FALSE(fillFromQuery(host.c(), q, [&](int64_t rows) {
    told.push_back(rows);
    return false;
  }));
  EXPECT_THAT(told, ElementsAre(0));
  EXPECT_EQ(StateOf(host), before);
}

}  // namespace
}  // namespace cbo::test
