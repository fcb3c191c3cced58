// The filter form of a text, one code point at a time from the generated
// table (scripts/gen_filter_fold.py); ASCII letters fold without a lookup.
#include "list/table/filter_fold.hpp"

#include <algorithm>

#include "list/table/filter_fold_data.hpp"
#include "platform/text.hpp"

namespace cbo {

namespace {

// The filter form of one code point; nullptr when it is its own form.
const char* FormOf(char32_t c) {
  const table::FilterFoldEntry* first = table::kFilterFolding;
  const table::FilterFoldEntry* last = first + table::kFilterFoldingCount;
  const table::FilterFoldEntry* hit =
      std::lower_bound(first, last, c, [](const table::FilterFoldEntry& e, char32_t v) { return e.from < v; });
  return (hit != last && hit->from == c) ? hit->to : nullptr;
}

}  // namespace

std::string FilterFold(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  const std::string whole(text);
  size_t i = 0;
  while (i < whole.size()) {
    const unsigned char lead = static_cast<unsigned char>(whole[i]);
    if (lead < 0x80) {
      out.push_back(lead >= 'A' && lead <= 'Z' ? static_cast<char>(lead + ('a' - 'A')) : static_cast<char>(lead));
      ++i;
      continue;
    }
    const int len = text::SequenceLength(whole, i);
    if (len == 0) {  // not UTF-8: kept as it is
      out.push_back(static_cast<char>(lead));
      ++i;
      continue;
    }
    const std::string sequence = whole.substr(i, static_cast<size_t>(len));
    const char* form = FormOf(text::Decode(sequence).front());
    out += form ? form : sequence;
    i += static_cast<size_t>(len);
  }
  return out;
}

}  // namespace cbo
