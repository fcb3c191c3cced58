#include "fill/row_buffer.hpp"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "platform/error.hpp"
#include "platform/variant.hpp"

namespace cbo {

namespace {
constexpr size_t kBlockBytes = size_t{1} << 20;
}

RowBuffer::RowBuffer(std::vector<std::string> columns) : columns_(std::move(columns)) {}

void RowBuffer::AppendNull() { sizes_.push_back(kNull); }

void RowBuffer::AppendText(std::string_view text) {
  if (text.size() >= kNull)
    throw Error(ErrorKind::Overflow,
                "RowBuffer: a text of " + std::to_string(text.size()) + " bytes is longer than a value can be (4 GiB)");
  if (!text.empty()) {
    if (text.size() > write_.left) {
      const size_t size = std::max(kBlockBytes, text.size());
      blocks_.push_back(Block{std::make_unique_for_overwrite<char[]>(size), size});
    }
    std::memcpy(Place(write_, text.size()), text.data(), text.size());
  }
  sizes_.push_back(static_cast<uint32_t>(text.size()));
}

void RowBuffer::AppendInteger(int64_t value) {
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  AppendText(std::string_view(buf, static_cast<size_t>(r.ptr - buf)));
}

void RowBuffer::AppendReal(double value) { AppendText(FormatNumber(value)); }

int64_t RowBuffer::RowCount() const {
  return columns_.empty() ? 0 : static_cast<int64_t>(sizes_.size() / columns_.size());
}

bool RowBuffer::Next(std::span<Cell> cells) {
  if (cells.size() != columns_.size())
    throw Error(ErrorKind::SubscriptOutOfRange, "RowBuffer: " + std::to_string(cells.size()) +
                                                    " cells were given for a row of " +
                                                    std::to_string(columns_.size()) + " columns");
  if (columns_.empty() || next_ + columns_.size() > sizes_.size()) return false;
  for (size_t c = 0; c < columns_.size(); ++c) {
    const uint32_t size = sizes_[next_ + c];
    cells[c].null = size == kNull;
    if (size == kNull)
      cells[c].text = std::string_view();
    else if (size == 0)
      cells[c].text = std::string_view("", 0);
    else
      cells[c].text = std::string_view(Place(read_, size), size);
  }
  next_ += columns_.size();
  return true;
}

}  // namespace cbo
