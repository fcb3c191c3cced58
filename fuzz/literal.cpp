// The literal forms. Whatever text ParseLiteral accepts, its value written in
// the exact form reads back identical, and its printed form reads back too
// (as the same value, numbers as the same number). Any bytes, written as a
// string literal, read back byte for byte.
#include <cmath>

#include "fuzz/harness.hpp"
#include "platform/error.hpp"
#include "platform/literal.hpp"
#include "tests/support/same_value.hpp"

namespace {

using cbo::Variant;
using cbo::VarType;
using cbo::fuzz::Check;
using cbo::testing::SameValue;

Variant MustRead(const std::string& text, const std::string& what) {
  Variant v;
  std::string error;
  bool overflow = false;
  if (!cbo::ParseLiteral(text, v, error, overflow)) cbo::fuzz::Broken(what + " does not read back: " + error);
  return v;
}

// The printed form keeps the value: numbers print in decimal whatever their
// width, so a Byte comes back as a Long of the same value and a Single as the
// Double of its shortest decimal form.
void PrintedReadsBack(const Variant& v) {
  const std::string printed = cbo::FormatLiteral(v);
  const Variant back = MustRead(printed, "the printed form " + printed);
  switch (v.type()) {
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
      Check(back.type() == VarType::Long && back.AsLong() == cbo::ToLong(v, "v"), "printed " + printed);
      break;
    // -0 prints as -0 and reads back as the Long 0.
    case VarType::Single:
      Check(back.IsNumeric() && (cbo::testing::SameFloat(static_cast<float>(cbo::ToDouble(back, "v")), v.AsSingle()) ||
                                 v.AsSingle() == 0),
            "printed " + printed);
      break;
    case VarType::Double:
      Check(back.IsNumeric() && (cbo::testing::SameFloat(cbo::ToDouble(back, "v"), v.AsDouble()) || v.AsDouble() == 0),
            "printed " + printed);
      break;
    default: Check(SameValue(back, v), "printed " + printed); break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  const std::string quoted = cbo::QuoteText(text);
  Check(quoted.find_first_of("\r\n") == std::string::npos, "a string literal spans lines: " + quoted);
  Check(SameValue(MustRead(quoted, "the string literal " + quoted), Variant(text)), "string " + quoted);

  Variant v;
  std::string error;
  bool overflow = false;
  if (!cbo::ParseLiteral(text, v, error, overflow)) {
    Check(!error.empty(), "refused without a message");
    return 0;
  }
  if (v.IsMissing()) {
    try {
      cbo::FormatExactLiteral(v, "x");
      cbo::fuzz::Broken("Missing was given a written form");
    } catch (const cbo::Error&) {}
  } else {
    const std::string exact = cbo::FormatExactLiteral(v, "x");
    Check(SameValue(MustRead(exact, "the exact form " + exact), v), "exact form " + exact);
  }
  PrintedReadsBack(v);
  return 0;
}
