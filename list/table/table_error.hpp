#pragma once
// The table's failures: a Table error whose message says what was refused.
#include <string>

#include "platform/error.hpp"

namespace cbo::table {

[[noreturn]] inline void Fail(const std::string& message) { throw Error(ErrorKind::Table, message); }

// The text in double quotes, as messages quote commands, criteria and names.
inline std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace cbo::table
