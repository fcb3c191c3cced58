// Our control on the Qt platform (offscreen): a click on the drop-down
// button to the first painted frame of the grid window, then Escape.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <memory>

#include "bench/data.hpp"
#include "bench/figures.hpp"
#include "bench/suites.hpp"
#include "control/cbo_varno.hpp"
#include "control/type_library.hpp"
#include "list/list_store.hpp"
#include "grid/process_state.hpp"
#include "platform/qt/qt_platform.hpp"

namespace bench {

namespace {

struct QtHost {
  explicit QtHost(size_t n) : shared(platform) {
    window.resize(500, 120);
    container = new cbo::qt::QtContainer(platform, &window);
    container->move(20, 20);
    control = &container->Adopt(cbo::CreateObject("CboVarno", *container, shared));
    container->InitProperties();
    container->SetWidth(4500);
    control->SetStileCbo(cbo::ComboBox);
    for (int c = 0; c < kColumns; ++c) control->AddField(kFieldNames[c], kFieldNames[c], true, 1500, 2);
    control->SetText_Column(kFieldNames[0]);
    for (size_t i = 0; i < n; ++i) {
      for (int c = 0; c < kColumns; ++c)
        control->ListItem(kFieldNames[c], cbo::Variant(SharedRows().rows[i][static_cast<size_t>(c)]));
      control->AddItem();
    }
    window.show();
  }
  cbo::qt::QtPlatform platform;
  cbo::ProcessState shared;
  QWidget window;
  cbo::qt::QtContainer* container = nullptr;
  cbo::CboVarno* control = nullptr;
};

QTableView* OpenGridView() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible())
      if (auto* view = w->findChild<QTableView*>()) return view;
  return nullptr;
}

void OpenQt(benchmark::State& state, size_t n) {
  auto host = std::make_unique<QtHost>(n);
  QWidget* button = cbo::qt::WidgetOf(host->control->Cmd_List());
  std::vector<double> frames, totals;
  for (auto _ : state) {
    const Clock::time_point t0 = Clock::now();
    double frame = -1;
    QTimer::singleShot(0, [&] {
      QTableView* view = OpenGridView();
      if (!view) return;
      view->viewport()->repaint();  // the first frame, painted now
      frame = MicrosSince(t0) / 1000;
      QTest::keyClick(view, Qt::Key_Escape);
    });
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
    totals.push_back(MicrosSince(t0) / 1000);
    frames.push_back(frame);
    state.SetIterationTime(totals.back() / 1e3);
  }
  state.counters["first_frame_ms"] = Median(frames);
  state.counters["open_close_ms"] = Median(totals);
  // The first open after the fill, as for the peer (ours does the same work each time).
  state.counters["first_open_ms"] = totals.front();
  Record("open_ms", n, Side::Ours, totals.front());
}

}  // namespace

void RegisterOursQt(size_t n, int repetitions) {
  benchmark::RegisterBenchmark(("ours/open_close_qt/" + std::to_string(n)).c_str(), OpenQt, n)
      ->UseManualTime()
      ->Iterations(repetitions * 3)
      ->Unit(benchmark::kMillisecond);
}

}  // namespace bench
