#pragma once
// The form of a text that the drop-down's filter matches: canonically
// decomposed, nonspacing marks dropped and fully case folded, so that
// "jurgen" meets "Jürgen", "sao" meets "São" and "strasse" meets "Straße".
// The table's own finds and sorts keep FoldCase (simple folding); this one
// may change a text's length.
#include <string>
#include <string_view>

namespace cbo {

// `text` in its filter form. Bytes that are not UTF-8 are kept as they are.
std::string FilterFold(std::string_view text);
// The same, appended to `out` (which keeps its capacity from text to text).
void AppendFilterForm(std::string_view text, std::string& out);

}  // namespace cbo
