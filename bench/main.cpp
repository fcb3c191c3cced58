// The benchmark program: our control, Qt's widgets and the plain scan on the
// same generated rows, at each size, then one RESULT line per figure.
//   --quick      1M rows only, few texts and repetitions
//   --smoke      1k rows, a handful of texts: checks that everything runs
//   --sizes=A,B  the row counts to measure
// Any other argument goes to Google Benchmark.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench/figures.hpp"
#include "bench/suites.hpp"

namespace {

const char* const kFigures[] = {"keystroke_median_us", "keystroke_worst_us", "grid_search_median_us",
                                "grid_search_worst_us", "fill_rows_per_s", "bytes_per_row", "sort_ms", "open_ms",
                                "bulk_fill_rows_per_s", "sqlite_fill_rows_per_s"};

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
  std::vector<char*> rest{argv[0]};
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--quick") {
      o.sizes = {1'000'000};
      o.queries = 60;
      repetitions = 1;
    } else if (a == "--smoke") {
      o.sizes = {1'000};
      o.queries = 8;
      o.smoke = true;
      repetitions = 1;
    } else if (a.rfind("--sizes=", 0) == 0) {
      o.sizes = SizesFrom(a.substr(8));
    } else {
      rest.push_back(argv[i]);
    }
  }
  int restCount = static_cast<int>(rest.size());
  const bool qt = bench::StartQt(restCount, rest.data());
  benchmark::Initialize(&restCount, rest.data());
  for (size_t n : o.sizes) {
    for (const char* name : kFigures) bench::Declare(name, n);
    bench::RegisterOurs(n, repetitions);
    bench::RegisterOursDatabase(n);
    if (qt) {
      bench::RegisterOursQt(n, repetitions);
      bench::RegisterPeer(n, repetitions);
      bench::RegisterPeerDatabase(n);
    }
    bench::RegisterFloor(n, repetitions);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  bench::StopQt();
  bench::PrintResults();
  return 0;
}
