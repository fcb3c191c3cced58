#pragma once
// The index that lets Find answer without visiting every row: one field's
// non-Null slots ordered by folded text, so that the rows equal to a key or
// beginning with a prefix are one run of it, and over that run the least
// rank, the rank of a slot being its place in the present order (see
// recordset.cpp). Minimums are kept for blocks of 64 and of 4096 entries,
// so a run of any length is answered from at most a few hundred numbers.
//
// Slots appended after the index was made are its tail, searched one by one
// until the tail is long enough to make the index again. Ranks change with a
// sort and a removal: the table then asks for the minimums to be made again.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "list/table/field_store.hpp"

namespace cbo::table {

constexpr uint32_t kNoRank = UINT32_MAX;  // a removed slot; also "no match"

class SearchIndex {
public:
  // Orders slots [0, store.Size()) and makes the minimums from `ranks`.
  SearchIndex(const FieldStore& store, const std::vector<uint32_t>& ranks);

  // Whether the tail has grown so long that making the index again pays.
  bool Stale(const FieldStore& store) const;
  // The ranks changed (a sort or a removal): the minimums are made again
  // when next needed.
  void RanksChanged() { minimumsStale_ = true; }
  // The minimums made again now.
  void Rerank(const std::vector<uint32_t>& ranks);

  // The least rank, at least `from`, of a slot whose folded text equals the
  // key (or begins with it); kNoRank when none. Answered from the index when
  // `from` is the least rank of the table or the run is short; otherwise
  // `answered` is set false and the caller scans.
  uint32_t LeastRank(const FieldStore& store, const std::vector<uint32_t>& ranks, std::string_view key,
                     bool prefix, uint32_t from, bool tableLeast, bool& answered);

private:
  static constexpr size_t kBlock = 64;
  static constexpr size_t kSuper = kBlock * kBlock;
  uint32_t RunMinimum(const std::vector<uint32_t>& ranks, size_t lo, size_t hi) const;

  std::vector<uint32_t> sorted_;    // non-Null slots by folded text
  size_t indexed_ = 0;              // slots [0, indexed_) are in sorted_ or Null
  std::vector<uint32_t> blockMin_;  // least rank per block of kBlock entries
  std::vector<uint32_t> superMin_;  // least rank per block of kSuper entries
  bool minimumsStale_ = false;
};

}  // namespace cbo::table
