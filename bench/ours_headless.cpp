// Our control on the headless platform, through the paths a user and a host
// take: type-ahead keystrokes, typed search and a header sort inside the open
// drop-down, filling the list, and opening and closing the drop-down.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "bench/data.hpp"
#include "bench/figures.hpp"
#include "bench/host.hpp"
#include "bench/suites.hpp"
#include "list/list_store.hpp"

namespace bench {

namespace {

// The slowest of the first keystrokes after the last fill, in milliseconds.
double& FirstKeyMs() {
  static double ms = 0;
  return ms;
}

// The first texts a user types after a fill, every key timed: a letter, a
// longer beginning of some row, the text that matches nothing.
double FirstKeys(HeadlessHost& host, size_t n) {
  double slowest = 0;
  std::vector<std::string> texts = {"a", MakePrefixes(SharedRows(), n, 2).back(), NoMatchText()};
  for (const std::string& text : texts) {
    host.ClearBox();
    slowest = std::max(slowest, host.TimeEachKey(text));
  }
  host.ClearBox();
  return slowest / 1000;
}

// One filled control per style, kept while the benchmarks of one size run.
HeadlessHost& Filled(uint8_t style, size_t n) {
  static std::unique_ptr<HeadlessHost> hosts[3];
  static size_t sizes[3] = {0, 0, 0};
  if (!hosts[style] || sizes[style] != n) {
    hosts[style].reset();
    hosts[style] = std::make_unique<HeadlessHost>(style);
    hosts[style]->Fill(SharedRows(), n);
    sizes[style] = n;
    // The first keystrokes read the rows while the search index of the text
    // column is not made yet; then the idle time a user leaves makes it, and
    // the figures below are the steady state.
    FirstKeyMs() = FirstKeys(*hosts[style], n);
    hosts[style]->Idle();
  }
  return *hosts[style];
}

struct Timings {
  double median = 0, noMatch = 0;
};

// Each existing prefix and the text that matches nothing, typed into an empty box.
Timings TypeAhead(HeadlessHost& host, size_t n) {
  Timings t;
  std::vector<double> times;
  for (const std::string& prefix : MakePrefixes(SharedRows(), n, Settings().queries)) {
    host.ClearBox();
    times.push_back(host.TimeLastKey(prefix));
  }
  t.median = Median(times);
  times.clear();
  for (size_t i = 0; i < std::max<size_t>(5, Settings().queries / 10); ++i) {
    host.ClearBox();
    times.push_back(host.TimeLastKey(NoMatchText()));
  }
  t.noMatch = Median(times);
  host.ClearBox();
  return t;
}

void Keystroke(benchmark::State& state, uint8_t style, size_t n) {
  Timings t;
  for (auto _ : state) {
    t = TypeAhead(Filled(style, n), n);
    state.SetIterationTime(t.noMatch / 1e6);
  }
  state.counters["median_us"] = t.median;
  state.counters["nomatch_us"] = t.noMatch;
  state.counters["first_key_ms"] = FirstKeyMs();
  // The figure is the slower of the two styles.
  static Timings slower;
  static double slowerFirst = 0;
  static size_t slowerN = 0;
  if (slowerN != n) slower = Timings{}, slowerFirst = 0, slowerN = n;
  slower.median = std::max(slower.median, t.median);
  slower.noMatch = std::max(slower.noMatch, t.noMatch);
  slowerFirst = std::max(slowerFirst, FirstKeyMs());
  Record("keystroke_median_us", n, Side::Ours, slower.median);
  Record("keystroke_worst_us", n, Side::Ours, slower.noMatch);
  Record("first_key_ms", n, Side::Ours, slowerFirst);
}

// Typed search in the open grid: the buffer is emptied (two timer ticks)
// before each text.
Timings GridSearch(HeadlessHost& host, size_t n) {
  Timings t;
  host.WithGridOpen([&] {
    auto typed = [&](const std::string& text) {
      host.Platform().Advance(2000);
      const std::u32string keys = CodePoints(text);
      for (size_t i = 0; i + 1 < keys.size(); ++i) host.Grid().UserType(keys[i]);
      const Clock::time_point t0 = Clock::now();
      host.Grid().UserType(keys.back());
      return MicrosSince(t0);
    };
    std::vector<double> times;
    for (const std::string& prefix : MakePrefixes(SharedRows(), n, Settings().queries)) times.push_back(typed(prefix));
    t.median = Median(times);
    times.clear();
    for (size_t i = 0; i < std::max<size_t>(5, Settings().queries / 10); ++i) times.push_back(typed(NoMatchText()));
    t.noMatch = Median(times);
  });
  return t;
}

void GridSearchBench(benchmark::State& state, size_t n) {
  Timings t;
  for (auto _ : state) {
    t = GridSearch(Filled(cbo::ComboBox, n), n);
    state.SetIterationTime(t.noMatch / 1e6);
  }
  state.counters["median_us"] = t.median;
  state.counters["nomatch_us"] = t.noMatch;
  Record("grid_search_median_us", n, Side::Ours, t.median);
  Record("grid_search_worst_us", n, Side::Ours, t.noMatch);
}

// A click on the display column's header, the rows ordered by the town before
// each one so that every sort has work to do.
void SortBench(benchmark::State& state, size_t n) {
  HeadlessHost& host = Filled(cbo::ComboBox, n);
  std::vector<double> times;
  for (auto _ : state) {
    host.WithGridOpen([&] {
      host.Header(2).UserClick();
      const Clock::time_point t0 = Clock::now();
      host.Header(0).UserClick();
      times.push_back(MicrosSince(t0) / 1000);
    });
    state.SetIterationTime(times.back() / 1e3);
  }
  Record("sort_ms", n, Side::Ours, Median(times));
}

void FillBench(benchmark::State& state, size_t n) {
  double rate = 0, perRow = 0;
  for (auto _ : state) {
    const Rows& rows = SharedRows();  // made before the first measure
    auto host = std::make_unique<HeadlessHost>(cbo::ComboBox);
    const size_t before = ResidentBytes();
    const Clock::time_point t0 = Clock::now();
    host->Fill(rows, n);
    const double us = MicrosSince(t0);
    perRow = static_cast<double>(ResidentBytes() - before) / static_cast<double>(n);
    rate = static_cast<double>(n) / (us / 1e6);
    state.SetIterationTime(us / 1e6);
  }
  const double raw = static_cast<double>(SharedRows().rawBytes) / static_cast<double>(SharedRows().rows.size());
  state.counters["rows_per_s"] = rate;
  state.counters["bytes_per_row"] = perRow;
  state.counters["raw_bytes_per_row"] = raw;
  Record("fill_rows_per_s", n, Side::Ours, rate);
  Record("bytes_per_row", n, Side::Ours, perRow);
}

void OpenHeadless(benchmark::State& state, size_t n) {
  HeadlessHost& host = Filled(cbo::ComboBox, n);
  std::vector<double> times;
  for (auto _ : state) {
    const Clock::time_point t0 = Clock::now();
    host.WithGridOpen([] {});
    times.push_back(MicrosSince(t0) / 1000);
    state.SetIterationTime(times.back() / 1e3);
  }
  state.counters["open_close_ms"] = Median(times);
}

}  // namespace

void RegisterOurs(size_t n, int repetitions) {
  const std::string at = "/" + std::to_string(n);
  auto manual = [&](benchmark::internal::Benchmark* b, int iterations) {
    b->UseManualTime()->Iterations(iterations)->Unit(benchmark::kMicrosecond);
  };
  manual(benchmark::RegisterBenchmark(("ours/fill" + at).c_str(), FillBench, n), 1);
  manual(benchmark::RegisterBenchmark(("ours/keystroke_combobox" + at).c_str(), Keystroke, cbo::ComboBox, n), 1);
  manual(benchmark::RegisterBenchmark(("ours/keystroke_listcombo" + at).c_str(), Keystroke, cbo::ListCombo, n), 1);
  manual(benchmark::RegisterBenchmark(("ours/grid_search" + at).c_str(), GridSearchBench, n), 1);
  manual(benchmark::RegisterBenchmark(("ours/header_sort" + at).c_str(), SortBench, n), repetitions);
  manual(benchmark::RegisterBenchmark(("ours/open_close_headless" + at).c_str(), OpenHeadless, n), repetitions * 3);
}

}  // namespace bench
