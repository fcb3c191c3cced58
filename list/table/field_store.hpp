#pragma once
// One field's values for every row the table ever appended, by row slot (a
// slot never moves; the present order is kept apart). The texts are packed
// end to end in one buffer with a 32-bit end per slot (relative to the start
// of its block of 65536 slots) and a bit for Null, so a row costs its bytes
// and little more.
//
// The folded form that searches and sorts compare is made the first time it
// is asked for, for every slot then written, and afterwards for each new slot
// when next asked; a field whose every value folds to itself (codes, numbers,
// the hidden index) keeps no second copy.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cbo::table {

class FieldStore {
public:
  // Appends the next slot's value (no value: Null). Table error when the
  // slot's block of storage cannot hold it.
  void Append(const std::optional<std::string>& value);
  void Append(std::string_view text, bool null);
  // Drops every slot from `slots` on, as if they had never been appended.
  void Truncate(size_t slots);

  size_t Size() const { return null_.size(); }
  bool IsNull(size_t slot) const { return null_[slot]; }
  std::string_view Text(size_t slot) const { return text_.At(slot); }
  // The folded text; the field's folded form is brought up to date first.
  std::string_view Folded(size_t slot) const {
    if (slot >= foldedCount_) FoldUpTo(Size());
    return aliased_ ? text_.At(slot) : folded_.At(slot);
  }

private:
  // Texts end to end with a relative end per slot.
  class Packed {
  public:
    void Append(std::string_view value);
    void Truncate(size_t slots);
    std::string_view At(size_t slot) const {
      const size_t inBlock = slot & kBlockMask;
      const uint32_t begin = inBlock == 0 ? 0 : ends_[slot - 1];
      return std::string_view(bytes_).substr(bases_[slot >> kBlockBits] + begin, ends_[slot] - begin);
    }
    void Clear();

  private:
    std::string bytes_;
    std::vector<uint32_t> ends_;   // per slot, relative to its block's base
    std::vector<uint64_t> bases_;  // per block, where it starts in bytes_
  };
  static constexpr size_t kBlockBits = 16;
  static constexpr size_t kBlockMask = (size_t{1} << kBlockBits) - 1;

  void FoldUpTo(size_t slots) const;

  Packed text_;
  std::vector<bool> null_;
  // The folded form of slots [0, foldedCount_); while aliased_ it is text_.
  mutable Packed folded_;
  mutable size_t foldedCount_ = 0;
  mutable bool aliased_ = true;
};

}  // namespace cbo::table
