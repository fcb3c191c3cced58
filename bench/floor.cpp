// The floor: what the same work costs on the plainest layout, a contiguous
// column of pre-lowered texts with an offset per row, scanned from the top.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <string_view>

#include "bench/data.hpp"
#include "bench/figures.hpp"
#include "bench/suites.hpp"

namespace bench {

namespace {

struct Column {
  std::string bytes;
  std::vector<uint32_t> ends;
  std::string_view At(size_t i) const {
    const uint32_t begin = i == 0 ? 0 : ends[i - 1];
    return std::string_view(bytes).substr(begin, ends[i] - begin);
  }
  void Append(std::string_view v) {
    bytes.append(v);
    ends.push_back(static_cast<uint32_t>(bytes.size()));
  }
};

Column LoweredColumn(size_t n) {
  Column c;
  for (size_t i = 0; i < n; ++i) c.Append(Lowered(SharedRows().rows[i][0]));
  return c;
}

// The first row equal to (or beginning with) the key; n when none.
size_t FirstMatch(const Column& c, std::string_view key, bool prefix) {
  const size_t n = c.ends.size();
  for (size_t i = 0; i < n; ++i) {
    std::string_view v = c.At(i);
    if (prefix ? v.starts_with(key) : v == key) return i;
  }
  return n;
}

template <class Query>
void Searches(benchmark::State& state, size_t n, const char* median, const char* worst, Query query) {
  const Column c = LoweredColumn(n);
  const std::vector<std::string> prefixes = MakePrefixes(SharedRows(), n, Settings().queries);
  std::vector<double> times, misses;
  for (auto _ : state) {
    for (const std::string& p : prefixes) {
      const std::string key = Lowered(p);
      const Clock::time_point t0 = Clock::now();
      benchmark::DoNotOptimize(query(c, key));
      times.push_back(MicrosSince(t0));
    }
    for (int i = 0; i < 10; ++i) {
      const std::string key = Lowered(NoMatchText());
      const Clock::time_point t0 = Clock::now();
      benchmark::DoNotOptimize(query(c, key));
      misses.push_back(MicrosSince(t0));
    }
    state.SetIterationTime(Median(misses) / 1e6);
  }
  state.counters["median_us"] = Median(times);
  state.counters["nomatch_us"] = Median(misses);
  Record(median, n, Side::Floor, Median(times));
  Record(worst, n, Side::Floor, Median(misses));
}

void KeystrokeFloor(benchmark::State& state, size_t n) {
  // Exact, then begins-with, as the control asks.
  Searches(state, n, "keystroke_median_us", "keystroke_worst_us", [](const Column& c, const std::string& key) {
    size_t hit = FirstMatch(c, key, false);
    return hit != c.ends.size() ? hit : FirstMatch(c, key, true);
  });
}

void GridSearchFloor(benchmark::State& state, size_t n) {
  Searches(state, n, "grid_search_median_us", "grid_search_worst_us",
           [](const Column& c, const std::string& key) { return FirstMatch(c, key, true); });
}

void FillFloor(benchmark::State& state, size_t n) {
  double rate = 0;
  for (auto _ : state) {
    Column columns[kColumns];
    const Clock::time_point t0 = Clock::now();
    for (size_t i = 0; i < n; ++i)
      for (int c = 0; c < kColumns; ++c) columns[c].Append(SharedRows().rows[i][static_cast<size_t>(c)]);
    const double us = MicrosSince(t0);
    benchmark::DoNotOptimize(columns[0].bytes.data());
    rate = static_cast<double>(n) / (us / 1e6);
    state.SetIterationTime(us / 1e6);
  }
  state.counters["rows_per_s"] = rate;
  Record("fill_rows_per_s", n, Side::Floor, rate);
  // The raw text and one 32-bit offset per value.
  double raw = 0;
  for (size_t i = 0; i < n; ++i)
    for (const std::string& v : SharedRows().rows[i]) raw += static_cast<double>(v.size());
  Record("bytes_per_row", n, Side::Floor, raw / static_cast<double>(n) + 4.0 * kColumns);
}

void SortFloor(benchmark::State& state, size_t n) {
  const Column c = LoweredColumn(n);
  std::vector<double> times;
  for (auto _ : state) {
    std::vector<uint32_t> order(n);
    std::iota(order.begin(), order.end(), 0u);
    const Clock::time_point t0 = Clock::now();
    std::stable_sort(order.begin(), order.end(), [&c](uint32_t a, uint32_t b) { return c.At(a) < c.At(b); });
    times.push_back(MicrosSince(t0) / 1000);
    state.SetIterationTime(times.back() / 1e3);
  }
  Record("sort_ms", n, Side::Floor, Median(times));
}

}  // namespace

void RegisterFloor(size_t n, int repetitions) {
  const std::string at = "/" + std::to_string(n);
  auto manual = [](benchmark::internal::Benchmark* b, int iterations) {
    b->UseManualTime()->Iterations(iterations)->Unit(benchmark::kMicrosecond);
  };
  manual(benchmark::RegisterBenchmark(("floor/fill" + at).c_str(), FillFloor, n), 1);
  manual(benchmark::RegisterBenchmark(("floor/keystroke" + at).c_str(), KeystrokeFloor, n), 1);
  manual(benchmark::RegisterBenchmark(("floor/grid_search" + at).c_str(), GridSearchFloor, n), 1);
  manual(benchmark::RegisterBenchmark(("floor/sort" + at).c_str(), SortFloor, n), repetitions);
}

}  // namespace bench
