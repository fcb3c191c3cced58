#pragma once
// Search criteria as the table reads them. Every quote of the value is
// doubled, so a value with a quote in it ("dell'Acqua") is searched for as it
// stands instead of breaking the criteria.
#include <string>

namespace cbo {

inline std::string RaddoppiaApici(const std::string& value) {
  std::string out;
  out.reserve(value.size() + 2);
  for (char c : value) {
    out.push_back(c);
    if (c == '\'') out.push_back('\'');
  }
  return out;
}

// Field = 'value'
inline std::string CriterioUguale(const std::string& field, const std::string& value) {
  return field + " = '" + RaddoppiaApici(value) + "'";
}

// Field like 'prefix*': the rows whose field begins with the prefix.
inline std::string CriterioInizia(const std::string& field, const std::string& prefix) {
  return field + " like '" + RaddoppiaApici(prefix) + "*'";
}

}  // namespace cbo
