#pragma once
// The schema command that opens a table:
//   SHAPE APPEND New adVarChar(N) As Name, New adVarChar(N) As Name ...
#include <cstdint>
#include <string>
#include <vector>

namespace cbo::table {

struct FieldSpec {
  std::string name;       // as the command spells it
  int32_t maxLength = 0;  // in characters
};

// The fields the command declares, in order. Table error quoting the command
// or the part where it stops making sense.
std::vector<FieldSpec> ParseSchema(const std::string& command);

}  // namespace cbo::table
