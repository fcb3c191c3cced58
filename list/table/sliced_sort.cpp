#include "list/table/sliced_sort.hpp"

#include <algorithm>

namespace cbo::table {

bool SortsBefore(const FieldStore& store, const SortEntry& a, const SortEntry& b) {
  if (!(a.key == b.key)) return a.key < b.key;
  if (!a.key.Whole()) {
    const int c = CompareFoldedTexts(store.Text(a.slot), store.Text(b.slot));
    if (c != 0) return c < 0;
  }
  return a.tie < b.tie;
}

void SlicedSort::Start(std::vector<SortEntry> entries) {
  from_ = std::move(entries);
  to_.clear();
  runsSorted_ = 0;
  width_ = kRun;
  pair_ = 0;
  left_ = 0;
  right_ = std::min(from_.size(), width_);
}

bool SlicedSort::Run(const FieldStore& store, int64_t& budget) {
  const size_t n = from_.size();
  auto before = [&store](const SortEntry& a, const SortEntry& b) { return SortsBefore(store, a, b); };
  while (runsSorted_ < n) {
    if (budget <= 0) return false;
    const size_t end = std::min(n, runsSorted_ + kRun);
    std::sort(from_.begin() + static_cast<std::ptrdiff_t>(runsSorted_),
              from_.begin() + static_cast<std::ptrdiff_t>(end), before);
    budget -= static_cast<int64_t>(end - runsSorted_) * kRunStepsPerEntry;
    runsSorted_ = end;
  }
  while (width_ < n) {
    if (budget <= 0) return false;
    to_.reserve(n);
    const size_t mid = std::min(n, pair_ + width_), end = std::min(n, pair_ + 2 * width_);
    int64_t steps = 0;
    while (left_ < mid && right_ < end && steps < budget) {
      to_.push_back(before(from_[right_], from_[left_]) ? from_[right_++] : from_[left_++]);
      ++steps;
    }
    // One run is used up: the rest of the other follows as it stands.
    if (left_ == mid || right_ == end) {
      size_t& rest = left_ == mid ? right_ : left_;
      const size_t restEnd = left_ == mid ? end : mid;
      const size_t take = std::min(restEnd - rest, static_cast<size_t>(std::max<int64_t>(budget - steps, 1)));
      to_.insert(to_.end(), from_.begin() + static_cast<std::ptrdiff_t>(rest),
                 from_.begin() + static_cast<std::ptrdiff_t>(rest + take));
      rest += take;
      steps += static_cast<int64_t>(take);
    }
    budget -= steps;
    if (left_ == mid && right_ == end) {
      pair_ = end;
      if (pair_ >= n) {  // the pass is over: its output holds runs twice as long
        from_.swap(to_);
        to_.clear();
        width_ *= 2;
        pair_ = 0;
      }
      left_ = pair_;
      right_ = std::min(n, pair_ + width_);
    }
  }
  to_ = std::vector<SortEntry>();
  return true;
}

}  // namespace cbo::table
