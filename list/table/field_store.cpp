#include "list/table/field_store.hpp"

#include "list/recordset.hpp"
#include "list/table/casefold.hpp"
#include "list/table/table_error.hpp"

namespace cbo::table {

void FieldStore::Packed::Append(std::string_view value) {
  const size_t slot = ends_.size();
  if ((slot & kBlockMask) == 0) bases_.push_back(bytes_.size());
  const uint64_t relative = bytes_.size() + value.size() - bases_.back();
  if (relative > UINT32_MAX) Fail("a field's storage cannot hold more than 4 GiB in 65536 rows");
  bytes_.append(value);
  ends_.push_back(static_cast<uint32_t>(relative));
}

void FieldStore::Packed::Truncate(size_t slots) {
  if (slots >= ends_.size()) return;
  // The bytes end where the last kept slot ends; a block keeps its base while
  // it keeps a slot.
  const uint64_t end = slots == 0 ? 0 : bases_[(slots - 1) >> kBlockBits] + ends_[slots - 1];
  bytes_.resize(end);
  ends_.resize(slots);
  bases_.resize((slots + kBlockMask) >> kBlockBits);
}

void FieldStore::Packed::Clear() {
  bytes_.clear();
  ends_.clear();
  bases_.clear();
}

void FieldStore::Append(const std::optional<std::string>& value) {
  text_.Append(value ? std::string_view(*value) : std::string_view());
  null_.push_back(!value);
}

void FieldStore::Append(std::string_view text, bool null) {
  text_.Append(null ? std::string_view() : text);
  null_.push_back(null);
}

void FieldStore::Truncate(size_t slots) {
  if (slots >= Size()) return;
  text_.Truncate(slots);
  null_.resize(slots);
  if (foldedCount_ > slots) {
    if (!aliased_) folded_.Truncate(slots);
    foldedCount_ = slots;
  }
}

namespace {

// Text that folds to itself without being folded: ASCII without capitals.
bool FoldsToItself(std::string_view text) {
  for (char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c >= 0x80 || (c >= 'A' && c <= 'Z')) return false;
  }
  return true;
}

// Appends the UTF-8 encoding of a code point.
void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// FoldCase of the text. ASCII and well-formed two-byte sequences (the
// accented letters of European languages) are folded here one code point at
// a time; a text with anything else goes to FoldCase whole.
std::string FoldedText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : static_cast<char>(c);
      i += 1;
      continue;
    }
    const unsigned char d = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    if (c < 0xC2 || c > 0xDF || (d & 0xC0) != 0x80) return FoldCase(std::string(text));
    AppendUtf8(FoldCodePoint(static_cast<char32_t>(((c & 0x1F) << 6) | (d & 0x3F))), out);
    i += 2;
  }
  return out;
}

}  // namespace

void FieldStore::FoldUpTo(size_t slots) const {
  for (size_t slot = foldedCount_; slot < slots; ++slot) {
    const std::string_view text = text_.At(slot);
    if (FoldsToItself(text)) {
      if (!aliased_) folded_.Append(text);
      continue;
    }
    const std::string folded = FoldedText(text);
    if (aliased_ && folded == text) continue;
    if (aliased_) {
      // The first value that differs from its fold: the slots before it get
      // their own copy, which equals their text.
      folded_.Clear();
      for (size_t before = 0; before < slot; ++before) folded_.Append(text_.At(before));
      aliased_ = false;
    }
    folded_.Append(folded);
  }
  foldedCount_ = slots;
}

}  // namespace cbo::table
