#include "list/table/search_index.hpp"

#include <algorithm>

#include "list/table/key_order.hpp"

namespace cbo::table {

namespace {

bool Matches(std::string_view folded, std::string_view key, bool prefix) {
  return prefix ? folded.starts_with(key) : folded == key;
}

}  // namespace

SearchIndex::SearchIndex(const FieldStore& store, const std::vector<uint32_t>& ranks) : indexed_(store.Size()) {
  struct Entry {
    uint64_t key;
    uint32_t slot;
  };
  std::vector<Entry> entries;
  entries.reserve(indexed_);
  for (size_t slot = 0; slot < indexed_; ++slot)
    if (!store.IsNull(slot)) entries.push_back({LeadingKey(store.Folded(slot)), static_cast<uint32_t>(slot)});
  std::sort(entries.begin(), entries.end(), [&store](const Entry& a, const Entry& b) {
    if (a.key != b.key) return a.key < b.key;
    const std::string_view fa = store.Folded(a.slot), fb = store.Folded(b.slot);
    if (fa != fb) return fa < fb;
    return a.slot < b.slot;
  });
  sorted_.reserve(entries.size());
  for (const Entry& e : entries) sorted_.push_back(e.slot);
  Rerank(ranks);
}

bool SearchIndex::Stale(const FieldStore& store) const {
  return store.Size() - indexed_ > indexed_ / 4 + 1024;
}

void SearchIndex::Rerank(const std::vector<uint32_t>& ranks) {
  minimumsStale_ = false;
  blockMin_.assign((sorted_.size() + kBlock - 1) / kBlock, kNoRank);
  for (size_t i = 0; i < sorted_.size(); ++i) blockMin_[i / kBlock] = std::min(blockMin_[i / kBlock], ranks[sorted_[i]]);
  superMin_.assign((blockMin_.size() + kBlock - 1) / kBlock, kNoRank);
  for (size_t b = 0; b < blockMin_.size(); ++b) superMin_[b / kBlock] = std::min(superMin_[b / kBlock], blockMin_[b]);
}

uint32_t SearchIndex::RunMinimum(const std::vector<uint32_t>& ranks, size_t lo, size_t hi) const {
  uint32_t best = kNoRank;
  size_t i = lo;
  for (; i < hi && i % kBlock != 0; ++i) best = std::min(best, ranks[sorted_[i]]);
  for (; i + kBlock <= hi && i % kSuper != 0; i += kBlock) best = std::min(best, blockMin_[i / kBlock]);
  for (; i + kSuper <= hi; i += kSuper) best = std::min(best, superMin_[i / kSuper]);
  for (; i + kBlock <= hi; i += kBlock) best = std::min(best, blockMin_[i / kBlock]);
  for (; i < hi; ++i) best = std::min(best, ranks[sorted_[i]]);
  return best;
}

uint32_t SearchIndex::LeastRank(const FieldStore& store, const std::vector<uint32_t>& ranks, std::string_view key,
                                bool prefix, uint32_t from, bool tableLeast, bool& answered) {
  // The run of slots whose folded text equals the key or begins with it.
  const auto first = std::partition_point(sorted_.begin(), sorted_.end(),
                                          [&](uint32_t slot) { return store.Folded(slot) < key; });
  const auto last =
      std::partition_point(first, sorted_.end(), [&](uint32_t slot) { return Matches(store.Folded(slot), key, prefix); });
  const size_t lo = static_cast<size_t>(first - sorted_.begin()), hi = static_cast<size_t>(last - sorted_.begin());

  uint32_t best = kNoRank;
  if (tableLeast) {
    if (minimumsStale_) Rerank(ranks);
    best = RunMinimum(ranks, lo, hi);  // every rank is at least the table's least
  } else if (hi - lo <= 2 * kBlock) {
    for (size_t i = lo; i < hi; ++i) {
      const uint32_t r = ranks[sorted_[i]];
      if (r >= from && r < best) best = r;
    }
  } else {
    answered = false;
    return kNoRank;
  }
  for (size_t slot = indexed_; slot < store.Size(); ++slot) {
    const uint32_t r = ranks[slot];
    if (r >= from && r < best && !store.IsNull(slot) && Matches(store.Folded(slot), key, prefix)) best = r;
  }
  answered = true;
  return best;
}

}  // namespace cbo::table
