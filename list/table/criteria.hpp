#pragma once
// Search criteria as Find reads them:
//   Field = 'value'        the field equals the value
//   Field like 'prefix*'   the field begins with the prefix
// Inside the quotes a doubled quote stands for one quote. Only a trailing *
// of a like pattern is a wildcard; a like pattern without it means equality.
#include <string>

namespace cbo::table {

struct Criterion {
  std::string field;    // the field name as written
  std::string value;    // the value or prefix, quotes undoubled, wildcard removed
  bool prefix = false;  // begins with, rather than equals
};

// Table error quoting the criteria when it is not one of the two forms.
Criterion ParseCriteria(const std::string& criteria);

}  // namespace cbo::table
