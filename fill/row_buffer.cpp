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

char* RowBuffer::Place(size_t bytes) {
  if (bytes > left_) {
    const size_t size = std::max(kBlockBytes, bytes);
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
    free_ = blocks_.back().get();
    left_ = size;
  }
  char* at = free_;
  free_ += bytes;
  left_ -= bytes;
  return at;
}

void RowBuffer::AppendNull() {
  texts_.push_back("");
  sizes_.push_back(kNull);
}

void RowBuffer::AppendText(std::string_view text) {
  if (text.size() >= kNull)
    throw Error(ErrorKind::Overflow, "RowBuffer: a text of " + std::to_string(text.size()) +
                                         " bytes is longer than a value can be (4 GiB)");
  const char* at = "";
  if (!text.empty()) {
    char* room = Place(text.size());
    std::memcpy(room, text.data(), text.size());
    at = room;
  }
  texts_.push_back(at);
  sizes_.push_back(static_cast<uint32_t>(text.size()));
}

void RowBuffer::AppendInteger(int64_t value) {
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  AppendText(std::string_view(buf, static_cast<size_t>(r.ptr - buf)));
}

void RowBuffer::AppendReal(double value) { AppendText(FormatNumber(value)); }

int64_t RowBuffer::RowCount() const {
  return columns_.empty() ? 0 : static_cast<int64_t>(texts_.size() / columns_.size());
}

bool RowBuffer::Next(std::span<Cell> cells) {
  if (cells.size() != columns_.size())
    throw Error(ErrorKind::SubscriptOutOfRange, "RowBuffer: " + std::to_string(cells.size()) +
                                                    " cells were given for a row of " +
                                                    std::to_string(columns_.size()) + " columns");
  if (columns_.empty() || next_ + columns_.size() > texts_.size()) return false;
  for (size_t c = 0; c < columns_.size(); ++c) {
    const size_t i = next_ + c;
    const bool null = sizes_[i] == kNull;
    cells[c].null = null;
    cells[c].text = null ? std::string_view() : std::string_view(texts_[i], sizes_[i]);
  }
  next_ += columns_.size();
  return true;
}

}  // namespace cbo
