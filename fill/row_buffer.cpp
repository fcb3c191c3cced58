#include "fill/row_buffer.hpp"

#include <charconv>

#include "platform/error.hpp"
#include "platform/variant.hpp"

namespace cbo {

RowBuffer::RowBuffer(std::vector<std::string> columns) : columns_(std::move(columns)) {}

void RowBuffer::AppendNull() {
  ends_.push_back(bytes_.size());
  nulls_.push_back(true);
}

void RowBuffer::AppendText(std::string_view text) {
  bytes_.append(text);
  ends_.push_back(bytes_.size());
  nulls_.push_back(false);
}

void RowBuffer::AppendInteger(int64_t value) {
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  AppendText(std::string_view(buf, static_cast<size_t>(r.ptr - buf)));
}

void RowBuffer::AppendReal(double value) { AppendText(FormatNumber(value)); }

int64_t RowBuffer::RowCount() const {
  return columns_.empty() ? 0 : static_cast<int64_t>(ends_.size() / columns_.size());
}

bool RowBuffer::Next(std::span<Cell> cells) {
  if (cells.size() != columns_.size())
    throw Error(ErrorKind::SubscriptOutOfRange, "RowBuffer: " + std::to_string(cells.size()) +
                                                    " cells were given for a row of " +
                                                    std::to_string(columns_.size()) + " columns");
  if (columns_.empty() || next_ + columns_.size() > ends_.size()) return false;
  for (size_t c = 0; c < columns_.size(); ++c) {
    const size_t i = next_ + c;
    const uint64_t begin = i == 0 ? 0 : ends_[i - 1];
    cells[c].null = nulls_[i];
    cells[c].text = std::string_view(bytes_).substr(begin, ends_[i] - begin);
  }
  next_ += columns_.size();
  return true;
}

}  // namespace cbo
