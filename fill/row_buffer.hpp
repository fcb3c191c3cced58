#pragma once
// The rows of a query held in memory: a query is read to its end into a
// buffer first, and only then do the rows go into the list, so that a slow or
// failing database never leaves a control half filled or suspended.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "list/row_source.hpp"

namespace cbo {

class RowBuffer final : public RowSource {
public:
  explicit RowBuffer(std::vector<std::string> columns);

  // Values are appended row by row, one per column in order.
  void AppendNull();
  void AppendText(std::string_view text);
  // A whole number or a real as the table stores numbers ("42", "0.1", "1e+20").
  void AppendInteger(int64_t value);
  void AppendReal(double value);

  // Complete rows appended so far.
  int64_t RowCount() const;
  const std::vector<std::string>& ColumnNames() const { return columns_; }

  // RowSource: the columns, then every row from the first; Rewind starts the
  // rows again.
  std::vector<std::string> Columns() override { return columns_; }
  bool Next(std::span<Cell> cells) override;
  void Rewind() {
    next_ = 0;
    read_ = Cursor();
  }

private:
  static constexpr uint32_t kNull = UINT32_MAX;  // the size of a Null value

  // Texts go one after the other into blocks of at least 1 MiB, each text
  // whole in one block, so that a text never moves once read (a growing
  // single buffer would copy everything read so far each time it grew). A
  // text that does not fit in the rest of the last block starts a new one.
  // Only the sizes are kept: reading the texts again in order, a Cursor finds
  // each one where the same rule put it.
  struct Cursor {
    size_t block = 0;  // the block after the one `free` is in
    char* free = nullptr;
    size_t left = 0;  // bytes after `free` in its block
  };
  struct Block {
    std::unique_ptr<char[]> bytes;
    size_t size;
  };
  // Where the next text of `bytes` (not 0) goes, moving `at` past it.
  char* Place(Cursor& at, size_t bytes) const {
    if (bytes > at.left) {
      const Block& b = blocks_[at.block++];
      at.free = b.bytes.get();
      at.left = b.size;
    }
    char* text = at.free;
    at.free += bytes;
    at.left -= bytes;
    return text;
  }

  std::vector<std::string> columns_;
  std::vector<Block> blocks_;
  Cursor write_;                 // where the next text read goes
  Cursor read_;                  // where the next text Next gives is
  std::vector<uint32_t> sizes_;  // each value's length in bytes, kNull for Null
  size_t next_ = 0;              // the first value of the row Next gives
};

}  // namespace cbo
