#pragma once
// Whether two values are the same value of the same type, as a settings file
// must give it back: floating-point numbers bit for bit (so -0 differs from 0)
// except that every nan of one sign is the same; fonts by their contents;
// strings byte for byte.
#include <cmath>
#include <cstring>

#include "platform/variant.hpp"

namespace cbo::testing {

template <class T>
bool SameFloat(T a, T b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b) && std::signbit(a) == std::signbit(b);
  return std::memcmp(&a, &b, sizeof a) == 0;
}

inline bool SameValue(const Variant& a, const Variant& b) {
  if (a.type() != b.type()) return false;
  switch (a.type()) {
    case VarType::Single: return SameFloat(a.AsSingle(), b.AsSingle());
    case VarType::Double: return SameFloat(a.AsDouble(), b.AsDouble());
    case VarType::Date: return SameFloat(a.AsDate().serial, b.AsDate().serial);
    case VarType::Font: {
      const FontRef& x = a.AsFont();
      const FontRef& y = b.AsFont();
      if (!x || !y) return !x && !y;
      return x->Name == y->Name && SameFloat(x->Size, y->Size) && x->Bold == y->Bold && x->Italic == y->Italic &&
             x->Underline == y->Underline && x->Strikethrough == y->Strikethrough;
    }
    default: return a == b;
  }
}

}  // namespace cbo::testing
