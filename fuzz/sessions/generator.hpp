#pragma once
// Chooses the lines of a random session, step by step, knowing whether the
// grid window is open and what the checker has read so far (the fields of
// each table, the row indices, which header labels exist).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/sessions/checker.hpp"
#include "fuzz/sessions/session.hpp"

namespace cbo::sessions {

class Generator {
public:
  Generator(uint64_t seed, int steps, int controls, const Switches& switches, const Checker& checker);

  // The lines of the next step, the first one beginning with "# step N";
  // empty once every step is played and no window is open.
  std::vector<std::string> NextStep(size_t openWindows);
  // True when the window has not closed after many attempts to close it.
  bool Stuck() const { return closing_ > 40; }

private:
  // The random source: splitmix64, the same on every platform.
  uint64_t Next();
  size_t Below(size_t n);
  bool Chance(int percent);
  template <class T>
  const T& Pick(const std::vector<T>& v) {
    return v[Below(v.size())];
  }

  // Values as a scenario writes them.
  std::string Text();
  std::string TypedText();
  std::string Quoted();
  std::string Whole();
  std::string Number();
  std::string Size();
  std::string Colour();
  std::string AnyValue();
  std::string PropertyValue(const std::string& property);
  std::string Control();
  std::string FieldOf(const std::string& control);

  // Steps.
  void Setup(std::vector<std::string>& out);
  void HostStep(std::vector<std::string>& out);
  void UserStep(std::vector<std::string>& out);
  void GridStep(std::vector<std::string>& out);
  void AddRows(const std::string& control, size_t rows, std::vector<std::string>& out);
  void SaveAndLoad(std::vector<std::string>& out);
  void RowsChanged(const std::string& control, bool fields, std::vector<std::string>& out);

  uint64_t state_;
  int steps_;
  int step_ = 0;
  Switches switches_;
  const Checker& checker_;
  std::vector<std::string> controls_;
  std::string current_;  // the control most steps work on for a while
  int saved_ = 0;
  int crafted_ = 0;
  int closing_ = 0;
  std::optional<int> probedHeader_;  // a header label asked for in the last step
};

}  // namespace cbo::sessions
