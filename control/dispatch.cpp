// Late binding: calling a member of CboVarno by its published name, with the
// arguments converted to the types the member declares.
#include <functional>
#include <map>
#include <stdexcept>

#include "control/cbo_varno.hpp"
#include "control/type_library.hpp"

namespace cbo {

namespace {

using Args = std::vector<Variant>;

// An argument converted to the declared type; enumerations travel as Long.
Variant Convert(const Variant& v, const ParamInfo& p, const std::string& member) {
  const std::string what = p.Name == member ? member : member + ": " + p.Name;
  const std::string& t = p.Type;
  if (t == "Variant") return v;
  if (t == "String") return Variant(ToText(v, what));
  if (t == "Boolean") return Variant(ToBool(v, what));
  if (t == "Byte") return Variant(ToByte(v, what));
  if (t == "Integer") return Variant(ToInteger(v, what));
  if (t == "Double") return Variant(ToDouble(v, what));
  if (t == "Single") return Variant(static_cast<float>(ToDouble(v, what)));
  if (t == "Colour") return Variant(ColourAsLong(ToColour(v, what)));
  if (t == "Font") return Variant(ToFont(v, what));
  return Variant(ToLong(v, what));  // Long and every enumeration
}

// The arguments of a call, completed with the defaults of the optional ones
// and converted; a required argument left out is a mistake of the caller.
Args Prepare(const MemberInfo& m, const std::vector<ParamInfo>& params, Args& args) {
  if (args.size() > params.size())
    throw std::invalid_argument(m.Name + " takes " + std::to_string(params.size()) + " arguments, not " +
                                std::to_string(args.size()));
  Args out;
  for (size_t i = 0; i < params.size(); ++i) {
    const ParamInfo& p = params[i];
    bool omesso = i >= args.size() || args[i].IsMissing();
    if (omesso) {
      if (!p.Optional) throw std::invalid_argument(m.Name + ": the argument " + p.Name + " is not optional");
      out.push_back(p.Default);
    } else {
      out.push_back(Convert(args[i], p, m.Name));
    }
  }
  return out;
}

Variant Colore(Colour c) { return Variant(ColourAsLong(c)); }

struct Binding {
  std::function<Variant(CboVarno&, Args&)> call;  // a method, or a property's get
  std::function<void(CboVarno&, const Variant&)> let;  // a property's let or set
};

const std::map<std::string, Binding>& Bindings() {
  static const std::map<std::string, Binding> b = {
      {"Record_Count", {[](CboVarno& c, Args&) { return Variant(c.Record_Count()); }, nullptr}},
      {"AddItem", {[](CboVarno& c, Args&) { c.AddItem(); return Variant(); }, nullptr}},
      {"RemoveItem", {[](CboVarno& c, Args& a) { c.RemoveItem(a[0].AsLong()); return Variant(); }, nullptr}},
      {"Font", {[](CboVarno& c, Args&) { return Variant(c.Font()); },
                [](CboVarno& c, const Variant& v) { c.SetFont(v.AsFont()); }}},
      {"TipoPulsante", {[](CboVarno& c, Args&) { return Variant(c.TipoPulsante()); },
                        [](CboVarno& c, const Variant& v) { c.SetTipoPulsante(v.AsLong()); }}},
      {"StileCbo", {[](CboVarno& c, Args&) { return Variant(c.StileCbo()); },
                    [](CboVarno& c, const Variant& v) { c.SetStileCbo(v.AsLong()); }}},
      {"ForeColor", {[](CboVarno& c, Args&) { return Colore(c.ForeColor()); },
                     [](CboVarno& c, const Variant& v) { c.SetForeColor(static_cast<Colour>(v.AsLong())); }}},
      {"BackColor", {[](CboVarno& c, Args&) { return Colore(c.BackColor()); },
                     [](CboVarno& c, const Variant& v) { c.SetBackColor(static_cast<Colour>(v.AsLong())); }}},
      {"Appearance", {[](CboVarno& c, Args&) { return Variant(c.Appearance()); },
                      [](CboVarno& c, const Variant& v) { c.SetAppearance(v.AsLong()); }}},
      {"BorderStyle", {[](CboVarno& c, Args&) { return Variant(c.BorderStyle()); },
                       [](CboVarno& c, const Variant& v) { c.SetBorderStyle(v.AsLong()); }}},
      {"Alignment", {[](CboVarno& c, Args&) { return Variant(c.Alignment()); },
                     [](CboVarno& c, const Variant& v) { c.SetAlignment(v.AsLong()); }}},
      {"AddField", {[](CboVarno& c, Args& a) {
                      c.AddField(a[0].AsString(), a[1].AsString(), a[2].AsBool(), a[3].AsDouble(), a[4].AsLong(),
                                 a[5].AsString(), a[6].AsLong(), a[7].AsBool(), a[8].AsBool(), a[9].AsBool());
                      return Variant();
                    },
                    nullptr}},
      {"Combo_Clear", {[](CboVarno& c, Args& a) { c.Combo_Clear(a[0].AsLong()); return Variant(); }, nullptr}},
      {"ListItem", {[](CboVarno& c, Args& a) { return c.ListItem(a[0].AsString(), a[1]); }, nullptr}},
      {"Separatore_Record", {[](CboVarno& c, Args&) { return Variant(c.Separatore_Record()); },
                             [](CboVarno& c, const Variant& v) { c.SetSeparatore_Record(v.AsLong()); }}},
      {"Record_Selector", {[](CboVarno& c, Args&) { return Variant(c.Record_Selector()); },
                           [](CboVarno& c, const Variant& v) { c.SetRecord_Selector(v.AsBool()); }}},
      {"Text_Column", {[](CboVarno& c, Args&) { return Variant(c.Text_Column()); },
                       [](CboVarno& c, const Variant& v) { c.SetText_Column(v.AsString()); }}},
      {"Bound_Column", {[](CboVarno& c, Args&) { return Variant(c.Bound_Column()); },
                        [](CboVarno& c, const Variant& v) { c.SetBound_Column(v.AsString()); }}},
      {"Rows_Count", {[](CboVarno& c, Args&) { return Variant(c.Rows_Count()); },
                      [](CboVarno& c, const Variant& v) { c.SetRows_Count(v.AsByte()); }}},
      {"Visualizza_Fields", {[](CboVarno& c, Args&) { return Variant(c.Visualizza_Fields()); },
                             [](CboVarno& c, const Variant& v) { c.SetVisualizza_Fields(v.AsBool()); }}},
      {"Font_Grid", {[](CboVarno& c, Args&) { return Variant(c.Font_Grid()); },
                     [](CboVarno& c, const Variant& v) { c.SetFont_Grid(v.AsFont()); }}},
      {"Value", {[](CboVarno& c, Args&) { return Variant(c.Value()); },
                 [](CboVarno& c, const Variant& v) { c.SetValue(v.AsString()); }}},
      {"Text", {[](CboVarno& c, Args&) { return Variant(c.Text()); },
                [](CboVarno& c, const Variant& v) { c.SetText(v.AsString()); }}},
      {"ListValue", {[](CboVarno& c, Args& a) {
                       std::string campo = a[0].AsString();
                       Variant r = c.ListValue(campo);
                       a[0] = Variant(campo);
                       return r;
                     },
                     nullptr}},
      {"ListIndex", {[](CboVarno& c, Args&) { return Variant(c.ListIndex()); },
                     [](CboVarno& c, const Variant& v) { c.SetListIndex(v.AsLong()); }}},
      {"Griglia_Centrata", {[](CboVarno& c, Args&) { return Variant(c.Griglia_Centrata()); },
                            [](CboVarno& c, const Variant& v) { c.SetGriglia_Centrata(v.AsBool()); }}},
      {"Enabled", {[](CboVarno& c, Args&) { return Variant(c.Enabled()); },
                   [](CboVarno& c, const Variant& v) { c.SetEnabled(v.AsBool()); }}},
      {"Locked", {[](CboVarno& c, Args&) { return Variant(c.Locked()); },
                  [](CboVarno& c, const Variant& v) { c.SetLocked(v.AsBool()); }}},
      {"RowHeight", {[](CboVarno& c, Args&) { return Variant(c.RowHeight()); },
                     [](CboVarno& c, const Variant& v) { c.SetRowHeight(v.AsLong()); }}},
      {"AltezzaIntest", {[](CboVarno& c, Args&) { return Variant(c.AltezzaIntest()); },
                         [](CboVarno& c, const Variant& v) { c.SetAltezzaIntest(v.AsInteger()); }}},
      {"ColoreSfondoGrid", {[](CboVarno& c, Args&) { return Colore(c.ColoreSfondoGrid()); },
                            [](CboVarno& c, const Variant& v) { c.SetColoreSfondoGrid(static_cast<Colour>(v.AsLong())); }}},
  };
  return b;
}

}  // namespace

Variant Invoke(CboVarno& control, const std::string& member, InvokeKind kind, Args& args) {
  const MemberInfo* m = FindMember(member);
  if (!m) throw std::invalid_argument("CboVarno has no member " + member);
  const Binding& b = Bindings().at(m->Name);
  const bool proprieta = m->Kind != MemberKind::Method;
  switch (kind) {
    case InvokeKind::Method: {
      if (proprieta) throw std::invalid_argument(m->Name + " is a property, not a method");
      Args converted = Prepare(*m, m->Params, args);
      Variant r = b.call(control, converted);
      for (size_t i = 0; i < m->Params.size() && i < args.size(); ++i)
        if (m->Params[i].ByRef) args[i] = converted[i];
      return r;
    }
    case InvokeKind::PropertyGet: {
      if (!proprieta) throw std::invalid_argument(m->Name + " is a method, not a property");
      if (!args.empty()) throw std::invalid_argument(m->Name + " takes no arguments");
      Args none;
      return b.call(control, none);
    }
    case InvokeKind::PropertyLet:
    case InvokeKind::PropertySet: {
      if (!proprieta) throw std::invalid_argument(m->Name + " is a method, not a property");
      bool set = kind == InvokeKind::PropertySet;
      if (set != (m->Kind == MemberKind::PropertySet))
        throw std::invalid_argument(m->Name + (set ? " takes a value, not an object" : " takes an object, not a value"));
      if (args.size() != 1) throw std::invalid_argument(m->Name + " takes one value");
      Args converted = Prepare(*m, m->Params, args);
      b.let(control, converted[0]);
      return Variant();
    }
  }
  return Variant();
}

}  // namespace cbo
