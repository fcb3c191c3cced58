#include "fill/buffered_fill.hpp"

#include <cstring>
#include <memory>
#include <optional>

#include "list/list_store.hpp"
#include "platform/error.hpp"
#include "platform/literal.hpp"

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

void RequirePlainColumnNames(const std::vector<std::string>& names) {
  for (size_t c = 0; c < names.size(); ++c) {
    const std::string& name = names[c];
    bool plain = !name.empty();
    for (char ch : name)
      if (static_cast<unsigned char>(ch) <= ' ' || std::strchr(",()[]'\"", ch)) plain = false;
    if (!plain)
      throw Error(ErrorKind::Database,
                  "result column " + std::to_string(c + 1) + " " + QuoteExcerpt(name) +
                      ": a column of the list needs a plain name (letters, digits and _, no blanks, commas, "
                      "parentheses, brackets or quotes); give the column one with AS in the query, "
                      "e.g. SELECT ... AS column_" +
                      std::to_string(c + 1));
  }
}

bool FillFromBuffer(CboVarno& control, RowBuffer& rows, const FillProgress& progress) {
  if (control.Lista().NumMtCol() == 0) RequirePlainColumnNames(rows.ColumnNames());
  rows.Rewind();
  if (!progress) return control.AddRows(rows);
  const int64_t read = rows.RowCount();
  return control.AddRows(rows, [&progress, read](int64_t) { return progress(read); });
}

}  // namespace cbo
