#include "platform/error.hpp"

namespace cbo {

const char* KindName(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::Overflow: return "Overflow";
    case ErrorKind::SubscriptOutOfRange: return "SubscriptOutOfRange";
    case ErrorKind::TypeMismatch: return "TypeMismatch";
    case ErrorKind::Table: return "Table";
    case ErrorKind::Widget: return "Widget";
    case ErrorKind::Database: return "Database";
  }
  return "Error";
}

}  // namespace cbo
