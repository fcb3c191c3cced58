#pragma once
// The present order of the table's rows, and each row slot's rank: a number
// that grows along the present order (a sort sets it to the position, an
// appended row takes the next one, a removal clears it). "The first matching
// row at or after the current one" is then the least rank among the matches,
// which a search can find without walking the order.
//
// Until the first sort or removal the order is the order of appending and a
// slot's rank is the slot itself, so neither is stored: a list that is only
// filled and searched costs nothing here.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace cbo::table {

constexpr uint32_t kNoRank = UINT32_MAX;  // a removed slot; also "no match"

class RowOrder {
public:
  // The present order is the order of appending (no sort or removal yet):
  // position p is slot p.
  bool Identity() const { return identity_; }
  size_t Size() const { return identity_ ? slots_ : order_.size(); }
  uint32_t SlotAt(size_t position) const { return identity_ ? static_cast<uint32_t>(position) : order_[position]; }
  // kNoRank for a removed slot.
  uint32_t RankOf(uint32_t slot) const { return identity_ ? slot : rank_[slot]; }
  // The position of the present row of rank `r`.
  size_t PositionOfRank(uint32_t r) const;
  // Ranks grow with the slots: every present row comes after the rows
  // appended before it, as it does until a sort moves one ahead.
  bool RanksFollowSlots() const { return followSlots_; }

  // The next slot (slots are numbered from 0 in the order of appending) at the end.
  void Append();
  void Erase(size_t position);
  // Drops the slots from `slots` on, appended since and never sorted or
  // removed since, with the order and next rank they had before.
  void DropAppendedFrom(uint32_t slots, size_t size, uint32_t nextRank);
  uint32_t NextRank() const { return identity_ ? slots_ : nextRank_; }
  // The present rows in a new order; each rank becomes the row's position.
  void Reorder(std::vector<uint32_t> order);
  void Clear() { *this = RowOrder(); }

private:
  void Store();  // from now on the order and the ranks are stored

  bool identity_ = true;
  bool followSlots_ = true;
  uint32_t slots_ = 0;           // slots appended, while identity_
  std::vector<uint32_t> order_;  // slots in the present order
  std::vector<uint32_t> rank_;   // per slot
  uint32_t nextRank_ = 0;
};

}  // namespace cbo::table
