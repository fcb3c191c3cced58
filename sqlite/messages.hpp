#pragma once
// How the SQLite fill names what it was given in its messages.
#include <string>

#include "platform/error.hpp"

namespace cbo::sqlite {

// The text in double quotes, as messages show file names and queries.
inline std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// A file name or query with a NUL character in it would be cut short there
// by SQLite, and the rest silently left out: it is refused.
inline void RequireNoNul(const std::string& text, const char* what) {
  const size_t nul = text.find('\0');
  if (nul != std::string::npos)
    throw Error(ErrorKind::Database, std::string(what) + " " + Quoted(text.substr(0, nul)) +
                                         "...: it holds a NUL character at byte " + std::to_string(nul + 1));
}

}  // namespace cbo::sqlite
