// The peer of the SQLite fill: Qt's QSqlQueryModel on the same file through
// QSQLITE, read to the end (fetchMore until done) and set on a QComboBox whose
// drop-down is a QTableView.
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>
#include <memory>

#include "bench/database.hpp"
#include "bench/figures.hpp"
#include "bench/live_database.hpp"
#include "bench/query_model.hpp"
#include "bench/suites.hpp"

namespace bench {

namespace {

void QueryModelFill(benchmark::State& state, size_t n) {
  double rate = 0, cpuRate = 0;
  const QString file = QString::fromStdString(DatabaseFile());  // made before the measure
  const QString query = QString::fromStdString(RowsQuery(n));
  for (auto _ : state) {
    {
      const Clock::time_point t0 = Clock::now();
      const double cpu0 = ThreadCpuMicros();
      QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bench");
      db.setDatabaseName(file);
      db.open();
      auto model = std::make_unique<QSqlQueryModel>();
      model->setQuery(QSqlQuery(query, db));
      while (model->canFetchMore()) model->fetchMore();
      auto combo = std::make_unique<QComboBox>();
      combo->setView(new QTableView);
      combo->setModel(model.get());
      const double us = MicrosSince(t0);
      cpuRate = static_cast<double>(n) / ((ThreadCpuMicros() - cpu0) / 1e6);
      if (static_cast<size_t>(model->rowCount()) != n) state.SkipWithError("QSqlQueryModel lost rows");
      rate = static_cast<double>(n) / (us / 1e6);
      state.SetIterationTime(us / 1e6);
      combo.reset();
      model.reset();
    }
    QSqlDatabase::removeDatabase("bench");
  }
  state.counters["rows_per_s"] = rate;
  state.counters["cpu_rows_per_s"] = cpuRate;
  Record("sqlite_fill_rows_per_s", n, Side::Peer, rate);
}

// Beside the live list: the same table through QSqlQueryModel, which reads
// the rows as its view asks (fetchMore): the first rows, then every row
// fetched to reach the last one, and what the process holds then.
void QueryModelLive(benchmark::State& state, size_t n) {
  const QString file = QString::fromStdString(LiveFileOf(n));  // made before the measure
  for (auto _ : state) {
    {
      const size_t before = ResidentBytes();
      const Clock::time_point t0 = Clock::now();
      QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bench-live");
      db.setDatabaseName(file);
      db.setConnectOptions("QSQLITE_OPEN_READONLY");
      db.open();
      ReadQueryModel(state, n, db, "live", before, t0);
    }
    QSqlDatabase::removeDatabase("bench-live");
  }
}

}  // namespace

void ReadQueryModel(benchmark::State& state, size_t n, const QSqlDatabase& db, const std::string& figures,
                    size_t before, Clock::time_point t0) {
  auto model = std::make_unique<QSqlQueryModel>();
  model->setQuery(QSqlQuery("SELECT * FROM live ORDER BY id", db));
  const double first = MicrosSince(t0) / 1000;
  t0 = Clock::now();
  while (model->canFetchMore()) model->fetchMore();
  const double last = MicrosSince(t0) / 1000;
  if (static_cast<size_t>(model->rowCount()) != n) state.SkipWithError("QSqlQueryModel lost rows");
  const double memoryMb = ResidentGrowthMb(before);
  state.SetIterationTime(first / 1e3);
  state.counters["first_rows_ms"] = first;
  state.counters["last_row_ms"] = last;
  state.counters["memory_mb"] = memoryMb;
  Record(figures + "_attach_ms", n, Side::Peer, first);
  Record(figures + "_end_ms", n, Side::Peer, last);
  Record(figures + "_memory_mb", n, Side::Peer, memoryMb);
}

void RegisterPeerDatabase(size_t n) {
  benchmark::RegisterBenchmark(("qt/sql_query_model_live" + ("/" + std::to_string(n))).c_str(), QueryModelLive, n)
      ->UseManualTime()
      ->Iterations(1)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark(("qt/sql_query_model" + ("/" + std::to_string(n))).c_str(), QueryModelFill, n)
      ->UseManualTime()
      ->Iterations(1)
      ->Unit(benchmark::kMillisecond);
}

}  // namespace bench
