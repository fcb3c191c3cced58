#pragma once
// The published description of the library: the class CboVarno with its
// default interface (members in slot order), its event interface, its
// enumerations and property pages. Hosts browse it, and bind to the control
// by name through Invoke.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/container.hpp"
#include "grid/process_state.hpp"
#include "platform/variant.hpp"

namespace cbo {

class CboVarno;

enum class MemberKind { Method, PropertyLet, PropertySet };  // a property's get precedes its let or set

struct ParamInfo {
  std::string Name;
  std::string Type;  // "Long", "String", "Boolean", an enumeration's name, ...
  bool Optional = false;
  Variant Default;  // Missing when optional without a default
  bool ByRef = false;
};

struct MemberInfo {
  int Slot;
  std::string Name;
  MemberKind Kind;
  std::vector<ParamInfo> Params;  // for a property: its value, as the let or set takes it
  std::string ResultType;         // "" for none
  std::string Description;        // "" for none
};

struct EventInfo {
  int Number;
  std::string Name;
  std::vector<ParamInfo> Params;  // all by reference
  std::string Description;
};

struct EnumInfo {
  std::string Name;
  std::vector<std::pair<std::string, int32_t>> Values;
};

struct TypeLibrary {
  std::string Name;         // "TORB_Cbo"
  std::string Description;  // "Combo Box Con Griglia a colonne"
  std::string ClassName;    // "CboVarno"
  std::string DefaultInterface, EventInterface;
  std::vector<MemberInfo> Members;
  std::vector<EventInfo> Events;
  std::vector<EnumInfo> Enums;
  std::vector<std::string> PropertyPages;
};

const TypeLibrary& Library();
const MemberInfo* FindMember(const std::string& name);  // letter case ignored
const EventInfo* FindEvent(const std::string& name);
const EventInfo* FindEvent(int number);
// An enumeration value by its name, in any published enumeration.
bool FindEnumValue(const std::string& name, int32_t& value);

// The class factory: creates a control by its class name ("CboVarno" or
// "TORB_Cbo.CboVarno"); nullptr for any other name.
std::unique_ptr<CboVarno> CreateObject(const std::string& className, IContainer& container, ProcessState& shared);

enum class InvokeKind { Method, PropertyGet, PropertyLet, PropertySet };

// Calls a member by name. `args` are the arguments in order; a trailing or a
// Missing optional argument takes its default; by-reference arguments are
// updated in place. Returns the result (Empty when there is none). An unknown
// member or a wrong number of arguments is a std::invalid_argument; the
// control's own failures are cbo::Error.
Variant Invoke(CboVarno& control, const std::string& member, InvokeKind kind, std::vector<Variant>& args);

// A typed event sink for hosts written in C++, on top of raising by number.
class CboVarnoEvents {
public:
  virtual ~CboVarnoEvents() = default;
  virtual void Click() {}
  virtual void DblClick() {}
  virtual void KeyDown(int16_t& KeyCode, int16_t& Shift) {
    (void)KeyCode;
    (void)Shift;
  }
  virtual void KeyPress(int16_t& KeyAscii) { (void)KeyAscii; }
  virtual void KeyUp(int16_t& KeyCode, int16_t& Shift) {
    (void)KeyCode;
    (void)Shift;
  }
  virtual void MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y) {
    (void)Button;
    (void)Shift;
    (void)X;
    (void)Y;
  }
  virtual void MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y) {
    (void)Button;
    (void)Shift;
    (void)X;
    (void)Y;
  }
  virtual void MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y) {
    (void)Button;
    (void)Shift;
    (void)X;
    (void)Y;
  }
  virtual void Change() {}
};

// Delivers an event raised by number to a typed sink, writing back the
// by-reference arguments the sink changed.
void DispatchEvent(CboVarnoEvents& sink, int number, std::span<Variant> args);

}  // namespace cbo
