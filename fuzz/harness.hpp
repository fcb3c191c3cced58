#pragma once
// What every fuzz target shares: the entry point libFuzzer calls, and the
// check that stops the run on a broken promise. A failed check prints what
// was expected and aborts, which libFuzzer records as a crash with its input
// and the replay driver reports as a failed test.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace cbo::fuzz {

[[noreturn]] inline void Broken(const std::string& what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
  std::abort();
}

inline void Check(bool ok, const std::string& what) {
  if (!ok) Broken(what);
}

// Reads the fuzzer's bytes as a little program: numbers and texts taken from
// the front, zeros once they run out.
class Bytes {
public:
  Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Empty() const { return at_ >= size_; }
  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  uint64_t Bits(int bytes) {
    uint64_t v = 0;
    for (int i = 0; i < bytes; ++i) v = (v << 8) | Byte();
    return v;
  }
  // Up to `max` bytes, the length given by the first.
  std::string Text(size_t max) {
    size_t n = Byte() % (max + 1);
    std::string s;
    while (n-- > 0 && !Empty()) s.push_back(static_cast<char>(Byte()));
    return s;
  }

private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

}  // namespace cbo::fuzz
