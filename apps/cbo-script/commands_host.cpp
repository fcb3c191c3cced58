// Host commands: placing controls, bags, properties, methods, rows, sizes, fonts.
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

bool IsName(const Token& t) {
  if (t.kind != Token::Word || t.text.empty()) return false;
  for (unsigned char ch : t.text)
    if (!std::isalnum(ch) && ch != '_') return false;
  return true;
}

const std::string& NameOf(const Token& t, const char* what) {
  if (!IsName(t)) Mistake(std::string("a ") + what + " name (letters, digits, _) was expected, not " + t.text);
  return t.text;
}

}  // namespace

void Host::New(const Args& a) {
  if (a.size() != 2 && !(a.size() == 4 && a[2].IsWord("load"))) Mistake("usage: new C [load B]");
  const std::string& name = NameOf(a[1], "control");
  if (FindControl(name)) Mistake("the control " + name + " already exists");
  auto placed = std::make_unique<Placed>();
  placed->name = name;
  placed->container = std::make_unique<headless::HeadlessContainer>(platform_);
  if (ambient_) placed->container->SetAmbientFont(ambient_);
  InstallSinks(*placed);
  Placed& c = *placed;
  controls_[name] = std::move(placed);

  bool created = false;
  Guarded(name + ".Initialize", [&] {
    c.control = CreateObject("CboVarno", *c.container, shared_);
    created = c.control != nullptr;
  });
  if (!created) {
    controls_.erase(name);
    return;
  }
  if (a.size() == 2) {
    Guarded(name + ".InitProperties", [&] { c.control->InitProperties(); });
    return;
  }
  const std::string& bagName = NameOf(a[3], "bag");
  headless::HeadlessPropertyBag empty;
  auto it = bags_.find(bagName);
  headless::HeadlessPropertyBag& bag = it == bags_.end() ? empty : it->second;
  Guarded(name + ".ReadProperties", [&] { c.control->ReadProperties(bag); });
}

void Host::Save(const Args& a) {
  Expect(a, 3, "save C B");
  Placed& c = ControlOf(a[1]);
  headless::HeadlessPropertyBag& bag = bags_[NameOf(a[2], "bag")];
  bag.Clear();
  Guarded(c.name + ".WriteProperties", [&] { c.control->WriteProperties(bag); });
}

void Host::BagPrint(const Args& a) {
  Expect(a, 2, "bag B");
  const std::string& name = NameOf(a[1], "bag");
  auto it = bags_.find(name);
  if (it == bags_.end()) return;
  const auto entries = it->second.Entries();
  for (const auto& e : entries) Print(name + "." + e.Name + " = " + FormatValue(e.Value));
}

void Host::BagSet(const Args& a) {
  Expect(a, 4, "bagset B Name VALUE");
  const std::string& bag = NameOf(a[1], "bag");
  if (a[2].text.empty()) Mistake("an entry name was expected");
  Variant value = Value(a[3]);
  bags_[bag].Write(a[2].text, value, Variant());
}

void Host::Let(const Args& a) {
  if (a.size() != 4 || !a[2].IsWord("=")) Mistake("usage: let C.Prop = VALUE");
  auto [c, member] = Member(a[1]);
  const MemberInfo* m = FindMember(member);
  if (!m) Mistake("unknown property " + a[1].text);
  if (m->Kind == MemberKind::Method) Mistake(a[1].text + " is a method, not a property");
  InvokeKind kind = m->Kind == MemberKind::PropertySet ? InvokeKind::PropertySet : InvokeKind::PropertyLet;
  std::vector<Variant> args{Value(a[3])};
  Placed& target = *c;
  Guarded(a[1].text, [&] { InvokeOn(target, m->Name, kind, args); });
}

void Host::PrintCommand(const Args& a) {
  Expect(a, 2, "print PATH");
  if (a[1].kind != Token::Word) Mistake("a path was expected, not " + Quote(a[1].text));
  const std::string& path = a[1].text;
  if (path.find('.') == std::string::npos) {
    auto f = fonts_.find(path);
    if (f == fonts_.end()) Mistake("unknown font " + path);
    Print(path + " = " + PrintedFont(f->second));
    return;
  }
  Inspect(path);
}

void Host::Call(const Args& a) {
  if (a.size() < 2) Mistake("usage: call C.Method ARG ...");
  auto [c, member] = Member(a[1]);
  const MemberInfo* m = FindMember(member);
  if (!m) Mistake("unknown method " + a[1].text);
  if (m->Kind != MemberKind::Method) Mistake(a[1].text + " is a property: use let or print");
  std::vector<Variant> args;
  for (size_t i = 2; i < a.size(); ++i) args.push_back(Value(a[i]));
  Placed& target = *c;
  const std::string path = a[1].text;
  Guarded(path, [&] {
    Variant result = InvokeOn(target, m->Name, InvokeKind::Method, args);
    if (!m->ResultType.empty()) Print(path + " = " + FormatTyped(result, m->ResultType));
  });
}

void Host::Add(const Args& a) {
  if (a.size() < 2 || a.size() % 2 != 0) Mistake("usage: add C \"Field\" VALUE \"Field\" VALUE ...");
  Placed& c = ControlOf(a[1]);
  std::vector<std::vector<Variant>> items;
  for (size_t i = 2; i + 1 < a.size(); i += 2) items.push_back({Value(a[i]), Value(a[i + 1])});
  for (auto& args : items) {
    bool failed = true;
    Guarded(c.name + ".ListItem", [&] {
      InvokeOn(c, "ListItem", InvokeKind::Method, args);
      failed = false;
    });
    if (failed) return;
  }
  std::vector<Variant> none;
  Guarded(c.name + ".AddItem", [&] { InvokeOn(c, "AddItem", InvokeKind::Method, none); });
}

void Host::Resize(const Args& a) {
  Expect(a, 4, "resize C W H");
  Placed& c = ControlOf(a[1]);
  double w = ParseNumber(a[2]), h = ParseNumber(a[3]);
  UserAction(&c, "Resize", [&] { c.container->Resize(w, h); });
}

void Host::DefineFont(const Args& a) {
  if (a.size() < 4 || a[2].kind != Token::String)
    Mistake("usage: font F \"Face\" SIZE [bold] [italic] [underline] [strikethrough]");
  const std::string& name = NameOf(a[1], "font");
  auto font = MakeFont(a[2].text, ParseNumber(a[3]));
  for (size_t i = 4; i < a.size(); ++i) {
    if (a[i].IsWord("bold"))
      font->Bold = true;
    else if (a[i].IsWord("italic"))
      font->Italic = true;
    else if (a[i].IsWord("underline"))
      font->Underline = true;
    else if (a[i].IsWord("strikethrough"))
      font->Strikethrough = true;
    else
      Mistake("unknown font style " + a[i].text);
  }
  fonts_[name] = font;
}

void Host::Ambient(const Args& a) {
  Expect(a, 2, "ambient F");
  auto f = fonts_.find(a[1].text);
  if (a[1].kind != Token::Word || f == fonts_.end()) Mistake("unknown font " + a[1].text);
  ambient_ = f->second;
  for (auto& [name, placed] : controls_) placed->container->SetAmbientFont(ambient_);
}

void Host::Echo(const Args& a) {
  if (a.size() != 2 || a[1].kind != Token::String) Mistake("usage: echo \"text\"");
  Print(a[1].text);
}

}  // namespace cbo::script
