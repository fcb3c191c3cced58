#include "fill/buffered_fill.hpp"

#include <memory>
#include <optional>

namespace cbo {

namespace {
constexpr std::chrono::milliseconds kProgressInterval{50};
}

bool ReadProgress::Start() { return !progress_ || Tell(0, true); }

bool ReadProgress::Tell(int64_t rows, bool always) {
  const auto now = std::chrono::steady_clock::now();
  if (!always && now - last_ < kProgressInterval) return true;
  last_ = now;
  return progress_(rows);
}

FillProgress Paced(const FillProgress& progress) {
  if (!progress) return {};
  using Clock = std::chrono::steady_clock;
  auto last = std::make_shared<std::optional<Clock::time_point>>();
  return [progress, last](int64_t rows) {
    const Clock::time_point now = Clock::now();
    if (*last && now - **last < kProgressInterval) return true;
    *last = now;
    return progress(rows);
  };
}

bool FillFromBuffer(CboVarno& control, RowBuffer& rows, const FillProgress& progress) {
  rows.Rewind();
  if (!progress) return control.AddRows(rows);
  const int64_t read = rows.RowCount();
  return control.AddRows(rows, [&progress, read](int64_t) { return progress(read); });
}

}  // namespace cbo
