#pragma once
// A mistake in the scenario itself (unknown command, member or name, a bad
// literal, a command used wrongly). It ends the run at once, however deep in
// nested modal loops it is found, so it deliberately derives from nothing the
// library could catch.
#include <string>

namespace cbo::script {

struct ScriptError {
  // The line of the scenario at fault; 0 until the line runner fills it in.
  int line = 0;
  std::string message;
};

[[noreturn]] inline void Mistake(std::string message) { throw ScriptError{0, std::move(message)}; }

}  // namespace cbo::script
