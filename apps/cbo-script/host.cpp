#include "host.hpp"

#include <stdexcept>

#include "control/type_library.hpp"
#include "failed_event.hpp"
#include "grid/frm_griglia.hpp"
#include "list/list_store.hpp"
#include "platform/error.hpp"
#include "script_error.hpp"

namespace cbo::script {

const std::map<std::string, Host::Command>& Host::Commands() {
  static const std::map<std::string, Command> commands = {
      {"new", &Host::New},         {"save", &Host::Save},       {"bag", &Host::BagPrint},
      {"bagset", &Host::BagSet},   {"let", &Host::Let},         {"print", &Host::PrintCommand},
      {"call", &Host::Call},       {"add", &Host::Add},         {"resize", &Host::Resize},
      {"font", &Host::DefineFont}, {"ambient", &Host::Ambient}, {"echo", &Host::Echo},
      {"type", &Host::Type},       {"key", &Host::KeyCommand},  {"select", &Host::Select},
      {"paste", &Host::Paste},     {"click", &Host::Click},     {"dblclick", &Host::DblClick},
      {"mouse", &Host::Mouse},     {"focus", &Host::Focus},     {"blur", &Host::Blur},
      {"button", &Host::Button},   {"grid", &Host::Grid},       {"screen", &Host::Screen},
      {"at", &Host::At},           {"cursor", &Host::Cursor},   {"wait", &Host::Wait},
      {"events", &Host::Events},   {"notify", &Host::Notify},   {"on", &Host::On},
      {"sql", &Host::Sql},         {"live", &Host::Live},
  };
  return commands;
}

Host::Host(std::ostream& out) : out_(out), shared_(platform_) {
  platform_.SetEventSource([this] { return PumpFromModal(); });
}

Host::~Host() {
  // The grid window goes first, then each control before its container.
  shared_.SetGriglia(nullptr);
  for (auto& [name, placed] : controls_) placed->control.reset();
  controls_.clear();
}

void Host::Play(LineSource source) {
  source_ = std::move(source);
  Play(std::vector<std::string>{});
}

void Host::Play(std::vector<std::string> lines) {
  lines_ = std::move(lines);
  next_ = 0;
  while (true) {
    topLine_ = static_cast<int>(next_) + 1;
    if (!RunNextLine()) break;
  }
  if (shared_.Griglia()) throw ScriptError{topLine_ - 1, "the scenario ended with the grid window open"};
}

bool Host::RunNextLine() {
  while (true) {
    while (next_ < lines_.size() && IsBlankOrComment(lines_[next_])) ++next_;
    if (next_ < lines_.size()) break;
    std::string line;
    if (!source_ || !source_(line, platform_.ModalWindows().size())) return false;
    lines_.push_back(std::move(line));
  }
  int line = static_cast<int>(++next_);
  int outer = currentLine_;
  currentLine_ = line;
  try {
    Execute(Tokenize(lines_[line - 1]));
  } catch (ScriptError& e) {
    if (e.line == 0) e.line = line;
    throw;
  }
  currentLine_ = outer;
  return true;
}

// The event source of the modal grid window: each call plays the next line.
bool Host::PumpFromModal() {
  int opener = currentLine_;
  if (RunNextLine()) return true;
  if (!platform_.ModalWindows().empty() || shared_.Griglia())
    throw ScriptError{opener, "the scenario ended with the grid window open"};
  return false;
}

void Host::Execute(const Args& args) {
  if (args.empty()) return;
  if (args[0].kind != Token::Word) Mistake("a command was expected, not the string " + Quote(args[0].text));
  auto it = Commands().find(args[0].text);
  if (it == Commands().end()) Mistake("unknown command " + args[0].text);
  (this->*(it->second))(args);
}

Host::Placed* Host::FindControl(const std::string& name) {
  auto it = controls_.find(name);
  return it == controls_.end() ? nullptr : it->second.get();
}

Host::Placed& Host::ControlOf(const Token& name) {
  if (name.kind != Token::Word) Mistake("a control name was expected, not " + Quote(name.text));
  Placed* c = FindControl(name.text);
  if (!c) Mistake("unknown control " + name.text);
  return *c;
}

Variant Host::Value(const Token& token) const { return ParseValue(token, fonts_); }

std::pair<Host::Placed*, std::string> Host::Member(const Token& path) {
  size_t dot = path.text.find('.');
  if (path.kind != Token::Word || dot == std::string::npos || dot + 1 == path.text.size())
    Mistake("C.Member was expected, not " + path.text);
  Placed* c = FindControl(path.text.substr(0, dot));
  if (!c) Mistake("unknown control " + path.text.substr(0, dot));
  return {c, path.text.substr(dot + 1)};
}

void Host::Print(const std::string& line) { out_ << line << '\n'; }

Variant Host::InvokeOn(Placed& c, const std::string& member, InvokeKind kind, std::vector<Variant>& args) {
  try {
    return Invoke(*c.control, member, kind, args);
  } catch (const std::invalid_argument& e) {
    Mistake(c.name + "." + member + ": " + e.what());
  }
}

void Host::Guarded(const std::string& label, const std::function<void()>& call) {
  try {
    call();
  } catch (const Error& e) {
    Print("error " + label + ": " + KindName(e.kind()) + ": " + e.what());
  }
}

Host::Placed* Host::GridOwner() {
  if (!shared_.Griglia()) return nullptr;
  const RecordsetRef& table = shared_.Griglia()->Rcset_Cbo_Griglia();
  if (table)
    for (auto& [name, placed] : controls_)
      if (placed->control && placed->control->Lista().Rcset_Cbo() == table) return placed.get();
  if (!acting_.empty()) return acting_.front();
  return controls_.empty() ? nullptr : controls_.begin()->second.get();
}

FrmGriglia& Host::OpenGrid(const std::string& what) {
  if (!shared_.Griglia()) Mistake(what + ": no grid window is open");
  return *shared_.Griglia();
}

void Host::UserAction(Placed* c, const std::string& fallbackHandler, const std::function<void()>& action) {
  struct Acting {
    std::vector<Placed*>& stack;
    ~Acting() { stack.pop_back(); }
  } acting{acting_};
  acting_.push_back(c);
  RememberGrid();
  ClearFailedEventOf(platform_);
  try {
    action();
  } catch (const Error& e) {
    Print("error " + FailedHandlerLabel(c, fallbackHandler) + ": " + KindName(e.kind()) + ": " + e.what());
  }
  ClearFailedEventOf(platform_);
}

void Host::RememberGrid() {
  if (!shared_.Griglia()) return;
  FrmGriglia& g = *shared_.Griglia();
  Placed* owner = GridOwner();
  if (owner) gridOwnerName_ = owner->name;
  gridHandles_[g.Form().hWnd()] = "Form";
  gridHandles_[g.MSF().hWnd()] = "MSF";
  gridHandles_[g.Pct1().hWnd()] = "Pct1";
  for (const auto& [i, box] : g.Pct_Field()) gridHandles_[box->hWnd()] = "Pct_Field";
  for (const auto& [i, label] : g.Lbl_Field()) gridHandles_[label->hWnd()] = "Lbl_Field";
}

std::string Host::FailedHandlerLabel(Placed* c, const std::string& fallbackHandler) {
  RememberGrid();
  std::string event = LastFailedEventOf(platform_);
  int32_t handle = LastFailedHandleOf(platform_);
  std::string gridOwner = gridOwnerName_.empty() && c ? c->name : gridOwnerName_;
  if (!event.empty()) {
    for (auto& [name, placed] : controls_) {
      if (!placed->control) continue;
      CboVarno& k = *placed->control;
      if (handle == k.Txt_Cbo().hWnd()) return name + ".Txt_Cbo_" + event;
      if (handle == k.Cmd_List().hWnd()) return name + ".Cmd_List_" + event;
      if (handle == k.Pct_Text().hWnd()) return name + ".Pct_Text_" + event;
    }
    if (auto it = gridHandles_.find(handle); handle != 0 && it != gridHandles_.end()) {
      if (it->second == "MSF" && event == "LayoutChanged") event = "ColResize";
      return gridOwner + "." + it->second + "_" + event;
    }
    if (event == "Timer") return gridOwner + ".T_Trova_Timer";
  }
  return (c ? c->name : gridOwner) + "." + fallbackHandler;
}

void Host::InstallSinks(Placed& c) {
  Placed* p = &c;
  c.container->OnEvent = [this, p](int number, std::span<Variant> args) { OnEvent(*p, number, args); };
  c.container->OnPropertyChanged = [this, p](const std::string& name) {
    if (notify_) Print("notify " + p->name + " " + Quote(name));
  };
}

void Host::OnEvent(Placed& c, int number, std::span<Variant> args) {
  const EventInfo* ev = FindEvent(number);
  std::string name = ev ? ev->Name : "Event" + std::to_string(number);
  if (printedEvents_.count(name)) {
    std::string line = "event " + c.name + "." + name;
    for (size_t i = 0; i < args.size(); ++i) {
      std::string arg = ev && i < ev->Params.size() ? ev->Params[i].Name : "Arg" + std::to_string(i + 1);
      line += " " + arg + "=" + FormatValue(args[i]);
    }
    Print(line);
  }
  auto forControl = handlers_.find(c.name);
  if (forControl == handlers_.end()) return;
  auto setters = forControl->second.find(number);
  if (setters == forControl->second.end()) return;
  for (const ArgSetter& s : std::vector<ArgSetter>(setters->second))
    if (s.argument < args.size()) args[s.argument] = s.value;
}

}  // namespace cbo::script
