#pragma once
// The control's persisted properties, each described once: its slot in the
// default interface, its published name (also its key in the settings), its
// type, its description, how a call by name reads and writes it, the value
// the settings keep and its default, when reading the settings applies it,
// and the name of the widget's Qt property. The type description, the call by
// name, InitProperties, ReadProperties, WriteProperties, cbo-script's printing
// (through the type description) and the widget's coverage test all read this
// table, so a new property is one entry here plus its behaviour.
#include <span>
#include <string>

#include "platform/variant.hpp"

namespace cbo {

class CboVarno;

// When ReadProperties applies a value. The fonts come first, then the looks
// the constituents keep, then the settings the control keeps (the working
// copies are derived from these), and last the values that feed the grid's
// configuration directly.
enum class ReadStep { Fonts, Looks, Settings, AfterCopies };

// What the settings compare a value with: a fixed value, or the container's
// ambient font (read back as a copy of it, so that the container's own font
// never changes with the control's).
enum class DefaultKind { Value, AmbientFont };

struct PropertyInfo {
  int Slot;
  const char* Name;
  const char* Type;         // as the type description names it: "Long", "Colour", an enumeration, ...
  const char* Description;  // "" for none
  // A call by name: the property get, and the let (or set) with the value
  // already converted to Type.
  Variant (*Get)(CboVarno&);
  void (*Let)(CboVarno&, const Variant&);
  // The settings: the value written, and applying a value read (it converts
  // and narrows, naming the property when the value does not fit).
  Variant (*Stored)(CboVarno&);
  void (*Load)(CboVarno&, const Variant&);
  DefaultKind DefaultIs;
  Variant Default;  // when DefaultIs is Value
  ReadStep Step;
  bool InitFromDefault;  // InitProperties gives it its default
  const char* QtName;    // the widget's Q_PROPERTY
  // The settings keep the value also when it is the default. The properties
  // added later are written only when they differ from it, so that settings
  // written before them, and settings that leave them as they are, stay the
  // same byte for byte.
  bool WrittenWhenDefault = true;
};

// Every persisted property, in slot order (the order the settings are written).
std::span<const PropertyInfo> Properties();
// A property by its published name (letter case ignored); nullptr for none.
const PropertyInfo* FindProperty(const std::string& name);

}  // namespace cbo
