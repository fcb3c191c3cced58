#pragma once
// Unicode simple case folding of one code point, the rule behind FoldCase.
namespace cbo::table {

// The code point's simple case folding; itself when it has none.
char32_t FoldCodePoint(char32_t c);

}  // namespace cbo::table
