#pragma once
// Sorting slots by their folded text in slices of bounded work, so that a
// long sort can be spread over many short moments; run in one go it is an
// ordinary sort. Short runs are sorted first, then merged pairwise, pass by
// pass; each entry carries its text's leading key (folded.hpp), so most
// comparisons are made on two integers.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "list/table/field_store.hpp"
#include "list/table/folded.hpp"

namespace cbo::table {

// One slot to sort: its leading key, and a tie that orders equal texts (the
// slot itself, or the row's previous position for a stable sort).
struct SortEntry {
  LeadingKey key;
  uint32_t tie;
  uint32_t slot;
};

// By folded text, then by tie.
bool SortsBefore(const FieldStore& store, const SortEntry& a, const SortEntry& b);

class SlicedSort {
public:
  void Start(std::vector<SortEntry> entries);
  // Goes on with the sort for about `budget` steps (one step is one entry
  // moved by a merge, about 10 ns; sorting a short run counts six steps per
  // entry) and deducts what it did. True once the entries are sorted.
  bool Run(const FieldStore& store, int64_t& budget);
  // The sorted entries, once Run returned true.
  std::vector<SortEntry>& Sorted() { return from_; }

private:
  static constexpr size_t kRun = 2048;
  static constexpr int64_t kRunStepsPerEntry = 6;

  std::vector<SortEntry> from_, to_;
  size_t runsSorted_ = 0;        // entries of from_ already sorted into runs
  size_t width_ = kRun;          // the length of the runs the present pass merges
  size_t pair_ = 0;              // where the pair being merged begins
  size_t left_ = 0, right_ = 0;  // the next entry of each of its two runs
};

}  // namespace cbo::table
