#include "list/table/row_order.hpp"

#include <algorithm>
#include <numeric>

namespace cbo::table {

size_t RowOrder::PositionOfRank(uint32_t r) const {
  if (identity_) return r;
  auto at =
      std::lower_bound(order_.begin(), order_.end(), r, [this](uint32_t slot, uint32_t v) { return rank_[slot] < v; });
  return static_cast<size_t>(at - order_.begin());
}

void RowOrder::Append() {
  if (identity_) {
    ++slots_;
    return;
  }
  order_.push_back(static_cast<uint32_t>(rank_.size()));
  rank_.push_back(nextRank_++);
}

void RowOrder::DropAppendedFrom(uint32_t slots, size_t size, uint32_t nextRank) {
  if (identity_) {
    slots_ = slots;
    return;
  }
  order_.resize(size);
  rank_.resize(slots);
  nextRank_ = nextRank;
}

void RowOrder::Store() {
  if (!identity_) return;
  order_.resize(slots_);
  std::iota(order_.begin(), order_.end(), 0u);
  rank_ = order_;
  nextRank_ = slots_;
  identity_ = false;
}

void RowOrder::Erase(size_t position) {
  Store();
  rank_[order_[position]] = kNoRank;
  order_.erase(order_.begin() + static_cast<std::ptrdiff_t>(position));
}

void RowOrder::Reorder(std::vector<uint32_t> order) {
  Store();
  order_ = std::move(order);
  for (size_t pos = 0; pos < order_.size(); ++pos) rank_[order_[pos]] = static_cast<uint32_t>(pos);
  nextRank_ = static_cast<uint32_t>(order_.size());
  followSlots_ = std::is_sorted(order_.begin(), order_.end());
}

}  // namespace cbo::table
