#include "list/table/search_index.hpp"

#include <algorithm>

#include "list/table/folded.hpp"

namespace cbo::table {

namespace {

// What one entry costs in steps (a step is about 10 ns: one entry moved by a merge).
constexpr int64_t kKeyStepsPerSlot = 8;    // reading a text and folding its first 16 bytes
constexpr int64_t kRankStepsPerEntry = 4;  // a rank looked up at a random slot

// How many entries the budget pays for, at least one and at most 4096
// between two looks at it.
size_t Chunk(int64_t budget, int64_t stepsPerEntry) {
  return static_cast<size_t>(std::clamp<int64_t>(budget / stepsPerEntry, 1, 4096));
}

}  // namespace

bool SearchIndex::Build(const FieldStore& store, const RowOrder& order, int64_t& budget) {
  if (phase_ == Phase::Keys) {
    entries_.reserve(covered_);
    while (progress_ < covered_) {
      if (budget <= 0) return false;
      const size_t end = std::min(covered_, progress_ + Chunk(budget, kKeyStepsPerSlot));
      store.ForEachText(progress_, end, [&](size_t slot, std::string_view text) {
        if (!store.IsNull(slot))
          entries_.push_back({FoldedLeadingKey(text), static_cast<uint32_t>(slot), static_cast<uint32_t>(slot)});
      });
      budget -= static_cast<int64_t>(end - progress_) * kKeyStepsPerSlot;
      progress_ = end;
    }
    sort_.Start(std::move(entries_));
    entries_ = std::vector<SortEntry>();
    phase_ = Phase::Sort;
    progress_ = 0;
  }
  if (phase_ == Phase::Sort) {
    if (!sort_.Run(store, budget)) return false;
    phase_ = Phase::Slots;
    sorted_.reserve(sort_.Sorted().size());
  }
  if (phase_ == Phase::Slots) {
    const std::vector<SortEntry>& entries = sort_.Sorted();
    while (progress_ < entries.size()) {
      if (budget <= 0) return false;
      const size_t end = std::min(entries.size(), progress_ + Chunk(budget, 1));
      for (size_t i = progress_; i < end; ++i) sorted_.push_back(entries[i].slot);
      budget -= static_cast<int64_t>(end - progress_);
      progress_ = end;
    }
    sort_ = SlicedSort();
    phase_ = Phase::Minimums;
    progress_ = 0;
  }
  if (phase_ == Phase::Minimums) {
    if (progress_ == 0) blockMin_.assign((sorted_.size() + kBlock - 1) / kBlock, kNoRank);
    while (progress_ < sorted_.size()) {
      if (budget <= 0) return false;
      const size_t end = std::min(sorted_.size(), progress_ + Chunk(budget, kRankStepsPerEntry));
      for (size_t i = progress_; i < end; ++i)
        blockMin_[i / kBlock] = std::min(blockMin_[i / kBlock], order.RankOf(sorted_[i]));
      budget -= static_cast<int64_t>(end - progress_) * kRankStepsPerEntry;
      progress_ = end;
    }
    superMin_.assign((blockMin_.size() + kBlock - 1) / kBlock, kNoRank);
    for (size_t b = 0; b < blockMin_.size(); ++b) superMin_[b / kBlock] = std::min(superMin_[b / kBlock], blockMin_[b]);
    phase_ = Phase::Ready;
  }
  return true;
}

void SearchIndex::RanksChanged() {
  if (phase_ != Phase::Minimums && phase_ != Phase::Ready) return;
  phase_ = Phase::Minimums;
  progress_ = 0;
  superMin_.clear();
}

void SearchIndex::Removed(const FieldStore& store, const RowOrder& order, uint32_t slot) {
  // Before the minimums are begun no rank has been read.
  if ((phase_ != Phase::Minimums || progress_ == 0) && phase_ != Phase::Ready) return;
  if (slot >= covered_ || store.IsNull(slot)) return;
  const std::string_view text = store.Text(slot);
  auto at = std::lower_bound(sorted_.begin(), sorted_.end(), slot, [&](uint32_t s, uint32_t target) {
    const int c = CompareFoldedTexts(store.Text(s), text);
    return c != 0 ? c < 0 : s < target;
  });
  if (at == sorted_.end() || *at != slot) return;
  MendBlock(order, static_cast<size_t>(at - sorted_.begin()) / kBlock);
}

void SearchIndex::MendBlock(const RowOrder& order, size_t block) {
  const size_t limit = phase_ == Phase::Ready ? sorted_.size() : progress_;
  const size_t lo = block * kBlock, hi = std::min(lo + kBlock, limit);
  if (lo >= hi) return;
  uint32_t least = kNoRank;
  for (size_t i = lo; i < hi; ++i) least = std::min(least, order.RankOf(sorted_[i]));
  blockMin_[block] = least;
  if (phase_ != Phase::Ready) return;
  const size_t super = block / kBlock;
  const size_t last = std::min(blockMin_.size(), (super + 1) * kBlock);
  least = kNoRank;
  for (size_t b = super * kBlock; b < last; ++b) least = std::min(least, blockMin_[b]);
  superMin_[super] = least;
}

uint32_t SearchIndex::RunMinimum(const RowOrder& order, size_t lo, size_t hi) const {
  uint32_t best = kNoRank;
  size_t i = lo;
  for (; i < hi && i % kBlock != 0; ++i) best = std::min(best, order.RankOf(sorted_[i]));
  for (; i + kBlock <= hi && i % kSuper != 0; i += kBlock) best = std::min(best, blockMin_[i / kBlock]);
  for (; i + kSuper <= hi; i += kSuper) best = std::min(best, superMin_[i / kSuper]);
  for (; i + kBlock <= hi; i += kBlock) best = std::min(best, blockMin_[i / kBlock]);
  for (; i < hi; ++i) best = std::min(best, order.RankOf(sorted_[i]));
  return best;
}

uint32_t SearchIndex::LeastRank(const FieldStore& store, const RowOrder& order, std::string_view key, bool prefix,
                                uint32_t from, bool tableLeast, bool& answered) const {
  // The run of slots whose folded text equals the key or begins with it.
  const auto first = std::partition_point(
      sorted_.begin(), sorted_.end(), [&](uint32_t slot) { return CompareFolded(store.Text(slot), key, prefix) < 0; });
  const auto last = std::partition_point(
      first, sorted_.end(), [&](uint32_t slot) { return CompareFolded(store.Text(slot), key, prefix) == 0; });
  const size_t lo = static_cast<size_t>(first - sorted_.begin()), hi = static_cast<size_t>(last - sorted_.begin());

  answered = true;
  if (tableLeast) return RunMinimum(order, lo, hi);  // every rank is at least the table's least
  if (hi - lo <= 2 * kBlock) {
    uint32_t best = kNoRank;
    for (size_t i = lo; i < hi; ++i) {
      const uint32_t r = order.RankOf(sorted_[i]);
      if (r >= from && r < best) best = r;
    }
    return best;
  }
  answered = false;
  return kNoRank;
}

}  // namespace cbo::table
