// The environment: screen, placement, cursor, virtual clock, which host events
// are printed, property-changed notifications, and host handlers.
#include <cctype>

#include "control/type_library.hpp"
#include "host.hpp"
#include "platform/error.hpp"
#include "script_error.hpp"

namespace cbo::script {

namespace {

void Expect(const Args& a, size_t count, const char* usage) {
  if (a.size() != count) Mistake(std::string("usage: ") + usage);
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

// A handler's value converted to the type of the by-reference argument.
Variant AsArgumentType(const Variant& v, const ParamInfo& p) {
  try {
    if (p.Type == "Integer") return Variant(ToInteger(v, p.Name));
    if (p.Type == "Single") return Variant(static_cast<float>(ToDouble(v, p.Name)));
    if (p.Type == "Long") return Variant(ToLong(v, p.Name));
  } catch (const Error& e) {
    Mistake(e.what());
  }
  return v;
}

}  // namespace

void Host::Screen(const Args& a) {
  Expect(a, 3, "screen W H");
  platform_.SetScreenSize(ParseNumber(a[1]), ParseNumber(a[2]));
}

void Host::At(const Args& a) {
  Expect(a, 4, "at C LEFT TOP");
  Placed& c = ControlOf(a[1]);
  c.container->SetScreenPosition(ParseNumber(a[2]), ParseNumber(a[3]));
}

void Host::Cursor(const Args& a) {
  Expect(a, 3, "cursor X Y");
  platform_.SetCursor(ParseNumber(a[1]), ParseNumber(a[2]));
}

void Host::Wait(const Args& a) {
  Expect(a, 2, "wait MS");
  int32_t ms = ParseInteger(a[1]);
  if (ms < 0) Mistake("wait takes a number of milliseconds of 0 or more");
  Placed* owner = GridOwner();
  if (!owner && !acting_.empty()) owner = acting_.back();
  UserAction(owner, "T_Trova_Timer", [&] { platform_.Advance(ms); });
}

void Host::Events(const Args& a) {
  if (a.size() < 2) Mistake("usage: events NAME ... | events all | events none");
  std::set<std::string> chosen;
  if (a.size() == 2 && a[1].IsWord("all")) {
    for (const EventInfo& ev : Library().Events) chosen.insert(ev.Name);
  } else if (a.size() == 2 && a[1].IsWord("none")) {
  } else {
    for (size_t i = 1; i < a.size(); ++i) {
      const EventInfo* ev = a[i].kind == Token::Word ? FindEvent(a[i].text) : nullptr;
      if (!ev) Mistake("unknown event " + a[i].text);
      chosen.insert(ev->Name);
    }
  }
  printedEvents_ = std::move(chosen);
}

void Host::Notify(const Args& a) {
  Expect(a, 2, "notify on|off");
  if (a[1].IsWord("on"))
    notify_ = true;
  else if (a[1].IsWord("off"))
    notify_ = false;
  else
    Mistake("usage: notify on|off");
}

void Host::On(const Args& a) {
  bool off = a.size() == 3 && a[2].IsWord("off");
  if (!off && (a.size() != 5 || !a[3].IsWord("="))) Mistake("usage: on C.Event Arg = VALUE | on C.Event off");
  auto [c, eventName] = Member(a[1]);
  const EventInfo* ev = FindEvent(eventName);
  if (!ev) Mistake("unknown event " + eventName);
  auto& setters = handlers_[c->name][ev->Number];
  if (off) {
    setters.clear();
    return;
  }
  for (size_t i = 0; i < ev->Params.size(); ++i) {
    if (a[2].kind == Token::Word && SameName(ev->Params[i].Name, a[2].text)) {
      Variant value = AsArgumentType(Value(a[4]), ev->Params[i]);
      for (ArgSetter& s : setters)
        if (s.argument == i) {
          s.value = value;
          return;
        }
      setters.push_back({i, value});
      return;
    }
  }
  Mistake("the event " + ev->Name + " has no argument " + a[2].text);
}

}  // namespace cbo::script
