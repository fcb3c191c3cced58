#pragma once
// The scripted host: one headless platform, one process state, the controls
// the scenario places (each in its own container), property bags, fonts, the
// printed events and the host handlers. It plays a scenario line by line; the
// grid window's modal loop pulls the following lines through the platform's
// event source, so a command that opens the window ends when a later line
// closes it.
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "control/cbo_varno.hpp"
#include "control/type_library.hpp"
#include "lexer.hpp"
#include "platform/headless/headless.hpp"
#include "grid/process_state.hpp"
#include "run.hpp"
#include "values.hpp"

namespace cbo::script {

using Args = std::vector<Token>;

class Host {
public:
  explicit Host(std::ostream& out);
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // Plays every line; a ScriptError escapes with its line number.
  void Play(std::vector<std::string> lines);
  // Plays the lines the source hands out, asking for each when it is due.
  void Play(LineSource source);

private:
  // One placed control and its container.
  struct Placed {
    std::string name;
    std::unique_ptr<headless::HeadlessContainer> container;
    std::unique_ptr<CboVarno> control;
  };
  // A host handler: on C.Event Arg = VALUE.
  struct ArgSetter {
    size_t argument;
    Variant value;
  };

  // --- The line runner (host.cpp). ---
  bool RunNextLine();
  bool PumpFromModal();
  void Execute(const Args& args);

  // --- Shared helpers (host.cpp). ---
  Placed& ControlOf(const Token& name);
  Placed* FindControl(const std::string& name);
  Variant Value(const Token& token) const;
  // Splits C.Member into the control and the member name.
  std::pair<Placed*, std::string> Member(const Token& path);
  void Print(const std::string& line);
  // Runs a host call, printing a control's failure as `error LABEL: KIND: message`.
  void Guarded(const std::string& label, const std::function<void()>& call);
  // Calls a published member; a wrong member or argument count is a ScriptError.
  Variant InvokeOn(Placed& c, const std::string& member, InvokeKind kind, std::vector<Variant>& args);
  // Runs an end user's action, printing a failure under the handler it escaped
  // from (`fallbackHandler` when the platform could not tell).
  void UserAction(Placed* c, const std::string& fallbackHandler, const std::function<void()>& action);
  std::string FailedHandlerLabel(Placed* c, const std::string& fallbackHandler);
  // Notes the open grid window's owner and the handles of its constituents,
  // so that a failure is named even when the window closed on the way out.
  void RememberGrid();
  // The control whose grid window is open (by its table), or nullptr.
  Placed* GridOwner();
  FrmGriglia& OpenGrid(const std::string& what);
  void InstallSinks(Placed& c);
  void OnEvent(Placed& c, int number, std::span<Variant> args);

  // --- Host commands (commands_host.cpp). ---
  void New(const Args& a);
  void Save(const Args& a);
  void BagPrint(const Args& a);
  void BagSet(const Args& a);
  void Let(const Args& a);
  void PrintCommand(const Args& a);
  void Call(const Args& a);
  void Add(const Args& a);
  void Resize(const Args& a);
  void DefineFont(const Args& a);
  void Ambient(const Args& a);
  void Echo(const Args& a);
  // sql C "FILE" "QUERY" (commands_sql.cpp).
  void Sql(const Args& a);
  void Live(const Args& a);

  // --- What the end user does (commands_user.cpp). ---
  void Type(const Args& a);
  void KeyCommand(const Args& a);
  void Select(const Args& a);
  void Paste(const Args& a);
  void Click(const Args& a);
  void DblClick(const Args& a);
  void Mouse(const Args& a);
  void Focus(const Args& a);
  void Blur(const Args& a);
  void Button(const Args& a);
  void Grid(const Args& a);

  // --- Environment (commands_env.cpp). ---
  void Screen(const Args& a);
  void At(const Args& a);
  void Cursor(const Args& a);
  void Wait(const Args& a);
  void Events(const Args& a);
  void Notify(const Args& a);
  void On(const Args& a);

  // --- print PATH (print_paths.cpp). ---
  void Inspect(const std::string& path);
  void InspectControl(Placed& c, const std::string& path, const std::vector<std::string>& parts);
  void InspectModule1(const std::string& path, const std::vector<std::string>& parts);
  void InspectGrid(const std::string& path, const std::vector<std::string>& parts);
  void PrintRows(Placed& c, const std::string& path);
  void PrintShown(FrmGriglia& g, const std::string& path);

  std::ostream& out_;
  headless::HeadlessPlatform platform_;
  ProcessState shared_;
  std::map<std::string, std::unique_ptr<Placed>> controls_;
  std::map<std::string, headless::HeadlessPropertyBag> bags_;
  FontTable fonts_;
  FontRef ambient_;
  std::set<std::string> printedEvents_;
  bool notify_ = false;
  // Handlers by control name and event number.
  std::map<std::string, std::map<int, std::vector<ArgSetter>>> handlers_;
  // Controls of the commands in progress, innermost last.
  std::vector<Placed*> acting_;
  std::string gridOwnerName_;
  std::map<int32_t, std::string> gridHandles_;

  std::vector<std::string> lines_;
  LineSource source_;  // asked for more lines when lines_ runs out
  size_t next_ = 0;
  int currentLine_ = 0;  // the line being run, innermost
  int topLine_ = 0;      // the line being run at the outermost level

  using Command = void (Host::*)(const Args&);
  static const std::map<std::string, Command>& Commands();
};

}  // namespace cbo::script
