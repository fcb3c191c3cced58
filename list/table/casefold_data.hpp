#pragma once
// The simple case folding table, generated into casefold_data.cpp by
// scripts/gen_casefold.py: one pair per code point that folds to another,
// sorted by the code point.
#include <cstddef>

namespace cbo::table {

struct CaseFoldPair {
  char32_t from;
  char32_t to;
};

extern const CaseFoldPair kCaseFolding[];
extern const std::size_t kCaseFoldingCount;

}  // namespace cbo::table
