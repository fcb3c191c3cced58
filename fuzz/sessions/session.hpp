#pragma once
// Randomized sessions: long scenarios of random host and user commands over
// two or three controls, played through the scripted host in this process and
// checked after every step against what can be read back:
//   - no window is counted open (Module1.GrigliaAperta) once it is closed,
//     and a resize with no window open lays the control out (height 320);
//   - each control's rows are exactly the rows added less the rows removed,
//     by count and by row index;
//   - a control saved and read into a new one writes the same settings again
//     and shows the same value for every property;
//   - every printed value reads back as a literal.
// Each step starts with a "# step N" comment, so a failing session, written
// out as a scenario, can be played again and cut down step by step.
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace cbo::sessions {

// Parts of the command mix and invariants that can be left out, by name.
struct Switches {
  bool extremeSizes = true;   // sizes and positions at the ends of the Long range
  bool windowFlag = true;     // GrigliaAperta is False whenever no window is open, layout runs
  bool rows = true;           // row counts and row indices
  bool saveLoad = true;       // save a control and read it into a new one
  bool printedValues = true;  // every printed value reads back as a literal
  // Sets the switch of that name; false for an unknown name.
  bool Set(const std::string& name, bool on);
  static std::vector<std::string> Names();
};

struct Failure {
  std::string kind;     // which invariant, or "script error"
  std::string message;  // what was expected and what was seen
};

struct Outcome {
  std::optional<Failure> failure;
  std::vector<std::string> lines;  // every line played, in order
  int steps = 0;
};

// Generates and plays a session of `steps` steps from `seed`; each line is
// written to `transcript` (flushed) before it runs, so that a session that
// brings the process down is still on disk.
Outcome Generate(uint64_t seed, int steps, int controls, const Switches& switches, std::ostream* transcript);

// Plays the lines of a written session with the same checks.
Outcome Replay(const std::vector<std::string>& lines, const Switches& switches);

// Drops whole steps while the session still fails with the same kind of
// failure; returns the lines of the smallest session found.
std::vector<std::string> Minimize(const std::vector<std::string>& lines, const Switches& switches,
                                  const Failure& failure);

}  // namespace cbo::sessions
