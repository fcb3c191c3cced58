// Our control and Qt's QSqlQueryModel on a live PostgreSQL list. The server
// is the throw-away one bench/run starts around the program
// (tests/qt_sql/with_postgres.sh, a Unix socket only); the first n generated
// rows go into its table `live` with the indexes the live table asks for
// (made once per size, untimed), and both read them through QPSQL.
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "bench/data.hpp"
#include "bench/figures.hpp"
#include "bench/host.hpp"
#include "bench/live_scenario.hpp"
#include "bench/query_model.hpp"
#include "bench/suites.hpp"
#include "list/table/live_database.hpp"
#include "platform/error.hpp"
#include "qt_sql/live_qpsql.hpp"
#include "qt_sql/live_qt_sql.hpp"

namespace bench {

namespace {

constexpr const char* kConnection = "bench-pg";

void Exec(const QSqlDatabase& db, const QString& sql) {
  QSqlQuery query(db);
  if (!query.exec(sql))
    throw std::runtime_error("bench PostgreSQL: " + query.lastError().text().toStdString() + " in " +
                             sql.left(120).toStdString());
}

QSqlDatabase Server() {
  if (!QSqlDatabase::contains(kConnection)) {
    QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", kConnection);
    db.setHostName(std::getenv("CBO_PG_SOCKET_DIR"));
    db.setPort(std::atoi(std::getenv("CBO_PG_PORT")));
    db.setUserName(std::getenv("CBO_PG_USER"));
    db.setDatabaseName("postgres");
    if (!db.open()) throw std::runtime_error("bench PostgreSQL: " + db.lastError().text().toStdString());
    // A server thrown away after the run: nothing to keep safe on disk.
    Exec(db, "SET synchronous_commit = off");
    Exec(db, "SET maintenance_work_mem = '512MB'");
  }
  return QSqlDatabase::database(kConnection);
}

// The table `live` holding the first n rows, loaded in batches of bound
// values, one transaction, and its indexes made afterwards.
void LoadTable(size_t n) {
  static size_t loaded = 0;
  if (loaded == n) return;
  QSqlDatabase db = Server();
  const Clock::time_point t0 = Clock::now();
  QString create = "CREATE TABLE live (id bigint PRIMARY KEY";
  QString row = "(?";
  for (int c = 0; c < kColumns; ++c) {
    create += QStringLiteral(", \"%1\" text").arg(kFieldNames[c]);
    row += ", ?";
  }
  row += ")";
  Exec(db, "DROP TABLE IF EXISTS live");
  Exec(db, create + ")");
  constexpr size_t kBatch = 1000;
  db.transaction();
  QSqlQuery insert(db);
  // The rows one at a time as they are made: a --huge table is never held.
  ForEachRow(n, [&](size_t r, const Row& values) {
    const size_t first = r - r % kBatch;
    if (r == first && (first == 0 || n - first < kBatch)) {  // a batch of a new length
      QString sql = "INSERT INTO live VALUES " + row;
      for (size_t i = 1; i < std::min(kBatch, n - first); ++i) sql += ", " + row;
      insert.prepare(sql);
    }
    insert.addBindValue(QVariant::fromValue<qlonglong>(static_cast<qlonglong>(r + 1)));
    for (int c = 0; c < kColumns; ++c) insert.addBindValue(QString::fromStdString(values[static_cast<size_t>(c)]));
    if ((r + 1) % kBatch == 0 || r + 1 == n) {
      if (!insert.exec()) throw std::runtime_error("bench PostgreSQL: " + insert.lastError().text().toStdString());
    }
  });
  db.commit();
  cbo::qt_sql::QpsqlLive live(db);
  const std::vector<std::string> missing = cbo::qt_sql::MissingQpsqlIndexes(live, "live", "id", LiveFields());
  Exec(db, "SET statement_timeout = 0");  // the check left the list's time limit on the session
  for (const std::string& statement : missing) Exec(db, QString::fromStdString(statement));
  // The filter's trigram indexes, timed apart: what they cost the table's
  // owner once.
  if (Settings().filterIndexes) {
    const Clock::time_point f0 = Clock::now();
    for (const std::string& statement : cbo::qt_sql::QpsqlFilterIndexStatements("live", LiveFields()))
      Exec(db, QString::fromStdString(statement));
    std::fprintf(stderr, "live_pg: the filter's trigram indexes of %zu rows took %.0f s\n", n, MicrosSince(f0) / 1e6);
  }
  // Marks the pages all-visible, as autovacuum would in time: the indexes
  // are then read without the table.
  Exec(db, "VACUUM ANALYZE live");
  std::fprintf(stderr, "live_pg: %zu rows loaded and indexed in %.0f s\n", n, MicrosSince(t0) / 1e6);
  loaded = n;
}

QStringList Fields() {
  QStringList fields;
  for (const std::string& field : LiveFields()) fields << QString::fromStdString(field);
  return fields;
}

// The time limit the scenario runs with: the default one, or a longer one
// when the table cannot be counted within it (the attach refused with the
// time-out is reported).
constexpr int kDefaultTimeLimitMs = 2000;

int TimeLimitFor(const QSqlDatabase& db, size_t n) {
  constexpr int kLonger = 30'000;
  HeadlessHost host(cbo::ComboBox);
  const Clock::time_point t0 = Clock::now();
  try {
    cbo::attachLiveTable(host.Control(), db, "live", "id", Fields(), kDefaultTimeLimitMs);
    return kDefaultTimeLimitMs;
  } catch (const cbo::Error& e) {
    std::fprintf(stderr, "live_pg n=%zu: the attach with the default time limit was refused after %.0f ms: %s\n", n,
                 MicrosSince(t0) / 1000, e.what());
    return kLonger;
  }
}

void OursLivePg(benchmark::State& state, size_t n) {
  LoadTable(n);  // before the measure
  const QSqlDatabase db = Server();
  const int timeLimitMs = TimeLimitFor(db, n);
  if (timeLimitMs != kDefaultTimeLimitMs)
    std::fprintf(stderr, "live_pg n=%zu: the figures are made with a limit of %d ms\n", n, timeLimitMs);
  LiveScenario(state, n, "live_pg", [&](cbo::CboVarno& control) {
    return cbo::attachLiveTable(control, db, "live", "id", Fields(), timeLimitMs).table;
  });
}

// Qt's model over the same table: the first rows (QPSQL hands over the whole
// result at once), then every row fetched to reach the last one.
void PeerLivePg(benchmark::State& state, size_t n) {
  LoadTable(n);
  const QSqlDatabase db = Server();
  for (auto _ : state) {
    Exec(db, "SET statement_timeout = 0");  // as a connection of its own would have it
    ReadQueryModel(state, n, db, "live_pg", ResidentBytes(), Clock::now());
  }
}

}  // namespace

bool PostgresGiven() {
  return std::getenv("CBO_PG_SOCKET_DIR") && std::getenv("CBO_PG_PORT") && std::getenv("CBO_PG_USER");
}

void RegisterLivePg(size_t n, bool peer) {
  benchmark::RegisterBenchmark(("ours/live_pg/" + std::to_string(n)).c_str(), OursLivePg, n)
      ->UseManualTime()
      ->Iterations(1)
      ->Unit(benchmark::kMillisecond);
  if (!peer) return;
  benchmark::RegisterBenchmark(("qt/sql_query_model_live_pg/" + std::to_string(n)).c_str(), PeerLivePg, n)
      ->UseManualTime()
      ->Iterations(1)
      ->Unit(benchmark::kMillisecond);
}

}  // namespace bench
