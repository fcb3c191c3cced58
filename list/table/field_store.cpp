#include "list/table/field_store.hpp"

#include "list/table/filter_fold.hpp"

namespace cbo::table {

namespace {

// Digits with no leading zero ("0" itself included).
bool PlainNumber(std::string_view text) {
  if (text.empty() || (text[0] == '0' && text.size() > 1)) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// Two plain numbers compared as numbers: the longer is the greater, and of
// equal length the one with the greater digits.
int CompareNumbers(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b);
}

}  // namespace

void FieldStore::Append(const std::optional<std::string_view>& value) {
  const std::string_view text = value ? *value : std::string_view();
  const size_t slot = ends_.size();
  if ((slot & kBlockMask) == 0) bases_.push_back(bytes_.size());
  const uint64_t relative = bytes_.size() + text.size() - bases_.back();
  if (ascending_) ascending_ = value && PlainNumber(text) && (slot == 0 || CompareNumbers(Text(slot - 1), text) < 0);
  bytes_.append(text);
  ends_.push_back(static_cast<uint32_t>(relative));
  null_.push_back(!value);
}

void FieldStore::DropAfter(const Mark& mark) {
  const size_t slots = mark.slots;
  if (slots >= Size()) return;
  // The bytes end where the last kept slot ends; a block keeps its base while
  // it keeps a slot.
  bytes_.resize(slots == 0 ? 0 : bases_[(slots - 1) >> kBlockBits] + ends_[slots - 1]);
  ends_.resize(slots);
  bases_.resize((slots + kBlockMask) >> kBlockBits);
  null_.resize(slots);
  ascending_ = mark.ascending;
  if (formSlots_ > slots) {
    formSlots_ = slots;
    if (formOwn_) form_.resize(bytes_.size());
    while (!longForms_.empty() && longForms_.back() >= slots) longForms_.pop_back();
  }
}

void FieldStore::ExtendForm(size_t toSlot) const {
  toSlot = std::min(toSlot, Size());
  for (size_t slot = formSlots_; slot < toSlot; ++slot) {
    const std::string_view text = Text(slot);
    if (!formOwn_) {
      bool own = true;
      for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        own = own && b < 0x80 && !(c >= 'A' && c <= 'Z');
        formBytes_[b >> 6] |= uint64_t{1} << (b & 63);
      }
      if (own) continue;
      // The first text that is not its own form: the ones before it are.
      form_.reserve(bytes_.size());
      form_.assign(bytes_.data(), Begin(slot));
      formOwn_ = true;
    }
    formScratch_.clear();
    AppendFilterForm(text, formScratch_);
    for (char c : formScratch_) {
      const auto b = static_cast<unsigned char>(c);
      formBytes_[b >> 6] |= uint64_t{1} << (b & 63);
    }
    if (formScratch_.size() <= text.size()) {
      form_ += formScratch_;
      form_.append(text.size() - formScratch_.size(), '\0');
    } else {
      form_.append(text.size(), '\0');
      longForms_.push_back(static_cast<uint32_t>(slot));
    }
  }
  formSlots_ = std::max(formSlots_, toSlot);
}

bool FieldStore::Fits(size_t bytes) const {
  // A new block starts at the end of the buffer.
  if ((ends_.size() & kBlockMask) == 0) return bytes <= UINT32_MAX;
  return bytes_.size() + bytes - bases_.back() <= UINT32_MAX;
}

std::optional<size_t> FieldStore::SlotOfNumber(std::string_view text) const {
  if (!ascending_ || !PlainNumber(text)) return std::nullopt;
  size_t lo = 0, hi = Size();
  while (lo < hi) {
    const size_t mid = lo + (hi - lo) / 2;
    const int c = CompareNumbers(Text(mid), text);
    if (c == 0) return mid;
    if (c < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  return std::nullopt;
}

}  // namespace cbo::table
