#pragma once
// What the settings file tests share: a fresh folder for each test, files
// read and written as bytes, the error a call raises, and a control's
// settings as a bag in memory, to compare before and after.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "control/cbo_varno.hpp"
#include "platform/error.hpp"
#include "platform/headless/headless.hpp"
#include "tests/support/same_value.hpp"

namespace cbo::test {

// A folder of its own, removed with everything in it at the end.
class TempFolder {
public:
  TempFolder() {
    std::string pattern = ::testing::TempDir() + "cbo-settings-XXXXXX";
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }
  // The names in the folder, sorted.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

private:
  std::string path_;
};

inline std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

inline void PutBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline mode_t ModeOf(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return 0;
  return st.st_mode;
}

// The error `f` raises; a test failure when it raises none.
inline Error ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Error& e) {
    return e;
  }
  ADD_FAILURE() << "no error was raised";
  return Error(ErrorKind::Widget, "");
}

inline bool Contains(const Error& e, const std::string& part) {
  return std::string(e.what()).find(part) != std::string::npos;
}

// A control's 24 settings as it writes them.
inline headless::HeadlessPropertyBag SettingsOf(CboVarno& control) {
  headless::HeadlessPropertyBag bag;
  control.WriteProperties(bag);
  return bag;
}

inline ::testing::AssertionResult SameSettings(const headless::HeadlessPropertyBag& a,
                                               const headless::HeadlessPropertyBag& b) {
  if (a.Entries().size() != b.Entries().size()) return ::testing::AssertionFailure() << "a different count";
  for (size_t i = 0; i < a.Entries().size(); ++i)
    if (a.Entries()[i].Name != b.Entries()[i].Name || !testing::SameValue(a.Entries()[i].Value, b.Entries()[i].Value))
      return ::testing::AssertionFailure() << a.Entries()[i].Name << " differs";
  return ::testing::AssertionSuccess();
}

}  // namespace cbo::test
