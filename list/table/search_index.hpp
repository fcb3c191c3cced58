#pragma once
// The index that lets Find answer without reading the rows: one field's
// non-Null slots ordered by folded text, so that the rows equal to a key or
// beginning with a prefix are one run of it, and over that run the least
// rank (row_order.hpp). Minimums are kept for blocks of 64 and of 4096
// entries, so a run of any length is answered from at most a few hundred
// numbers.
//
// The index is made in slices of bounded work (Build), never all at once: its
// slots' leading keys, the sort, the slots in order, then the minimums. It
// covers the slots the field had when it was started; rows appended later
// are its tail, which the table reads row by row. A sort changes every rank
// and sends the index back to making its minimums; a removal mends the two
// minimums its slot counts in.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "list/table/field_store.hpp"
#include "list/table/row_order.hpp"
#include "list/table/sliced_sort.hpp"

namespace cbo::table {

class SearchIndex {
public:
  // An index of slots [0, slots), to be made by Build.
  explicit SearchIndex(size_t slots) : covered_(slots) {}

  size_t Covered() const { return covered_; }
  bool Ready() const { return phase_ == Phase::Ready; }
  // Goes on making the index for about `budget` steps (one step is about one
  // entry handled once) and deducts what it did. True once ready.
  bool Build(const FieldStore& store, const RowOrder& order, int64_t& budget);

  // Every rank changed (a sort).
  void RanksChanged();
  // The slot was removed: its rank is kNoRank now.
  void Removed(const FieldStore& store, const RowOrder& order, uint32_t slot);

  // Once ready: the least rank, at least `from`, of a covered slot whose
  // folded text equals the key (or begins with it); kNoRank when none.
  // Answered from the index when `from` is the least rank of the table or the
  // run is short; otherwise `answered` is set false and the caller reads the rows.
  uint32_t LeastRank(const FieldStore& store, const RowOrder& order, std::string_view key, bool prefix, uint32_t from,
                     bool tableLeast, bool& answered) const;

private:
  enum class Phase { Keys, Sort, Slots, Minimums, Ready };
  static constexpr size_t kBlock = 64;
  static constexpr size_t kSuper = kBlock * kBlock;

  uint32_t RunMinimum(const RowOrder& order, size_t lo, size_t hi) const;
  // The block's minimum made again from the entries the minimums cover.
  void MendBlock(const RowOrder& order, size_t block);

  Phase phase_ = Phase::Keys;
  size_t covered_;
  size_t progress_ = 0;             // slots keyed, entries placed, or entries minimised so far
  std::vector<SortEntry> entries_;  // while keying
  SlicedSort sort_;
  std::vector<uint32_t> sorted_;    // non-Null slots by folded text, then slot
  std::vector<uint32_t> blockMin_;  // least rank per block of kBlock entries
  std::vector<uint32_t> superMin_;  // least rank per block of kSuper entries, once ready
};

}  // namespace cbo::table
