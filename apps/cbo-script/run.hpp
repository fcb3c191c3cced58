#pragma once
// Plays a scenario and reports how it ended.
#include <cstddef>
#include <functional>
#include <ostream>
#include <string>

namespace cbo::script {

// Runs the scenario text: what it prints goes to `out`, a mistake in the
// scenario to `err` as "script error, line N: message". Returns the exit
// status: 0 when the scenario ran to its end, 2 after a script error.
int RunScenario(const std::string& text, std::ostream& out, std::ostream& err);

// The same for a file; an unreadable file is a script error too.
int RunScenarioFile(const std::string& path, std::ostream& out, std::ostream& err);

// Hands out the next line of a scenario (false when there is none), told how
// many modal windows are open: the line runs inside the innermost one's loop.
using LineSource = std::function<bool(std::string& line, size_t openModalWindows)>;

// Plays lines asked for one at a time, so that the caller can choose each
// line after reading what the lines before it printed.
int RunScenarioFrom(const LineSource& next, std::ostream& out, std::ostream& err);

}  // namespace cbo::script
