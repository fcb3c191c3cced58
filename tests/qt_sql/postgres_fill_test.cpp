// CboVarnoWidget filled through Qt's PostgreSQL driver on a real server,
// started for this program by with_postgres.sh (which says where in
// CBO_PG_SOCKET_DIR, CBO_PG_PORT and CBO_PG_USER).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDate>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <cstdlib>

#include "platform/variant.hpp"
#include "tests/qt_sql/widget_host.hpp"
#include "list/list_store.hpp"

namespace cbo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Rows = std::vector<std::vector<std::string>>;

constexpr int kRows = 100'000;
const char* const kConnection = "postgres_fill";

// Row i of the table the suite loads, as the list must hold it.
std::vector<std::string> ExpectedRow(int i) {
  static const char* const kNames[] = {"Forlì ", "Cantù ", "Èboli ", "Straße "};
  const std::string n = std::to_string(i);
  return {n,
          kNames[i % 4] + n,
          i % 10 == 0 ? "<Null>" : "P" + std::to_string(i % 100),
          std::to_string(int64_t{i} * 1000000007),
          FormatNumber(i * 0.1),
          i % 3 == 0 ? "True" : "False",
          QDate(2000, 1, 1).addDays(i).toString("yyyy-MM-dd").toStdString()};
}

class PostgresFill : public ::testing::Test {
protected:
  // Connects and loads the rows once for every test; what went wrong is kept
  // so that each test fails with it.
  static void SetUpTestSuite() {
    const char* dir = std::getenv("CBO_PG_SOCKET_DIR");
    const char* port = std::getenv("CBO_PG_PORT");
    const char* user = std::getenv("CBO_PG_USER");
    if (!dir || !port || !user) {
      setupError =
          "CBO_PG_SOCKET_DIR, CBO_PG_PORT and CBO_PG_USER are not set: run the program through "
          "tests/qt_sql/with_postgres.sh";
      return;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", kConnection);
    if (!db.isValid()) {
      setupError = "Qt's PostgreSQL driver QPSQL is not available (Debian's libqt6sql6-psql)";
      return;
    }
    db.setHostName(dir);
    db.setPort(std::atoi(port));
    db.setUserName(user);
    db.setDatabaseName("postgres");
    if (!db.open()) {
      setupError = "cannot connect to the server: " + db.lastError().text().toStdString();
      return;
    }
    QSqlQuery q(db);
    const std::string load =
        "INSERT INTO comuni SELECT i, (ARRAY['Forlì ', 'Cantù ', 'Èboli ', 'Straße '])[i % 4 + 1] || i, "
        "CASE WHEN i % 10 = 0 THEN NULL ELSE 'P' || (i % 100) END, i::bigint * 1000000007, i * 0.1::float8, "
        "i % 3 = 0, date '2000-01-01' + i, decode('00ff', 'hex') FROM generate_series(1, " +
        std::to_string(kRows) + ") AS i";
    if (!q.exec("CREATE TABLE comuni (id integer PRIMARY KEY, nome text, prov text, abitanti bigint, "
                "quota double precision, attivo boolean, fondazione date, stemma bytea)") ||
        !q.exec(QString::fromStdString(load)))
      setupError = "cannot load the rows: " + q.lastError().text().toStdString();
  }
  static void TearDownTestSuite() { QSqlDatabase::removeDatabase(kConnection); }

  void SetUp() override {
    ASSERT_TRUE(setupError.empty()) << setupError;
    widget.setStileCbo(CboVarnoWidget::ListCombo);
  }

  QSqlQuery Query(const std::string& sql) {
    QSqlQuery q(QSqlDatabase::database(kConnection));
    q.prepare(QString::fromStdString(sql));
    return q;
  }

  static inline std::string setupError;
  CboVarnoWidget widget;
  CboVarno& c = widget.control();
};

TEST_F(PostgresFill, EveryRowArrivesWithItsNullsAccentsNumbersTruthValuesAndDates) {
  QSqlQuery q = Query("SELECT id, nome, prov, abitanti, quota, attivo, fondazione FROM comuni ORDER BY id");
  EXPECT_TRUE(widget.fillFromQuery(q));
  EXPECT_THAT(FieldNames(c), ElementsAre("id", "nome", "prov", "abitanti", "quota", "attivo", "fondazione"));
  EXPECT_EQ(c.Record_Count(), kRows);
  EXPECT_EQ(c.Lista().MaxIndex(), kRows);
  const Rows rows = ListRows(c);
  ASSERT_EQ(rows.size(), static_cast<size_t>(kRows));
  int wrong = 0;
  for (int i = 1; i <= kRows && wrong < 5; ++i) {
    std::vector<std::string> expected = ExpectedRow(i);
    expected.push_back(std::to_string(i));  // the row index
    if (rows[static_cast<size_t>(i - 1)] != expected) {
      ++wrong;
      ADD_FAILURE() << "row " << i << " is " << ::testing::PrintToString(rows[static_cast<size_t>(i - 1)])
                    << ", expected " << ::testing::PrintToString(expected);
    }
  }
  EXPECT_EQ(c.Text(), "1");
}

TEST_F(PostgresFill, ValuesOfEachTypeBecomeTheTextTheTableStores) {
  QSqlQuery q = Query(
      "SELECT 1::smallint AS a, 2147483647 AS b, 9007199254740993::bigint AS c, 0.1::float8 AS d, "
      "0.1::real AS e, 12.5::numeric(10, 2) AS f, true AS g, false AS h, date '1815-06-18' AS i, "
      "timestamp '2024-02-29 23:59:59' AS j, time '14:30' AS k, 'Ünïcödé ☃ l''Aquila' AS l, NULL::text AS m, "
      "''::text AS n, NULL::integer AS o");
  widget.fillFromQuery(q);
  EXPECT_EQ(ListRows(c),
            (Rows{{"1", "2147483647", "9007199254740993", "0.1", "0.1", "12.5", "True", "False", "1815-06-18",
                   "2024-02-29", "14:30:00", "Ünïcödé ☃ l'Aquila", "<Null>", "", "<Null>", "1"}}));
}

TEST_F(PostgresFill, BoundValuesSelectTheRows) {
  QSqlQuery q = Query("SELECT nome FROM comuni WHERE prov = ? AND attivo = ? ORDER BY id");
  q.addBindValue(QString("P7"));
  q.addBindValue(true);
  widget.fillFromQuery(q);
  // i % 100 == 7 and i % 3 == 0: i = 207, 507, 807, ...
  EXPECT_EQ(c.Record_Count(), 333);
  EXPECT_EQ(ListRows(c).front(), (std::vector<std::string>{"Straße 207", "1"}));
}

TEST_F(PostgresFill, AFailingQueryLeavesTheListAsItWas) {
  TwoTowns(c);
  const ListState before = StateOf(widget);
  QSqlQuery syntax = Query("SELEC nome FROM comuni");
  Error e = ErrorOf([&] { widget.fillFromQuery(syntax); });
  EXPECT_EQ(e.kind(), ErrorKind::Database);
  EXPECT_THAT(e.what(), HasSubstr("syntax error"));
  // Fails on the server half way through the rows.
  QSqlQuery halfway = Query("SELECT nome AS comune, (1 / (50000 - id))::text AS prov FROM comuni ORDER BY id");
  e = ErrorOf([&] { widget.fillFromQuery(halfway); });
  EXPECT_EQ(e.kind(), ErrorKind::Database);
  EXPECT_THAT(e.what(), HasSubstr("division by zero"));
  QSqlQuery binary = Query("SELECT nome AS comune, prov, stemma FROM comuni ORDER BY id");
  e = ErrorOf([&] { widget.fillFromQuery(binary); });
  EXPECT_EQ(e.kind(), ErrorKind::TypeMismatch);
  EXPECT_THAT(e.what(), HasSubstr("row 1, column \"stemma\""));
  EXPECT_EQ(StateOf(widget), before);
}

// A server that cannot be reached: the connection is not open, and the error
// carries the driver's reason, not an empty query's.
TEST_F(PostgresFill, AConnectionThatIsNotOpenSaysSoWithTheDriversMessage) {
  TwoTowns(c);
  const ListState before = StateOf(widget);
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", "unreachable");
    db.setHostName(std::getenv("CBO_PG_SOCKET_DIR"));
    db.setPort(std::atoi(std::getenv("CBO_PG_PORT")) + 1);  // no server there
    db.setUserName(std::getenv("CBO_PG_USER"));
    db.setDatabaseName("postgres");
    ASSERT_FALSE(db.open());
    QSqlQuery q(db);
    q.prepare("SELECT nome FROM comuni");
    const Error e = ErrorOf([&] { widget.fillFromQuery(q); });
    EXPECT_EQ(e.kind(), ErrorKind::Database);
    EXPECT_THAT(e.what(), HasSubstr("the database connection is not open: "));
    EXPECT_THAT(e.what(), HasSubstr(db.lastError().text().toStdString()));
    EXPECT_THAT(e.what(), ::testing::Not(HasSubstr("query \"\"")));
    // A column of an expression without a name of its own.
    QSqlQuery unnamed = Query("SELECT nome AS \"bad name\" FROM comuni WHERE id = 1");
    CboVarnoWidget empty;
    const Error e2 = ErrorOf([&] { empty.fillFromQuery(unnamed); });
    EXPECT_THAT(e2.what(), HasSubstr("result column 1 \"bad name\""));
    EXPECT_THAT(e2.what(), HasSubstr("with AS"));
  }
  QSqlDatabase::removeDatabase("unreachable");
  EXPECT_EQ(StateOf(widget), before);
}

// All or nothing: a value the table refuses at row 50,000 leaves the list as
// it was, and the error names the row and the field.
TEST_F(PostgresFill, AValueOverTheFieldLimitLeavesTheListAsItWas) {
  TwoTowns(c);
  const ListState before = StateOf(widget);
  QSqlQuery q = Query(
      "SELECT nome AS comune, CASE WHEN id = 50000 THEN repeat('è', 101) ELSE 'XX' END AS prov FROM comuni "
      "ORDER BY id");
  const Error e = ErrorOf([&] { widget.fillFromQuery(q); });
  EXPECT_THAT(e.what(), HasSubstr("Prov"));
  EXPECT_THAT(e.what(), HasSubstr("50000"));
  EXPECT_EQ(StateOf(widget), before);
}

}  // namespace
}  // namespace cbo::test
