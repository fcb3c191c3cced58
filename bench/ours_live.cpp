// Our control on a live SQLite list: the generated rows in a file of their
// own with the indexes docs/database.md gives (made once per size, untimed),
// attached as the list and used as a user does: type-ahead, the first
// opening, Page Down, End, a header sort and the filter's first screenful.
// Every figure is one round trip or a few: none grows with the table but
// the filter's counting and the sort's before the rank maps are made (the
// idle time they take is a figure of its own).
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>

#include "bench/data.hpp"
#include "bench/figures.hpp"
#include "bench/host.hpp"
#include "bench/live_database.hpp"
#include "bench/live_scenario.hpp"
#include "bench/suites.hpp"
#include "list/table/filtered_rows.hpp"
#include "list/table/live_recordset.hpp"
#include "platform/error.hpp"
#include "sqlite/live_sqlite.hpp"

namespace bench {

namespace {

void Exec(sqlite3* db, const std::string& sql) {
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
    throw std::runtime_error("bench live database: " + std::string(sqlite3_errmsg(db)));
}

// The first n generated rows in table `live` keyed by `id`, with an index on
// each column's folded text.
class LiveFile {
public:
  explicit LiveFile(size_t n) {
    std::string pattern = (std::filesystem::temp_directory_path() / "cbo-bench-live-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("bench live database: cannot make a temporary folder");
    dir_ = pattern;
    file = (dir_ / "live.db").string();
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    cbo::RegisterFolding(db);
    std::string create = "CREATE TABLE live (id INTEGER PRIMARY KEY", insert = "INSERT INTO live VALUES (?";
    for (int c = 0; c < kColumns; ++c) {
      create += std::string(", ") + kFieldNames[c] + " TEXT";
      insert += ", ?";
    }
    Exec(db, create + "); BEGIN");
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, (insert + ")").c_str(), -1, &st, nullptr);
    const auto& rows = SharedRows().rows;
    for (size_t r = 0; r < n; ++r) {
      sqlite3_bind_int64(st, 1, static_cast<sqlite3_int64>(r + 1));
      for (int c = 0; c < kColumns; ++c) {
        const std::string& v = rows[r][static_cast<size_t>(c)];
        sqlite3_bind_text(st, c + 2, v.data(), static_cast<int>(v.size()), SQLITE_STATIC);
      }
      sqlite3_step(st);
      sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    Exec(db, "COMMIT");
    for (int c = 0; c < kColumns; ++c)
      Exec(db, std::string("CREATE INDEX live_") + kFieldNames[c] + " ON live(cbo_fold(" + kFieldNames[c] + "), id)");
    // The filter's text index, timed and weighed apart: what it costs the
    // table's owner once.
    const double tableMb = FileMb();
    const Clock::time_point t0 = Clock::now();
    for (const std::string& statement : cbo::FilterIndexStatements("live", "id", LiveFields())) Exec(db, statement);
    std::fprintf(stderr,
                 "live sqlite n=%zu: the filter's text index took %.1f s and %.0f MB (the table and its "
                 "indexes %.0f MB)\n",
                 n, MicrosSince(t0) / 1e6, FileMb() - tableMb, tableMb);
    sqlite3_close(db);
  }
  double FileMb() const {
    std::error_code ignored;
    return static_cast<double>(std::filesystem::file_size(file, ignored)) / 1e6;
  }
  ~LiveFile() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  std::string file;

private:
  std::filesystem::path dir_;
};

}  // namespace

const std::string& LiveFileOf(size_t n) {
  static std::map<size_t, std::unique_ptr<LiveFile>> files;
  if (!files.count(n)) {
    files.clear();  // one size at a time on disk
    files[n] = std::make_unique<LiveFile>(n);
  }
  return files[n]->file;
}

namespace {

double MsSince(Clock::time_point t0) { return MicrosSince(t0) / 1000; }

}  // namespace

void LiveScenario(benchmark::State& state, size_t n, const std::string& figures, const AttachLive& attachTo) {
  for (auto _ : state) {
    const size_t before = ResidentBytes();
    auto host = std::make_unique<HeadlessHost>(cbo::ComboBox);
    Clock::time_point t0 = Clock::now();
    const std::shared_ptr<cbo::LiveRecordset> live = attachTo(host->Control());
    const double attach = MsSince(t0);
    state.SetIterationTime(attach / 1e3);

    std::vector<double> keys;
    for (const std::string& prefix : PrefixesOfFirst(n, Settings().queries)) {
      host->ClearBox();
      keys.push_back(host->TimeLastKey(prefix) / 1000);
    }
    host->ClearBox();

    // The rank maps, made as idle time makes them, a tick at a time: the
    // sort below places the current row by them.
    t0 = Clock::now();
    while (live->BuildIndexes(500'000)) {}
    const double ranks = MsSince(t0);

    double open = 0, pageDown = 0, end = 0, sort = 0, secondSort = 0;
    t0 = Clock::now();
    host->WithGridOpen([&] {
      open = MsSince(t0);
      Clock::time_point k0 = Clock::now();
      host->Grid().UserKey(cbo::headless::kPageDown);
      pageDown = MsSince(k0);
      k0 = Clock::now();
      host->Grid().UserKey(cbo::headless::kEnd);
      end = MsSince(k0);
      k0 = Clock::now();
      host->Header(1).UserClick();
      sort = MsSince(k0);
      k0 = Clock::now();
      host->Header(0).UserClick();  // a field whose values seldom repeat
      secondSort = MsSince(k0);
    });

    const double memoryMb = ResidentGrowthMb(before);

    // The same sort before any rank map is made: the rows before the
    // current one are counted.
    host = std::make_unique<HeadlessHost>(cbo::ComboBox);
    attachTo(host->Control());
    double coldSort = 0;
    try {
      host->WithGridOpen([&] {
        host->Grid().UserKey(cbo::headless::kEnd);
        const Clock::time_point k0 = Clock::now();
        host->Header(1).UserClick();
        coldSort = MsSince(k0);
      });
    } catch (const cbo::Error& e) {
      // Counting longer than the time limit: the sort is refused, the
      // order stays as it was.
      std::fprintf(stderr, "%s: the sort before the rank maps was refused: %s\n", figures.c_str(), e.what());
      coldSort = std::nan("");
    }

    // The filter typed at the first opening, the first row current (the
    // first screenful is read from the top down to the current row).
    host = std::make_unique<HeadlessHost>(cbo::ComboBox);
    attachTo(host->Control());
    host->Control().SetFilterMode(1);
    double filter = 0;
    host->WithGridOpen([&] {
      const Clock::time_point k0 = Clock::now();
      host->Grid().UserType(U'r');
      filter = MsSince(k0);
      host->Grid().UserKey(cbo::headless::kBackspace);  // the next Escape closes the drop-down
    });

    // A code few rows hold, typed into the filter line: the last key.
    host = std::make_unique<HeadlessHost>(cbo::ComboBox);
    const std::shared_ptr<cbo::LiveRecordset> inKeyOrder = attachTo(host->Control());
    host->Control().SetFilterMode(1);
    const std::string rare = RareFilterText();
    double rareKey = 0;
    host->WithGridOpen([&] {
      for (const char32_t c : CodePoints(rare)) {
        const Clock::time_point k0 = Clock::now();
        host->Grid().UserType(c);
        rareKey = MsSince(k0);
      }
      for (size_t i = 0; i < rare.size(); ++i) host->Grid().UserKey(cbo::headless::kBackspace);
    });
    // The count of every match, made apart from the control on the table
    // in key order (the first one is sorted by now, and a sorted list reads
    // stretches), at most 10 s; then the same over the fields and the key,
    // which no text index holds: the rows read in stretches, as without the
    // index.
    auto count = [&](std::vector<int32_t> fields) {
      const size_t counted = fields.size();
      cbo::FilteredRows rows(inKeyOrder, cbo::FilterMatch::Contains, std::move(fields));
      rows.SetText(rare);
      const Clock::time_point k0 = Clock::now();
      while (rows.Scan(1 << 16) && MsSince(k0) < 10'000) {}
      const double ms = MsSince(k0);
      std::fprintf(stderr, "%s n=%zu: filter \"%s\" over %zu fields found %d rows in %.1f ms%s\n", figures.c_str(), n,
                   rare.c_str(), counted, rows.Found(), ms, rows.Complete() ? "" : " (counting stopped at 10 s)");
      return rows.Complete() ? ms : std::nan("");
    };
    const double rareCount = count({0, 1, 2, 3});
    const double rareScan = count({0, 1, 2, 3, 4});

    state.counters["attach_ms"] = attach;
    state.counters["key_ms"] = Median(keys);
    state.counters["open_ms"] = open;
    state.counters["page_down_ms"] = pageDown;
    state.counters["end_ms"] = end;
    state.counters["sort_ms"] = sort;
    state.counters["sort_cold_ms"] = coldSort;
    state.counters["second_sort_ms"] = secondSort;
    state.counters["ranks_ms"] = ranks;
    state.counters["filter_first_ms"] = filter;
    state.counters["memory_mb"] = memoryMb;
    state.counters["filter_rare_key_ms"] = rareKey;
    state.counters["filter_rare_count_ms"] = rareCount;
    state.counters["filter_rare_scan_ms"] = rareScan;
    Record(figures + "_attach_ms", n, Side::Ours, attach);
    Record(figures + "_key_ms", n, Side::Ours, Median(keys));
    Record(figures + "_open_ms", n, Side::Ours, open);
    Record(figures + "_page_down_ms", n, Side::Ours, pageDown);
    Record(figures + "_end_ms", n, Side::Ours, end);
    Record(figures + "_sort_ms", n, Side::Ours, sort);
    Record(figures + "_sort_cold_ms", n, Side::Ours, coldSort);
    Record(figures + "_second_sort_ms", n, Side::Ours, secondSort);
    Record(figures + "_ranks_idle_ms", n, Side::Ours, ranks);
    Record(figures + "_filter_first_ms", n, Side::Ours, filter);
    Record(figures + "_memory_mb", n, Side::Ours, memoryMb);
    Record(figures + "_filter_rare_key_ms", n, Side::Ours, rareKey);
    Record(figures + "_filter_rare_count_ms", n, Side::Ours, rareCount);
    Record(figures + "_filter_rare_scan_ms", n, Side::Ours, rareScan);
  }
}

std::vector<std::string> LiveFields() {
  std::vector<std::string> fields;
  for (int c = 0; c < kColumns; ++c) fields.emplace_back(kFieldNames[c]);
  return fields;
}

namespace {

void Live(benchmark::State& state, size_t n) {
  const std::string& file = LiveFileOf(n);  // made before the measure
  LiveScenario(state, n, "live", [&](cbo::CboVarno& control) {
    return cbo::AttachSqlite(control, file, "live", "id", LiveFields()).table;
  });
}

}  // namespace

void RegisterOursLive(size_t n) {
  benchmark::RegisterBenchmark(("ours/live_sqlite/" + std::to_string(n)).c_str(), Live, n)
      ->UseManualTime()
      ->Iterations(1)
      ->Unit(benchmark::kMillisecond);
}

}  // namespace bench
