#pragma once
// One field's values for every row the table ever appended, by row slot (a
// slot never moves; the present order is kept apart). The text as written
// and its folded form are each packed end to end in one buffer, the folded
// form computed once when the row is written, so that a search compares
// folded bytes without folding or allocating again.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cbo::table {

class FieldStore {
public:
  // Appends the next slot's value (no value: Null).
  void Append(const std::optional<std::string>& value);

  bool IsNull(size_t slot) const { return null_[slot] != 0; }
  std::string_view Text(size_t slot) const { return Slice(text_, textEnd_, slot); }
  std::string_view Folded(size_t slot) const { return Slice(folded_, foldedEnd_, slot); }

private:
  static std::string_view Slice(const std::string& buffer, const std::vector<size_t>& ends, size_t slot) {
    size_t begin = slot == 0 ? 0 : ends[slot - 1];
    return std::string_view(buffer).substr(begin, ends[slot] - begin);
  }

  std::string text_;
  std::string folded_;
  std::vector<size_t> textEnd_;    // per slot, the end of its text in text_
  std::vector<size_t> foldedEnd_;  // per slot, the end of its folded text in folded_
  std::vector<char> null_;
};

}  // namespace cbo::table
