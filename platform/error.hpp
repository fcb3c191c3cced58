#pragma once
// The one error type of the project. Every failure, whoever raises it (the
// table, a widget, a narrowing conversion), is an Error with a kind and a
// message that names the field, value or property at fault.
#include <stdexcept>
#include <string>

namespace cbo {

// Database: a database that cannot be opened or a query that fails, in a fill
// from a database.
enum class ErrorKind { Overflow, SubscriptOutOfRange, TypeMismatch, Table, Widget, Database };

// The kind as scripts and hosts print it: "Overflow", "Table", ...
const char* KindName(ErrorKind kind);

class Error : public std::runtime_error {
public:
  Error(ErrorKind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
  ErrorKind kind() const { return kind_; }

private:
  ErrorKind kind_;
};

}  // namespace cbo
