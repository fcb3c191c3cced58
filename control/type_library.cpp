// The published description of TORB_Cbo: members in slot order, events,
// enumerations, property pages and the class factory.
#include "control/type_library.hpp"

#include <algorithm>

#include "control/cbo_varno.hpp"
#include "control/enumerations.hpp"
#include "control/property_table.hpp"
#include "list/table/recordset.hpp"
#include "platform/text.hpp"

namespace cbo {

namespace {

ParamInfo P(std::string name, std::string type) {
  return ParamInfo{std::move(name), std::move(type), false, Variant(), false};
}
ParamInfo Opt(std::string name, std::string type, Variant def) {
  return ParamInfo{std::move(name), std::move(type), true, std::move(def), false};
}
ParamInfo Ref(std::string name, std::string type) {
  return ParamInfo{std::move(name), std::move(type), false, Variant(), true};
}

MemberInfo Method(int slot, std::string name, std::vector<ParamInfo> params, std::string result,
                  std::string description = "") {
  return MemberInfo{
      slot, std::move(name), MemberKind::Method, std::move(params), std::move(result), std::move(description)};
}
MemberInfo Property(int slot, std::string name, std::string type, std::string description = "") {
  MemberKind kind = type == "Font" ? MemberKind::PropertySet : MemberKind::PropertyLet;
  return MemberInfo{slot, name, kind, {P(name, type)}, type, std::move(description)};
}

TypeLibrary Build() {
  TypeLibrary lib;
  lib.Name = "TORB_Cbo";
  lib.Description = "Combo Box Con Griglia a colonne";
  lib.ClassName = "CboVarno";
  lib.DefaultInterface = "_CboVarno";
  lib.EventInterface = "__CboVarno";
  lib.Members = {
      Method(1, "Record_Count", {}, "Long"),
      Method(2, "AddItem", {}, ""),
      Method(3, "RemoveItem", {P("Indice_Record", "Long")}, "",
             "Rimuove una riga da un controllo FlexGrid in fase di esecuzione"),
      Method(12, "AddField",
             {P("Nome_Field", "String"), Opt("NomeColonna", "String", Variant("")),
              Opt("Visualizza_Colonna", "Boolean", Variant(true)), Opt("Larghezza_Colonna", "Double", Variant(1000.0)),
              Opt("Separatore_Colonna", "Tipo_Separatore_Celle", Variant(int32_t{2})),
              Opt("Formattazione", "String", Variant("")),
              Opt("Allineamento_Colonna", "AllineamentoDati", Variant(int32_t{0})),
              Opt("Ridimensiona_Colonna", "Boolean", Variant(false)), Opt("Wrap_Text", "Boolean", Variant(false)),
              Opt("Colonna_Ordinabile", "Boolean", Variant(true))},
             ""),
      Method(13, "Combo_Clear", {P("Cosa_Cancellare", "Cancella_Cbo")}, ""),
      Method(14, "ListItem", {P("Field", "String"), Opt("Value", "Variant", Variant::Missing())}, "Variant"),
      Method(24, "ListValue", {Ref("Current_Field_Value", "String")}, "Variant"),
  };
  for (const PropertyInfo& p : Properties()) lib.Members.push_back(Property(p.Slot, p.Name, p.Type, p.Description));
  std::sort(lib.Members.begin(), lib.Members.end(),
            [](const MemberInfo& a, const MemberInfo& b) { return a.Slot < b.Slot; });
  auto mouse = [] {
    return std::vector<ParamInfo>{Ref("Button", "Integer"), Ref("Shift", "Integer"), Ref("X", "Single"),
                                  Ref("Y", "Single")};
  };
  auto key = [] { return std::vector<ParamInfo>{Ref("KeyCode", "Integer"), Ref("Shift", "Integer")}; };
  lib.Events = {
      {1, "Click", {}, "Viene generato quando si preme e quindi si rilascia un pulsante del mouse su un oggetto."},
      {2,
       "DblClick",
       {},
       "Viene generato quando si preme e si rilascia due volte in rapida successione un pulsante del mouse su un "
       "oggetto."},
      {3, "KeyDown", key(), "Viene generato quando si preme un tasto mentre lo stato attivo si trova su un oggetto."},
      {4, "KeyPress", {Ref("KeyAscii", "Integer")}, "Viene generato quando si preme e si rilascia un tasto ANSI."},
      {5, "KeyUp", key(), "Viene generato quando si rilascia un tasto mentre lo stato attivo si trova su un oggetto."},
      {6, "MouseDown", mouse(),
       "Viene generato quando si preme il pulsante del mouse mentre lo stato attivo si trova su un oggetto."},
      {7, "MouseMove", mouse(), "Viene generato quando si sposta il mouse."},
      {8, "MouseUp", mouse(),
       "Viene generato quando si rilascia il pulsante del mouse mentre lo stato attivo si trova su un oggetto."},
      {9, "Change", {}, ""},
  };
#define CBO_ENUM_VALUE(name, value) {#name, value},
  lib.Enums = {
      {"TipoPulsante", {CBO_TIPO_PULSANTE(CBO_ENUM_VALUE)}},
      {"Esegui_ListIndex", {CBO_ESEGUI_LIST_INDEX(CBO_ENUM_VALUE)}},
      {"Cancella_Cbo", {CBO_CANCELLA_CBO(CBO_ENUM_VALUE)}},
      {"Tipo_Separatore_Celle", {CBO_TIPO_SEPARATORE_CELLE(CBO_ENUM_VALUE)}},
      {"AllineamentoDati", {CBO_ALLINEAMENTO_DATI(CBO_ENUM_VALUE)}},
      {"AgglignVrn", {CBO_AGGLIGN_VRN(CBO_ENUM_VALUE)}},
      {"StileCbo", {CBO_STILE_CBO(CBO_ENUM_VALUE)}},
      {"BorderStyleVrn", {CBO_BORDER_STYLE_VRN(CBO_ENUM_VALUE)}},
      {"ApparenceVrn", {CBO_APPARENCE_VRN(CBO_ENUM_VALUE)}},
      {"CboFilterMode", {CBO_FILTER_MODE(CBO_ENUM_VALUE)}},
  };
#undef CBO_ENUM_VALUE
  lib.PropertyPages = {"StandardFont", "StandardColor", "StandardPicture", "PropertyPage1"};
  return lib;
}

bool SameName(const std::string& a, const std::string& b) { return FoldCase(a) == FoldCase(b); }

}  // namespace

const TypeLibrary& Library() {
  static const TypeLibrary lib = Build();
  return lib;
}

const MemberInfo* FindMember(const std::string& name) {
  for (const MemberInfo& m : Library().Members)
    if (SameName(m.Name, name)) return &m;
  return nullptr;
}

const EventInfo* FindEvent(const std::string& name) {
  for (const EventInfo& e : Library().Events)
    if (SameName(e.Name, name)) return &e;
  return nullptr;
}

const EventInfo* FindEvent(int number) {
  for (const EventInfo& e : Library().Events)
    if (e.Number == number) return &e;
  return nullptr;
}

bool FindEnumValue(const std::string& name, int32_t& value) {
  for (const EnumInfo& e : Library().Enums)
    for (const auto& [n, v] : e.Values)
      if (n == name) {
        value = v;
        return true;
      }
  return false;
}

std::unique_ptr<CboVarno> CreateObject(const std::string& className, IContainer& container, ProcessState& shared) {
  if (className != "CboVarno" && className != "TORB_Cbo.CboVarno") return nullptr;
  return std::make_unique<CboVarno>(container, shared);
}

void DispatchEvent(CboVarnoEvents& sink, int number, std::span<Variant> args) {
  auto i16 = [&](size_t k) { return ToInteger(args[k], "event argument"); };
  auto f32 = [&](size_t k) { return static_cast<float>(ToDouble(args[k], "event argument")); };
  switch (number) {
    case EvClick: sink.Click(); return;
    case EvDblClick: sink.DblClick(); return;
    case EvChange: sink.Change(); return;
    case EvKeyPress: {
      int16_t a = i16(0);
      sink.KeyPress(a);
      args[0] = Variant(a);
      return;
    }
    case EvKeyDown:
    case EvKeyUp: {
      int16_t k = i16(0), s = i16(1);
      number == EvKeyDown ? sink.KeyDown(k, s) : sink.KeyUp(k, s);
      args[0] = Variant(k);
      args[1] = Variant(s);
      return;
    }
    case EvMouseDown:
    case EvMouseMove:
    case EvMouseUp: {
      int16_t b = i16(0), s = i16(1);
      float x = f32(2), y = f32(3);
      if (number == EvMouseDown)
        sink.MouseDown(b, s, x, y);
      else if (number == EvMouseMove)
        sink.MouseMove(b, s, x, y);
      else
        sink.MouseUp(b, s, x, y);
      args[0] = Variant(b);
      args[1] = Variant(s);
      args[2] = Variant(x);
      args[3] = Variant(y);
      return;
    }
    default: return;
  }
}

}  // namespace cbo
