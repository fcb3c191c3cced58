#include "run.hpp"

#include <fstream>
#include <sstream>

#include "host.hpp"
#include "script_error.hpp"

namespace cbo::script {

namespace {

int Run(const std::function<void(Host&)>& play, std::ostream& out, std::ostream& err) {
  try {
    Host host(out);
    play(host);
  } catch (const ScriptError& e) {
    out.flush();
    err << "script error, line " << e.line << ": " << e.message << '\n';
    return 2;
  }
  out.flush();
  return 0;
}

}  // namespace

int RunScenario(const std::string& text, std::ostream& out, std::ostream& err) {
  return Run([&](Host& host) { host.Play(SplitLines(text)); }, out, err);
}

int RunScenarioFrom(const LineSource& next, std::ostream& out, std::ostream& err) {
  return Run([&](Host& host) { host.Play(next); }, out, err);
}

int RunScenarioFile(const std::string& path, std::ostream& out, std::ostream& err) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    err << "script error, line 0: cannot read " << path << '\n';
    return 2;
  }
  std::ostringstream text;
  text << file.rdbuf();
  return RunScenario(text.str(), out, err);
}

}  // namespace cbo::script
