// The peer of the drop-down's filter: Qt's QSortFilterProxyModel over a table
// model of the same rows, every column searched for a fixed string, letter
// case ignored, as a Qt program filters a list. The proxy filters every row
// before setFilterFixedString returns, so a key's time is its whole count.
#include <benchmark/benchmark.h>

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QString>
#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>

#include "bench/data.hpp"
#include "bench/figures.hpp"
#include "bench/suites.hpp"

namespace bench {

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The rows held as Qt holds text, one QString per cell, a list per column,
// without an item object per cell (a QStandardItemModel of ten million rows
// would need some 11 GB): the lightest model a Qt program would write, and
// the cheapest for the proxy to read.
class RowsModel final : public QAbstractTableModel {
public:
  explicit RowsModel(size_t n) : rows_(static_cast<int>(n)) {
    for (QList<QString>& column : columns_) column.reserve(static_cast<qsizetype>(n));
    for (size_t i = 0; i < n; ++i)
      for (size_t c = 0; c < kColumns; ++c) columns_[c] << Q(SharedRows().rows[i][c]);
  }
  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : kColumns; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    return columns_[static_cast<size_t>(index.column())][index.row()];
  }

private:
  int rows_;
  std::array<QList<QString>, kColumns> columns_;
};

std::unique_ptr<QSortFilterProxyModel> NewProxy(RowsModel& model) {
  auto proxy = std::make_unique<QSortFilterProxyModel>();
  proxy->setFilterKeyColumn(-1);
  proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
  proxy->setSourceModel(&model);
  return proxy;
}

struct KeyTime {
  double ms = 0;
  int found = 0;
};

// Each key is also written to stderr at once: at 10M one takes minutes.
KeyTime TypeKey(QSortFilterProxyModel& proxy, const std::string& text) {
  const Clock::time_point t0 = Clock::now();
  proxy.setFilterFixedString(Q(text));
  const int found = proxy.rowCount();
  const KeyTime k{MicrosSince(t0) / 1000, found};
  std::fprintf(stderr, "filter qt n=%d key=\"%s\" ms=%.1f found=%d\n", proxy.sourceModel()->rowCount(), text.c_str(),
               k.ms, k.found);
  return k;
}

// As ours: "rossi m" one key at a time, then a new proxy and one character.
std::vector<KeyTime> TypeRound(RowsModel& model) {
  std::vector<KeyTime> keys;
  {
    auto proxy = NewProxy(model);
    for (const std::string& text : FilterKeys()) keys.push_back(TypeKey(*proxy, text));
  }
  auto proxy = NewProxy(model);
  keys.push_back(TypeKey(*proxy, OneCharacterFilter()));
  return keys;
}

// `later` rounds after the first: none above the size where Qt's widgets
// stop, since a key that drops most of ten million rows takes the proxy
// minutes (it removes the dropped rows range by range).
void ProxyFilter(benchmark::State& state, size_t n, int later) {
  (void)SharedRows();  // made before the measure
  auto model = std::make_unique<RowsModel>(n);

  // The first keys after the fill, and the memory of the proxy's mapping
  // after the one-character filter (the most rows accepted).
  const size_t before = ResidentBytes();
  const std::vector<KeyTime> first = TypeRound(*model);
  double residentPerRow = 0;
  {
    auto proxy = NewProxy(*model);
    TypeKey(*proxy, OneCharacterFilter());
    residentPerRow = (static_cast<double>(ResidentBytes()) - static_cast<double>(before)) / static_cast<double>(n);
  }

  std::vector<KeyTime> all = first;
  for (auto _ : state) {
    if (later == 0) {
      double ms = 0;
      for (const KeyTime& k : first) ms += k.ms;
      state.SetIterationTime(ms / 1e3);
      continue;
    }
    const Clock::time_point t0 = Clock::now();
    const std::vector<KeyTime> round = TypeRound(*model);
    state.SetIterationTime(MicrosSince(t0) / 1e6);
    all.insert(all.end(), round.begin(), round.end());
  }

  std::vector<double> times;
  double worst = 0;
  for (const KeyTime& k : all) {
    times.push_back(k.ms);
    worst = std::max(worst, k.ms);
  }
  state.counters["key_median_ms"] = Median(times);
  state.counters["key_worst_ms"] = worst;
  state.counters["first_key_after_fill_ms"] = first.front().ms;
  state.counters["resident_bytes_per_row"] = residentPerRow;
  // Every key filters all rows at once: its first rows are its count.
  Record("filter_key_ms", n, Side::Peer, worst);
  Record("filter_first_rows_ms", n, Side::Peer, Median(times));
  Record("filter_count_ms", n, Side::Peer, worst);
  Record("filter_bytes_per_row", n, Side::Peer, residentPerRow);
}

}  // namespace

void RegisterPeerFilter(size_t n, int laterRounds) {
  benchmark::RegisterBenchmark(("qt/filter/" + std::to_string(n)).c_str(), ProxyFilter, n, laterRounds)
      ->UseManualTime()
      ->Iterations(std::max(1, laterRounds))
      ->Unit(benchmark::kMillisecond);
}

}  // namespace bench
