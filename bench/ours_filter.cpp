// The drop-down's filter over our table, read as the grid reads it: after
// every key the first screenful of matching rows at once, then the rest of
// the count in slices, one per tick of the grid's timer.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "bench/data.hpp"
#include "bench/figures.hpp"
#include "bench/host.hpp"
#include "bench/memory_rows.hpp"
#include "bench/suites.hpp"
#include "list/list_store.hpp"
#include "list/table/filtered_rows.hpp"

namespace bench {

namespace {

// What the grid asks of the filter (grid/filter.cpp): the rows of one
// screen and one more, read at once from the current row (the first after a
// fill) but no more than kReadAtOnce rows when matches are rare; then slices.
constexpr int32_t kFirstRows = 9;
constexpr int32_t kCurrent = 0;
constexpr int64_t kReadAtOnce = 65536;
// The grid reads on its timer in stretches of kSliceRows rows for about 8
// ms a tick; a tick blocks the user for at most 8 ms and one stretch.
constexpr int64_t kSliceRows = 8192;

struct KeyTime {
  double firstRowsMs = 0;     // SetText and the first screenful
  double countMs = 0;         // the same and every slice up to the exact count
  double longestSliceMs = 0;  // the longest stretch
  int32_t found = 0;
};

KeyTime TypeKey(cbo::FilteredRows& rows, const std::string& text) {
  KeyTime k;
  const Clock::time_point t0 = Clock::now();
  rows.SetText(text);
  rows.ScanUntil(kFirstRows, kCurrent, kReadAtOnce);
  k.firstRowsMs = MicrosSince(t0) / 1000;
  bool more = !rows.Complete();
  while (more) {
    const Clock::time_point s0 = Clock::now();
    more = rows.Scan(kSliceRows);
    k.longestSliceMs = std::max(k.longestSliceMs, MicrosSince(s0) / 1000);
  }
  k.countMs = MicrosSince(t0) / 1000;
  k.found = rows.Found();
  return k;
}

// One user at the open drop-down: "rossi m" typed one key at a time into an
// empty filter line, then, the drop-down opened anew, one character.
std::vector<KeyTime> TypeRound(const cbo::RecordsetRef& table) {
  std::vector<KeyTime> keys;
  {
    cbo::FilteredRows rows(table, cbo::FilterMatch::Contains, {0, 1, 2, 3});
    for (const std::string& text : FilterKeys()) keys.push_back(TypeKey(rows, text));
  }
  cbo::FilteredRows rows(table, cbo::FilterMatch::Contains, {0, 1, 2, 3});
  keys.push_back(TypeKey(rows, OneCharacterFilter()));
  return keys;
}

void PrintKeys(const char* side, size_t n, const char* when, const std::vector<std::string>& texts,
               const std::vector<KeyTime>& keys) {
  for (size_t i = 0; i < keys.size(); ++i)
    std::fprintf(stderr, "filter %s n=%zu %s key=\"%s\" first_rows_ms=%.3f count_ms=%.1f slice_ms=%.2f found=%d\n",
                 side, n, when, texts[i].c_str(), keys[i].firstRowsMs, keys[i].countMs, keys[i].longestSliceMs,
                 keys[i].found);
}

// A new control filled with the bulk fill; the first round of keys comes
// right after the fill, the later rounds are the steady state.
void FilterBench(benchmark::State& state, size_t n) {
  (void)SharedRows();  // made before the measure
  auto host = std::make_unique<HeadlessHost>(cbo::ComboBox);
  MemoryRows source(n);
  host->Control().AddRows(source);
  const cbo::RecordsetRef table = host->Control().Lista().Rcset_Cbo();
  std::vector<std::string> texts = FilterKeys();
  texts.push_back(OneCharacterFilter());

  // The first keys after the fill, and the memory of a full count of the
  // one-character filter (the largest reading).
  const size_t before = ResidentBytes();
  const std::vector<KeyTime> first = TypeRound(table);
  double extraPerRow = 0, residentPerRow = 0;
  {
    cbo::FilteredRows rows(table, cbo::FilterMatch::Contains, {0, 1, 2, 3});
    TypeKey(rows, OneCharacterFilter());
    extraPerRow = static_cast<double>(rows.ExtraBytes()) / static_cast<double>(n);
    residentPerRow = (static_cast<double>(ResidentBytes()) - static_cast<double>(before)) / static_cast<double>(n);
  }
  PrintKeys("ours", n, "after-fill", texts, first);

  std::vector<KeyTime> all = first;
  for (auto _ : state) {
    const Clock::time_point t0 = Clock::now();
    const std::vector<KeyTime> round = TypeRound(table);
    state.SetIterationTime(MicrosSince(t0) / 1e6);
    PrintKeys("ours", n, "later", texts, round);
    all.insert(all.end(), round.begin(), round.end());
  }

  std::vector<double> firstRows, counts;
  double worstKey = 0, worstCount = 0, longestSlice = 0;
  for (const KeyTime& k : all) {
    firstRows.push_back(k.firstRowsMs);
    counts.push_back(k.countMs);
    worstKey = std::max(worstKey, k.firstRowsMs);
    worstCount = std::max(worstCount, k.countMs);
    longestSlice = std::max(longestSlice, k.longestSliceMs);
  }
  state.counters["first_rows_median_ms"] = Median(firstRows);
  state.counters["first_rows_worst_ms"] = worstKey;
  state.counters["first_key_after_fill_ms"] = first.front().firstRowsMs;
  state.counters["count_median_ms"] = Median(counts);
  state.counters["count_worst_ms"] = worstCount;
  state.counters["longest_slice_ms"] = longestSlice;
  state.counters["extra_bytes_per_row"] = extraPerRow;
  state.counters["resident_bytes_per_row"] = residentPerRow;
  Record("filter_key_ms", n, Side::Ours, worstKey);
  Record("filter_first_rows_ms", n, Side::Ours, Median(firstRows));
  Record("filter_count_ms", n, Side::Ours, worstCount);
  Record("filter_bytes_per_row", n, Side::Ours, extraPerRow);
}

}  // namespace

void RegisterOursFilter(size_t n, int repetitions) {
  benchmark::RegisterBenchmark(("ours/filter/" + std::to_string(n)).c_str(), FilterBench, n)
      ->UseManualTime()
      ->Iterations(repetitions)
      ->Unit(benchmark::kMillisecond);
}

}  // namespace bench
