#pragma once
// The first n generated rows as a row source, for the bulk fill
// (CboVarno::AddRows, which appends them to the table in one call).
#include <span>
#include <string>
#include <vector>

#include "bench/data.hpp"
#include "list/row_source.hpp"

namespace bench {

class MemoryRows final : public cbo::RowSource {
public:
  explicit MemoryRows(size_t n) : n_(n) {}
  std::vector<std::string> Columns() override { return {kFieldNames, kFieldNames + kColumns}; }
  bool Next(std::span<cbo::Cell> cells) override {
    if (next_ >= n_) return false;
    const auto& row = SharedRows().rows[next_++];
    for (size_t c = 0; c < kColumns; ++c) cells[c] = cbo::Cell{false, row[c]};
    return true;
  }

private:
  size_t n_, next_ = 0;
};

}  // namespace bench
