#pragma once
// One field's values for every row the table ever appended, by row slot (a
// slot never moves; the present order is kept apart). The texts are packed
// end to end in one buffer with a 32-bit end per slot (relative to the start
// of its block of 65536 slots) and a bit for Null, so a row costs its bytes
// and little more. Searches and sorts fold the texts as they compare them
// (folded.hpp); no folded copy is kept.
//
// The store also knows whether its values, slot by slot, are whole numbers
// written plainly (digits, no leading zero) in strictly ascending order, as
// the hidden row index is: such a field finds a value by a binary search of
// its slots, with no index at all.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cbo::table {

class FieldStore {
public:
  // Appends the next slot's value (no value: Null), one Fits found room for.
  void Append(const std::optional<std::string_view>& value);
  // Whether the next slot can take a value of that many bytes.
  bool Fits(size_t bytes) const;

  // A point to come back to: DropAfter drops every slot appended since, as
  // if it had never been.
  struct Mark {
    size_t slots;
    bool ascending;
  };
  Mark Here() const { return {Size(), ascending_}; }
  void DropAfter(const Mark& mark);

  size_t Size() const { return null_.size(); }
  bool IsNull(size_t slot) const { return null_[slot]; }
  std::string_view Text(size_t slot) const {
    const size_t inBlock = slot & kBlockMask;
    const uint32_t begin = inBlock == 0 ? 0 : ends_[slot - 1];
    return std::string_view(bytes_).substr(bases_[slot >> kBlockBits] + begin, ends_[slot] - begin);
  }

  // Calls f(slot, text) for every slot of [from, to) in order, walking the
  // buffer once (a Null slot's text is empty).
  template <class F>
  void ForEachText(size_t from, size_t to, F&& f) const {
    for (size_t slot = from; slot < to;) {
      const size_t block = slot >> kBlockBits;
      const size_t blockEnd = std::min(to, (block + 1) << kBlockBits);
      const char* base = bytes_.data() + bases_[block];
      uint32_t begin = (slot & kBlockMask) == 0 ? 0 : ends_[slot - 1];
      for (; slot < blockEnd; ++slot) {
        const uint32_t end = ends_[slot];
        f(slot, std::string_view(base + begin, end - begin));
        begin = end;
      }
    }
  }

  // Where a slot's text lies in the buffer: [Begin, End). The blocks lie end
  // to end, so the texts of a stretch of slots are one run of bytes.
  size_t Begin(size_t slot) const {
    return bases_[slot >> kBlockBits] + ((slot & kBlockMask) == 0 ? 0 : ends_[slot - 1]);
  }
  size_t End(size_t slot) const { return bases_[slot >> kBlockBits] + ends_[slot]; }

  // --- The texts' filter form (FilterFold), for the drop-down's filter ---
  // Laid out as the texts are: each text's form in the text's own bytes,
  // NUL bytes after it where the form is shorter, so that a form is found
  // where its text is. A text whose form is longer than itself gets NUL bytes
  // only and is listed in LongForms(), to be matched by itself. While every
  // text is its own form (ASCII without capitals) no copy is kept and
  // FormBytes() are the texts themselves. Made on demand, in slot order: a
  // cache, so making it changes nothing a reader of the store sees.
  void ExtendForm(size_t toSlot) const;
  size_t FormSlots() const { return formSlots_; }
  const std::string& FormBytes() const { return formOwn_ ? form_ : bytes_; }
  const std::vector<uint32_t>& LongForms() const { return longForms_; }
  size_t FormMemory() const { return form_.capacity() + longForms_.capacity() * sizeof(uint32_t); }
  // Whether the byte occurs in the forms made so far: a filter text with a
  // byte the field's forms lack finds nothing there.
  bool FormHasByte(unsigned char b) const { return (formBytes_[b >> 6] >> (b & 63)) & 1; }

  // Every value is a plain whole number, each greater than the one before.
  bool AscendingNumbers() const { return ascending_; }
  // With AscendingNumbers: the slot whose value is exactly `text`, if any.
  std::optional<size_t> SlotOfNumber(std::string_view text) const;

private:
  static constexpr size_t kBlockBits = 16;
  static constexpr size_t kBlockMask = (size_t{1} << kBlockBits) - 1;

  std::string bytes_;
  std::vector<uint32_t> ends_;   // per slot, relative to its block's base
  std::vector<uint64_t> bases_;  // per block, where it starts in bytes_
  std::vector<bool> null_;
  bool ascending_ = true;

  mutable std::string form_;  // while formOwn_
  mutable bool formOwn_ = false;
  mutable size_t formSlots_ = 0;
  mutable std::vector<uint32_t> longForms_;
  mutable std::string formScratch_;
  mutable std::array<uint64_t, 4> formBytes_{};
};

}  // namespace cbo::table
