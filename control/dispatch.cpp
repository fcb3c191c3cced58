// Late binding: calling a member of CboVarno by its published name, with the
// arguments converted to the types the member declares.
#include <functional>
#include <map>
#include <stdexcept>

#include "control/cbo_varno.hpp"
#include "control/property_table.hpp"
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

struct Binding {
  std::function<Variant(CboVarno&, Args&)> call;       // a method, or a property's get
  std::function<void(CboVarno&, const Variant&)> let;  // a property's let or set
};

// The methods; the properties are bound from the property table.
std::map<std::string, Binding> MethodBindings() {
  return {
      {"Record_Count", {[](CboVarno& c, Args&) { return Variant(c.Record_Count()); }, nullptr}},
      {"AddItem",
       {[](CboVarno& c, Args&) {
          c.AddItem();
          return Variant();
        },
        nullptr}},
      {"RemoveItem",
       {[](CboVarno& c, Args& a) {
          c.RemoveItem(a[0].AsLong());
          return Variant();
        },
        nullptr}},
      {"AddField",
       {[](CboVarno& c, Args& a) {
          c.AddField(a[0].AsString(), a[1].AsString(), a[2].AsBool(), a[3].AsDouble(), a[4].AsLong(), a[5].AsString(),
                     a[6].AsLong(), a[7].AsBool(), a[8].AsBool(), a[9].AsBool());
          return Variant();
        },
        nullptr}},
      {"Combo_Clear",
       {[](CboVarno& c, Args& a) {
          c.Combo_Clear(a[0].AsLong());
          return Variant();
        },
        nullptr}},
      {"ListItem", {[](CboVarno& c, Args& a) { return c.ListItem(a[0].AsString(), a[1]); }, nullptr}},
      {"ListValue",
       {[](CboVarno& c, Args& a) {
          std::string campo = a[0].AsString();
          Variant r = c.ListValue(campo);
          a[0] = Variant(campo);
          return r;
        },
        nullptr}},
  };
}

const std::map<std::string, Binding>& Bindings() {
  static const std::map<std::string, Binding> b = [] {
    std::map<std::string, Binding> all = MethodBindings();
    for (const PropertyInfo& p : Properties())
      all[p.Name] = {[get = p.Get](CboVarno& c, Args&) { return get(c); }, p.Let};
    return all;
  }();
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
        throw std::invalid_argument(m->Name +
                                    (set ? " takes a value, not an object" : " takes an object, not a value"));
      if (args.size() != 1) throw std::invalid_argument(m->Name + " takes one value");
      Args converted = Prepare(*m, m->Params, args);
      b.let(control, converted[0]);
      return Variant();
    }
  }
  return Variant();
}

}  // namespace cbo
