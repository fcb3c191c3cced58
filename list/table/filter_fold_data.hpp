#pragma once
// The filter's folding table, generated into filter_fold_data.cpp by
// scripts/gen_filter_fold.py: one entry per code point whose filter form
// (canonically decomposed, nonspacing marks dropped, fully case folded)
// differs from itself, sorted by the code point.
#include <cstddef>

namespace cbo::table {

struct FilterFoldEntry {
  char32_t from;
  const char* to;  // UTF-8; "" for a mark the filter drops
};

extern const FilterFoldEntry kFilterFolding[];
extern const std::size_t kFilterFoldingCount;

}  // namespace cbo::table
