// The settings file, both ways. The input is read as a file: whatever the
// reader accepts, written again, reads back identical. The same bytes also
// drive the writer: a run of writes of every kind of value under names good
// and bad; a write is refused exactly when its name or value has no written
// form, a refused write leaves the file as it was, and the file written reads
// back every value as the same type and value.
#include <cstring>
#include <map>
#include <vector>

#include "fuzz/harness.hpp"
#include "platform/error.hpp"
#include "platform/literal.hpp"
#include "platform/property_file.hpp"
#include "tests/support/same_value.hpp"

namespace {

using cbo::Error;
using cbo::PropertyFile;
using cbo::Variant;
using cbo::fuzz::Bytes;
using cbo::fuzz::Check;
using cbo::testing::SameValue;

void SameEntries(const PropertyFile& a, const PropertyFile& b, const std::string& text) {
  Check(a.Entries().size() == b.Entries().size(), "a different number of entries after writing:\n" + text);
  for (size_t i = 0; i < a.Entries().size(); ++i) {
    const auto& x = a.Entries()[i];
    const auto& y = b.Entries()[i];
    Check(x.Name == y.Name, "entry " + std::to_string(i) + " changed its name from " + x.Name + " to " + y.Name);
    Check(SameValue(x.Value, y.Value), x.Name + " does not read back the same from:\n" + text);
  }
}

void ReadWriteRead(const std::string& input) {
  PropertyFile first;
  try {
    first = PropertyFile::Parse(input);
  } catch (const Error&) {
    return;  // refused with the project's error: fine
  }
  const std::string written = first.FileText();
  PropertyFile second;
  try {
    second = PropertyFile::Parse(written);
  } catch (const Error& e) {
    cbo::fuzz::Broken(std::string("the reader refuses what the writer wrote: ") + e.what() + "\n" + written);
  }
  SameEntries(first, second, written);
  Check(second.FileText() == written, "writing what was read back gives another file:\n" + written);
}

bool GoodName(const std::string& name) {
  if (name.empty()) return false;
  for (char c : name)
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')) return false;
  return true;
}

template <class T>
T FromBits(uint64_t bits) {
  T v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

Variant AnyValue(Bytes& in) {
  switch (in.Byte() % 13) {
    case 0: return Variant();
    case 1: return Variant::Null();
    case 2: return Variant::Missing();
    case 3: return Variant(in.Byte() % 2 == 0);
    case 4: return Variant(in.Byte());
    case 5: return Variant(static_cast<int16_t>(in.Bits(2)));
    case 6: return Variant(static_cast<int32_t>(in.Bits(4)));
    case 7: return Variant(FromBits<float>(in.Bits(4)));
    case 8: return Variant(FromBits<double>(in.Bits(8)));
    case 9: return Variant(cbo::DateValue{FromBits<double>(in.Bits(8))});
    case 10: {
      if (in.Byte() % 4 == 0) return Variant(cbo::FontRef());
      auto f = std::make_shared<cbo::Font>();
      f->Name = in.Text(12);
      f->Size = FromBits<double>(in.Bits(8));
      const uint8_t styles = in.Byte();
      f->Bold = styles & 1;
      f->Italic = styles & 2;
      f->Underline = styles & 4;
      f->Strikethrough = styles & 8;
      return Variant(cbo::FontRef(f));
    }
    default: return Variant(in.Text(24));
  }
}

void WriteThenRead(const uint8_t* data, size_t size) {
  static const char* const names[] = {"Text", "Font", "StileCbo", "Value", "X_1", "a"};
  Bytes in(data, size);
  PropertyFile file;
  std::vector<std::pair<std::string, Variant>> expected;  // in the order written
  while (!in.Empty()) {
    const uint8_t how = in.Byte();
    const std::string name = how % 3 == 0 ? in.Text(6) : names[how % 6];
    const Variant value = AnyValue(in);
    const bool writable = GoodName(name) && !value.IsMissing();
    const std::string before = writable ? std::string() : file.Text();
    try {
      file.Write(name, value, Variant());
    } catch (const Error& e) {
      Check(!writable, "Write refused " + name + ": " + e.what());
      Check(file.Text() == before, "a refused Write changed the file");
      continue;
    }
    Check(writable, "Write accepted " + cbo::QuoteText(name) + " = " + cbo::FormatLiteral(value));
    bool replaced = false;
    for (auto& [n, v] : expected)
      if (n == name) {
        v = value;
        replaced = true;
      }
    if (!replaced) expected.emplace_back(name, value);
  }
  const std::string written = file.FileText();
  PropertyFile back;
  try {
    back = PropertyFile::Parse(written);
  } catch (const Error& e) {
    cbo::fuzz::Broken(std::string("the reader refuses what the writer wrote: ") + e.what() + "\n" + written);
  }
  Check(back.Entries().size() == expected.size(), "entries lost or added:\n" + written);
  for (size_t i = 0; i < expected.size(); ++i) {
    Check(back.Entries()[i].Name == expected[i].first, "entries out of order:\n" + written);
    Check(SameValue(back.Entries()[i].Value, expected[i].second),
          expected[i].first + " does not read back the same from:\n" + written);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ReadWriteRead(std::string(reinterpret_cast<const char*>(data), size));
  WriteThenRead(data, size);
  return 0;
}
