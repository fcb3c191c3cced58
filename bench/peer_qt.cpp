// The peer: Qt 6's own combo box, completer and item model on the same rows,
// on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QStandardItemModel>
#include <algorithm>
#include <memory>

#include "bench/data.hpp"
#include "bench/figures.hpp"
#include "bench/suites.hpp"

namespace bench {

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QStringList DisplayTexts(size_t n) {
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(n));
  for (size_t i = 0; i < n; ++i) texts << Q(SharedRows().rows[i][0]);
  return texts;
}

std::unique_ptr<QStandardItemModel> FilledModel(size_t n) {
  auto model = std::make_unique<QStandardItemModel>(0, kColumns);
  for (size_t i = 0; i < n; ++i) {
    QList<QStandardItem*> row;
    for (const std::string& v : SharedRows().rows[i]) row << new QStandardItem(Q(v));
    model->appendRow(row);
  }
  return model;
}

// One filled editable combo box and one four-column model per size.
struct Peer {
  size_t n = 0;
  std::unique_ptr<QComboBox> combo;
  std::unique_ptr<QStandardItemModel> model;
};
// Destroying a sorted QStandardItemModel takes time quadratic in its rows
// (each item looks for its row again), minutes at 1M: a large sorted model
// is left to the end of the process instead.
void Release(Peer& peer) {
  if (peer.n >= 100'000) (void)peer.model.release();
  peer = Peer{};
}

Peer& PeerSlot() {
  static Peer peer;
  return peer;
}
Peer& PeerFor(size_t n) {
  Peer& peer = PeerSlot();
  if (peer.n != n) {
    Release(peer);
    peer.n = n;
    peer.combo = std::make_unique<QComboBox>();
    peer.combo->setEditable(true);
    peer.combo->addItems(DisplayTexts(n));
    peer.combo->completer()->setModelSorting(QCompleter::UnsortedModel);
    peer.combo->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    peer.model = FilledModel(n);
  }
  return peer;
}

template <class Query>
void Searches(benchmark::State& state, size_t n, const char* median, const char* worst, Query query,
              size_t queries = Settings().queries) {
  const std::vector<std::string> prefixes = MakePrefixes(SharedRows(), n, queries);
  std::vector<double> times, misses;
  for (auto _ : state) {
    for (const std::string& p : prefixes) times.push_back(query(Q(p)));
    for (int i = 0; i < 5; ++i) misses.push_back(query(Q(NoMatchText())));
    state.SetIterationTime(Median(misses) / 1e6);
  }
  state.counters["median_us"] = Median(times);
  state.counters["nomatch_us"] = Median(misses);
  if (median) Record(median, n, Side::Peer, Median(times));
  if (worst) Record(worst, n, Side::Peer, Median(misses));
}

// As a keystroke asks: an exact find, then a begins-with find.
void FindText(benchmark::State& state, size_t n) {
  QComboBox& combo = *PeerFor(n).combo;
  Searches(state, n, "keystroke_median_us", "keystroke_worst_us", [&](const QString& text) {
    const Clock::time_point t0 = Clock::now();
    int hit = combo.findText(text, Qt::MatchFixedString);
    if (hit < 0) hit = combo.findText(text, Qt::MatchStartsWith);
    benchmark::DoNotOptimize(hit);
    return MicrosSince(t0);
  });
}

// The completer of an editable combo box, unsorted, its cache cleared
// (a change of case sensitivity makes a new engine) before each text.
void Completer(benchmark::State& state, size_t n) {
  QCompleter& completer = *PeerFor(n).combo->completer();
  Searches(
      state, n, nullptr, nullptr,
      [&](const QString& text) {
        completer.setCaseSensitivity(Qt::CaseSensitive);
        completer.setCaseSensitivity(Qt::CaseInsensitive);
        const Clock::time_point t0 = Clock::now();
        completer.setCompletionPrefix(text);
        benchmark::DoNotOptimize(completer.currentCompletion());
        return MicrosSince(t0);
      },
      std::max<size_t>(4, Settings().queries / 4));
}

// Typed search in a grid: the first row of the model whose first column
// begins with the text.
void ModelMatch(benchmark::State& state, size_t n) {
  QStandardItemModel& model = *PeerFor(n).model;
  Searches(state, n, "grid_search_median_us", "grid_search_worst_us", [&](const QString& text) {
    const Clock::time_point t0 = Clock::now();
    benchmark::DoNotOptimize(model.match(model.index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchStartsWith));
    return MicrosSince(t0);
  });
}

void AddItems(benchmark::State& state, size_t n) {
  double rate = 0;
  for (auto _ : state) {
    QComboBox combo;
    const Clock::time_point t0 = Clock::now();
    combo.addItems(DisplayTexts(n));
    const double us = MicrosSince(t0);
    rate = static_cast<double>(n) / (us / 1e6);
    state.SetIterationTime(us / 1e6);
  }
  state.counters["rows_per_s"] = rate;
}

void ModelFill(benchmark::State& state, size_t n) {
  double rate = 0, perRow = 0;
  for (auto _ : state) {
    const size_t before = ResidentBytes();
    const Clock::time_point t0 = Clock::now();
    auto model = FilledModel(n);
    const double us = MicrosSince(t0);
    perRow = static_cast<double>(ResidentBytes() - before) / static_cast<double>(n);
    rate = static_cast<double>(n) / (us / 1e6);
    state.SetIterationTime(us / 1e6);
  }
  state.counters["rows_per_s"] = rate;
  state.counters["bytes_per_row"] = perRow;
  Record("fill_rows_per_s", n, Side::Peer, rate);
  Record("bytes_per_row", n, Side::Peer, perRow);
}

void ModelSort(benchmark::State& state, size_t n) {
  QStandardItemModel& model = *PeerFor(n).model;
  std::vector<double> times;
  for (auto _ : state) {
    model.sort(2);
    const Clock::time_point t0 = Clock::now();
    model.sort(0);
    times.push_back(MicrosSince(t0) / 1000);
    state.SetIterationTime(times.back() / 1e3);
  }
  Record("sort_ms", n, Side::Peer, Median(times));
}

void Popup(benchmark::State& state, size_t n) {
  QComboBox& combo = *PeerFor(n).combo;
  std::vector<double> times;
  for (auto _ : state) {
    const Clock::time_point t0 = Clock::now();
    combo.showPopup();
    while (!combo.view()->isVisible()) QApplication::processEvents();
    QApplication::processEvents();  // the first frame
    combo.hidePopup();
    times.push_back(MicrosSince(t0) / 1000);
    state.SetIterationTime(times.back() / 1e3);
  }
  // The first open after the fill: Qt keeps the laid-out popup for later ones.
  state.counters["first_open_ms"] = times.front();
  state.counters["later_open_ms"] = Median(times);
  Record("open_ms", n, Side::Peer, times.front());
}

}  // namespace

namespace {
std::unique_ptr<QApplication> application;
}

bool StartQt(int& argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  application = std::make_unique<QApplication>(argc, argv);
  return true;
}

void StopQt() {
  Release(PeerSlot());
  application.reset();
}

void RegisterPeer(size_t n, int repetitions) {
  const std::string at = "/" + std::to_string(n);
  auto manual = [](benchmark::internal::Benchmark* b, int iterations) {
    b->UseManualTime()->Iterations(iterations)->Unit(benchmark::kMicrosecond);
  };
  manual(benchmark::RegisterBenchmark(("qt/model_fill" + at).c_str(), ModelFill, n), 1);
  manual(benchmark::RegisterBenchmark(("qt/combo_addItems" + at).c_str(), AddItems, n), 1);
  manual(benchmark::RegisterBenchmark(("qt/findText" + at).c_str(), FindText, n), 1);
  manual(benchmark::RegisterBenchmark(("qt/completer" + at).c_str(), Completer, n), 1);
  manual(benchmark::RegisterBenchmark(("qt/model_match" + at).c_str(), ModelMatch, n), 1);
  manual(benchmark::RegisterBenchmark(("qt/model_sort" + at).c_str(), ModelSort, n), repetitions);
  manual(benchmark::RegisterBenchmark(("qt/combo_popup" + at).c_str(), Popup, n), repetitions);
}

}  // namespace bench
