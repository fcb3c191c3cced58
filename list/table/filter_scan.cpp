#include "list/table/filter_scan.hpp"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>
#include <thread>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/text.hpp"

namespace cbo::table {

namespace {

bool IsSet(const std::vector<uint64_t>& bits, size_t p) { return (bits[p >> 6] >> (p & 63)) & 1; }
void Set(std::vector<uint64_t>& bits, size_t p) { bits[p >> 6] |= uint64_t{1} << (p & 63); }

int64_t CountSet(const std::vector<uint64_t>& bits, size_t from, size_t to) {
  int64_t n = 0;
  for (size_t p = from; p < to;) {
    const size_t word = p >> 6;
    const size_t end = std::min(to, (word + 1) << 6);
    uint64_t w = bits[word] >> (p & 63);
    if (end - p < 64) w &= (uint64_t{1} << (end - p)) - 1;
    n += std::popcount(w);
    p = end;
  }
  return n;
}

// The first place in [from, to) of `data` where the whole key lies before
// `to`; `to` when there is none.
// Sixteen places at a time are tested for the key's first two bytes, the
// rest of it only where both are there.
size_t FindKey(const char* data, size_t from, size_t to, const std::string& key) {
  const size_t n = key.size();
  if (to < from + n) return to;
  const size_t last = to - n;  // the last place the key fits
  if (n == 1) {
    const void* hit = std::memchr(data + from, key[0], to - from);
    return hit ? static_cast<size_t>(static_cast<const char*>(hit) - data) : to;
  }
  size_t at = from;
#if defined(__SSE2__)
  const __m128i first = _mm_set1_epi8(key[0]);
  const __m128i second = _mm_set1_epi8(key[1]);
  for (; at + 16 <= last + 1; at += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at + 1));
    auto mask =
        static_cast<uint32_t>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, second))));
    while (mask != 0) {
      const size_t place = at + static_cast<size_t>(std::countr_zero(mask));
      if (std::memcmp(data + place + 2, key.data() + 2, n - 2) == 0) return place;
      mask &= mask - 1;
    }
  }
#endif
  for (; at <= last; ++at)
    if (data[at] == key[0] && std::memcmp(data + at + 1, key.data() + 1, n - 1) == 0) return at;
  return to;
}

// Whether the character that ends just before `at` in a filter form (the
// form of one text starts at `begin`) separates words.
bool SeparatorBefore(const std::string& form, size_t begin, size_t at) {
  size_t lead = at - 1;
  while (lead > begin && (static_cast<unsigned char>(form[lead]) & 0xC0) == 0x80) --lead;
  const std::u32string before = text::Decode(form.substr(lead, at - lead));
  return !before.empty() && IsWordSeparator(before.back());
}

// Whether the form of one text, [begin, end) of `form`, holds the key (at a
// word's start when asked).
bool FormHolds(const std::string& form, size_t begin, size_t end, const FilterText& filter) {
  const std::string& key = filter.Folded();
  for (size_t at = FindKey(form.data(), begin, end, key); at < end; at = FindKey(form.data(), at + 1, end, key))
    if (filter.How() == FilterMatch::Contains || at == begin || SeparatorBefore(form, begin, at)) return true;
  return false;
}

// Whether the slot's text matches: by its form once made (unless it is one
// of the long ones), otherwise by the text itself.
bool SlotMatches(const FieldStore& store, const FilterText& filter, size_t slot) {
  if (store.IsNull(slot)) return false;
  const std::vector<uint32_t>& longForms = store.LongForms();
  if (slot >= store.FormSlots() || std::binary_search(longForms.begin(), longForms.end(), slot))
    return filter.Matches(store.Text(slot));
  return FormHolds(store.FormBytes(), store.Begin(slot), store.End(slot), filter);
}

// The texts of [from, to) whose form is longer than they are, by themselves
// (their forms are NUL bytes).
void MarkLongForms(const FieldStore& store, const FilterText& filter, size_t from, size_t to,
                   std::vector<uint64_t>& bits) {
  const std::vector<uint32_t>& longForms = store.LongForms();
  for (auto it = std::lower_bound(longForms.begin(), longForms.end(), from); it != longForms.end() && *it < to; ++it)
    if (!IsSet(bits, *it) && !store.IsNull(*it) && filter.Matches(store.Text(*it))) Set(bits, *it);
}

// Marks the slots of [from, to) whose text matches, searching the field's
// filter form as one run of bytes: each find that lies within one text (and,
// for a word start, follows a separator) marks that text's slot, and the
// search goes on after it.
void MarkInForm(const FieldStore& store, const FilterText& filter, size_t from, size_t to,
                std::vector<uint64_t>& bits) {
  const std::string& key = filter.Folded();
  for (char c : key)
    if (!store.FormHasByte(static_cast<unsigned char>(c))) return;
  const std::string& form = store.FormBytes();
  if (key.size() == 1) {
    // A single byte is met in most texts: each text is looked at once.
    for (size_t slot = from; slot < to; ++slot)
      if (!IsSet(bits, slot) && FormHolds(form, store.Begin(slot), store.End(slot), filter)) Set(bits, slot);
    MarkLongForms(store, filter, from, to, bits);
    return;
  }
  const size_t stop = store.End(to - 1);
  size_t slot = from;
  size_t at = FindKey(form.data(), store.Begin(from), stop, key);
  while (at < stop) {
    while (store.End(slot) <= at) ++slot;
    const size_t begin = store.Begin(slot), end = store.End(slot);
    const bool inside = at + key.size() <= end;
    if (inside && (filter.How() == FilterMatch::Contains || at == begin || SeparatorBefore(form, begin, at))) {
      Set(bits, slot);
      at = FindKey(form.data(), end, stop, key);
    } else {
      at = FindKey(form.data(), at + 1, stop, key);
    }
  }
  MarkLongForms(store, filter, from, to, bits);
}

// Below this many rows one thread reads a stretch alone.
constexpr size_t kShared = 131072;

}  // namespace

int64_t MarkFilterMatches(std::span<const FieldStore> stores, const RowOrder& order, const FilterText& filter,
                          std::span<const int32_t> fields, size_t from, size_t to, std::vector<uint64_t>& bits,
                          const std::vector<uint64_t>* within) {
  if (from >= to) return 0;
  const int64_t before = CountSet(bits, from, to);
  auto rowMatches = [&](size_t p) {
    const uint32_t slot = order.SlotAt(p);
    for (int32_t field : fields)
      if (SlotMatches(stores[static_cast<size_t>(field)], filter, slot)) return true;
    return false;
  };
  if (within) {
    // Only the rows an earlier reading found can match.
    for (size_t w = from >> 6; w <= (to - 1) >> 6; ++w) {
      for (uint64_t word = (*within)[w]; word != 0; word &= word - 1) {
        const size_t p = (w << 6) + static_cast<size_t>(std::countr_zero(word));
        if (p >= from && p < to && rowMatches(p)) Set(bits, p);
      }
    }
  } else if (filter.Empty()) {
    // No filter text: every row.
    for (size_t p = from; p < to; ++p) Set(bits, p);
  } else if (order.Identity()) {
    // Position p is slot p: each field's forms lie end to end. A long
    // stretch is shared by two threads: the forms first, a field each in
    // turn, then the search, a half of the stretch each (the halves meet at
    // a whole word of `bits`).
    auto extend = [&](size_t first) {
      for (size_t f = first; f < fields.size(); f += 2) stores[static_cast<size_t>(fields[f])].ExtendForm(to);
    };
    auto search = [&](size_t begin, size_t end) {
      for (int32_t field : fields) MarkInForm(stores[static_cast<size_t>(field)], filter, begin, end, bits);
    };
    if (to - from < kShared) {
      extend(0);
      extend(1);
      search(from, to);
    } else {
      std::thread helper(extend, 1);
      extend(0);
      helper.join();
      const size_t middle = ((from + to) / 2) & ~size_t{63};
      std::thread other(search, middle, to);
      search(from, middle);
      other.join();
    }
  } else {
    for (size_t p = from; p < to; ++p)
      if (rowMatches(p)) Set(bits, p);
  }
  return CountSet(bits, from, to) - before;
}

}  // namespace cbo::table
