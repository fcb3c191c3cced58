// The benchmark program: our control, Qt's widgets and the plain scan on the
// same generated rows, at each size, then one RESULT line per figure.
//   (no option)  10k, 100k, 1M and 10M rows
//   --quick      1M rows only, few texts and repetitions, and our drop-down
//                opening at 10k as well (both ends of a flat opening)
//   --smoke      1k rows, a handful of texts: checks that everything runs
//   --huge       PostgreSQL's live figures only, at 100M rows, the rows made
//                as they are loaded and never held; Qt's model is left out
//                when its result would not fit in the memory available,
//                and so are the filter's trigram indexes (they would take
//                the run an hour more): the filter reads the rows
//   --sizes=A,B  the row counts to measure
//   --peer-up-to=N  Qt's widgets are measured up to N rows (1M unless
//                told): at 10M they would need some 15 GB beside ours;
//                above N Qt's filter proxy types one round of keys only
//   --peer-filter-up-to=N  Qt's filter proxy is measured up to N rows (1M
//                unless told): at 10M its first keys take over half an hour
// Any other argument goes to Google Benchmark.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/figures.hpp"
#include "bench/suites.hpp"

namespace {

// Whether Qt's model over n rows of the PostgreSQL table fits in the memory
// still available, 2 GB left over: QPSQL holds the whole result, some 150
// bytes a row (144 MB at 1M).
bool PeerPgFits(size_t n) {
  const double needs = static_cast<double>(n) * 150, available = static_cast<double>(bench::AvailableBytes());
  if (needs + 2e9 <= available) return true;
  std::fprintf(
      stderr,
      "Qt's QSqlQueryModel on PostgreSQL is left out at %zu rows: it would hold some %.1f GB, %.1f GB are available\n",
      n, needs / 1e9, available / 1e9);
  return false;
}

const char* const kFigures[] = {"keystroke_median_us",
                                "keystroke_worst_us",
                                "first_key_ms",
                                "grid_search_median_us",
                                "grid_search_worst_us",
                                "fill_rows_per_s",
                                "bytes_per_row",
                                "sort_ms",
                                "open_ms",
                                "bulk_fill_rows_per_s",
                                "sqlite_fill_rows_per_s",
                                "filter_key_ms",
                                "filter_first_rows_ms",
                                "filter_count_ms",
                                "filter_bytes_per_row"};

std::vector<size_t> SizesFrom(const std::string& list) {
  std::vector<size_t> sizes;
  size_t start = 0;
  while (start < list.size()) {
    size_t end = list.find(',', start);
    if (end == std::string::npos) end = list.size();
    sizes.push_back(std::stoul(list.substr(start, end - start)));
    start = end + 1;
  }
  return sizes;
}

}  // namespace

int main(int argc, char** argv) {
  bench::Options& o = bench::Settings();
  int repetitions = 3;
  size_t alsoOpenAt = 0;  // a size at which only our opening is measured
  size_t peerUpTo = 1'000'000;
  size_t peerFilterUpTo = 1'000'000;
  bool pgOnly = false;
  std::vector<char*> rest{argv[0]};
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--quick") {
      o.sizes = {1'000'000};
      o.queries = 60;
      repetitions = 1;
      alsoOpenAt = 10'000;
    } else if (a.rfind("--peer-filter-up-to=", 0) == 0) {
      peerFilterUpTo = std::stoul(a.substr(20));
    } else if (a.rfind("--peer-up-to=", 0) == 0) {
      peerUpTo = std::stoul(a.substr(13));
    } else if (a == "--smoke") {
      o.sizes = {1'000};
      o.queries = 8;
      o.smoke = true;
      repetitions = 1;
    } else if (a == "--huge") {
      o.sizes = {100'000'000};
      o.queries = 60;
      o.holdRows = false;
      o.filterIndexes = false;
      repetitions = 1;
      pgOnly = true;
    } else if (a.rfind("--sizes=", 0) == 0) {
      o.sizes = SizesFrom(a.substr(8));
    } else {
      rest.push_back(argv[i]);
    }
  }
  int restCount = static_cast<int>(rest.size());
  const bool qt = bench::StartQt(restCount, rest.data());
  benchmark::Initialize(&restCount, rest.data());
  if (alsoOpenAt && qt) {
    bench::Declare("open_ms", alsoOpenAt);
    bench::RegisterOursQt(alsoOpenAt, repetitions);
  }
  // PostgreSQL's figures when bench/run started a server for the run.
  const bool pg = qt && bench::PostgresGiven();
  if (pgOnly && !pg) {
    std::fprintf(stderr, "--huge measures PostgreSQL only and was given no server (bench/run gives one)\n");
    bench::StopQt();
    return 1;
  }
  if (qt && !pg)
    std::fprintf(stderr, "no PostgreSQL server given: its live figures are left out (bench/run gives one)\n");
  for (size_t n : o.sizes) {
    if (pgOnly) {
      bench::RegisterLivePg(n, PeerPgFits(n));
      continue;
    }
    for (const char* name : kFigures) bench::Declare(name, n);
    bench::RegisterOurs(n, repetitions);
    bench::RegisterOursDatabase(n);
    bench::RegisterOursLive(n);
    bench::RegisterOursFilter(n, repetitions);
    if (qt) {
      bench::RegisterOursQt(n, repetitions);
      if (n <= peerUpTo) {
        bench::RegisterPeer(n, repetitions);
        bench::RegisterPeerDatabase(n);
      }
      // A light table model, no item per cell: it fits beside ours at 10M,
      // where its keys take minutes: only the first keys after the fill.
      if (n <= peerFilterUpTo) bench::RegisterPeerFilter(n, n <= peerUpTo ? repetitions : 0);
      if (pg) bench::RegisterLivePg(n, true);
    }
    bench::RegisterFloor(n, repetitions);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  bench::StopQt();
  bench::PrintResults();
  return 0;
}
