// Files the settings file writes, then damaged once: cut, a byte changed,
// inserted or deleted, a run of bytes deleted or doubled, two lines swapped.
// Each damaged file either reads back exactly what was written or is refused
// whole with the project's error; it never reads as other settings.
#include <cstring>
#include <string>

#include "fuzz/harness.hpp"
#include "platform/error.hpp"
#include "platform/property_file.hpp"
#include "tests/support/same_value.hpp"

namespace {

using cbo::Error;
using cbo::PropertyFile;
using cbo::Variant;
using cbo::fuzz::Bytes;
using cbo::fuzz::Check;

Variant SomeValue(Bytes& in) {
  switch (in.Byte() % 6) {
    case 0: return Variant(in.Byte() % 2 == 0);
    case 1: return Variant(in.Byte());
    case 2: return Variant(static_cast<int32_t>(in.Bits(4)));
    case 3: {
      double d;
      const uint64_t bits = in.Bits(8);
      std::memcpy(&d, &bits, sizeof d);
      return Variant(d);
    }
    case 4: return Variant(cbo::MakeFont(in.Text(8), 8.25));
    default: return Variant(in.Text(40));
  }
}

// One damage to `text`, as the bytes say.
std::string Damaged(const std::string& text, Bytes& in) {
  const size_t size = text.size();
  const size_t at = static_cast<size_t>(in.Bits(2)) % (size + 1);
  const size_t length = 1 + static_cast<size_t>(in.Bits(2)) % 64;
  std::string out = text;
  switch (in.Byte() % 7) {
    case 0: return text.substr(0, at);
    case 1:
      if (at < size) out[at] = static_cast<char>(out[at] ^ (1 << (in.Byte() % 8)));
      return out;
    case 2: return out.insert(at, 1, static_cast<char>(in.Byte()));
    case 3: return out.erase(at, 1);
    case 4: return out.erase(at, length);
    case 5: return out.insert(at, text.substr(at, length));
    default: {
      // The line that holds byte `at` swapped with the next one.
      const size_t start = at == 0 ? 0 : text.rfind('\n', at - 1) + 1;
      const size_t middle = text.find('\n', start);
      if (middle == std::string::npos || middle + 1 >= size) return out;
      const size_t end = text.find('\n', middle + 1);
      if (end == std::string::npos) return out;
      return text.substr(0, start) + text.substr(middle + 1, end - middle) + text.substr(start, middle + 1 - start) +
             text.substr(end + 1);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const char* const names[] = {"Text", "Font", "StileCbo", "Value", "ForeColor", "ListIndex", "X_1", "a"};
  Bytes in(data, size);
  PropertyFile written;
  for (int n = in.Byte() % 12; n > 0; --n) written.Write(names[in.Byte() % 8], SomeValue(in), Variant());
  const std::string text = written.FileText();
  const std::string damaged = Damaged(text, in);
  PropertyFile read;
  try {
    read = PropertyFile::Parse(damaged);
  } catch (const Error&) {
    return 0;  // refused whole
  }
  Check(read.Entries().size() == written.Entries().size(), "a damaged file read with other entries:\n" + damaged);
  for (size_t i = 0; i < read.Entries().size(); ++i) {
    const auto& x = written.Entries()[i];
    const auto& y = read.Entries()[i];
    Check(x.Name == y.Name && cbo::testing::SameValue(x.Value, y.Value),
          "a damaged file read with another value of " + x.Name + ":\n" + damaged);
  }
  return 0;
}
