// Our database fills on the headless platform: the bulk fill from rows in
// memory, and the fill from a SQLite file end to end (open, query, read,
// fill), with the read alone beside it.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <memory>

#include "bench/data.hpp"
#include "bench/database.hpp"
#include "bench/figures.hpp"
#include "bench/host.hpp"
#include "bench/memory_rows.hpp"
#include "bench/suites.hpp"
#include "list/list_store.hpp"
#include "sqlite/sqlite_fill.hpp"

namespace bench {

namespace {

void BulkFill(benchmark::State& state, size_t n) {
  double rate = 0;
  for (auto _ : state) {
    (void)SharedRows();  // made before the measure
    auto host = std::make_unique<HeadlessHost>(cbo::ComboBox);
    MemoryRows rows(n);
    const Clock::time_point t0 = Clock::now();
    host->Control().AddRows(rows);
    const double us = MicrosSince(t0);
    rate = static_cast<double>(n) / (us / 1e6);
    state.SetIterationTime(us / 1e6);
  }
  state.counters["rows_per_s"] = rate;
  Record("bulk_fill_rows_per_s", n, Side::Ours, rate);
}

// Beside the wall clock, the CPU time of the fill (cpu_rows_per_s) and of
// the read alone (read_cpu_rows_per_s): all of it runs on this thread.
void SqliteFill(benchmark::State& state, size_t n) {
  double rate = 0, readRate = 0, cpuRate = 0, readCpuRate = 0;
  const std::string& file = DatabaseFile();  // made before the measure
  const std::string query = RowsQuery(n);
  for (auto _ : state) {
    auto host = std::make_unique<HeadlessHost>(cbo::ComboBox);
    Clock::time_point t0 = Clock::now();
    double cpu0 = ThreadCpuMicros();
    cbo::FillFromSqlite(host->Control(), file, query);
    const double us = MicrosSince(t0);
    cpuRate = static_cast<double>(n) / ((ThreadCpuMicros() - cpu0) / 1e6);
    rate = static_cast<double>(n) / (us / 1e6);
    state.SetIterationTime(us / 1e6);
    // The read alone: open, query and read into the buffer.
    sqlite3* db = nullptr;
    t0 = Clock::now();
    cpu0 = ThreadCpuMicros();
    sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    benchmark::DoNotOptimize(cbo::ReadSqlite(db, query));
    sqlite3_close(db);
    readRate = static_cast<double>(n) / (MicrosSince(t0) / 1e6);
    readCpuRate = static_cast<double>(n) / ((ThreadCpuMicros() - cpu0) / 1e6);
  }
  state.counters["rows_per_s"] = rate;
  state.counters["read_rows_per_s"] = readRate;
  state.counters["cpu_rows_per_s"] = cpuRate;
  state.counters["read_cpu_rows_per_s"] = readCpuRate;
  Record("sqlite_fill_rows_per_s", n, Side::Ours, rate);
}

}  // namespace

void RegisterOursDatabase(size_t n) {
  const std::string at = "/" + std::to_string(n);
  benchmark::RegisterBenchmark(("ours/bulk_fill" + at).c_str(), BulkFill, n)
      ->UseManualTime()
      ->Iterations(1)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark(("ours/sqlite_fill" + at).c_str(), SqliteFill, n)
      ->UseManualTime()
      ->Iterations(1)
      ->Unit(benchmark::kMillisecond);
}

}  // namespace bench
