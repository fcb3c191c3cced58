#include "fuzz/sessions/session.hpp"

#include <deque>
#include <functional>
#include <sstream>

#include "apps/cbo-script/run.hpp"
#include "fuzz/sessions/checker.hpp"
#include "fuzz/sessions/generator.hpp"

namespace cbo::sessions {

namespace {

// Thrown from the line source to end a run at the first failure; it derives
// from nothing the library could catch.
struct Stop {};

using Steps = std::function<std::vector<std::string>(size_t openWindows)>;

Outcome Play(Checker& checker, const Steps& nextStep, std::ostream* transcript,
             const std::function<std::optional<Failure>()>& stuck = {}) {
  Outcome o;
  std::ostringstream out, err;
  std::deque<std::string> queue;
  std::string previous;
  bool pending = false;  // `previous` ran and its output is not read yet
  auto observe = [&](size_t open) {
    if (!pending) return;
    pending = false;
    const std::string printed = out.str();
    out.str("");
    o.failure = checker.Observe(previous, printed, open);
  };
  script::LineSource source = [&](std::string& line, size_t open) {
    if (o.failure) return false;
    observe(open);
    if (!o.failure && stuck) o.failure = stuck();
    if (o.failure) throw Stop{};
    while (queue.empty()) {
      std::vector<std::string> step = nextStep(open);
      if (step.empty()) return false;
      ++o.steps;
      queue.insert(queue.end(), step.begin(), step.end());
    }
    line = queue.front();
    queue.pop_front();
    previous = line;
    pending = true;
    o.lines.push_back(line);
    if (transcript) *transcript << line << std::endl;
    return true;
  };
  int status = 0;
  try {
    status = script::RunScenarioFrom(source, out, err);
  } catch (const Stop&) {}
  if (!o.failure) observe(0);
  if (!o.failure && status != 0) o.failure = Failure{"script error", err.str()};
  return o;
}

// The lines of each step: a step begins at its "# step" comment.
std::vector<std::vector<std::string>> SplitSteps(const std::vector<std::string>& lines) {
  std::vector<std::vector<std::string>> steps;
  for (const std::string& l : lines) {
    if (steps.empty() || l.compare(0, 7, "# step ") == 0) steps.emplace_back();
    steps.back().push_back(l);
  }
  return steps;
}

std::vector<std::string> Join(const std::vector<std::vector<std::string>>& steps) {
  std::vector<std::string> lines;
  for (const auto& s : steps) lines.insert(lines.end(), s.begin(), s.end());
  return lines;
}

}  // namespace

bool Switches::Set(const std::string& name, bool on) {
  if (name == "extreme-sizes")
    extremeSizes = on;
  else if (name == "window-flag")
    windowFlag = on;
  else if (name == "rows")
    rows = on;
  else if (name == "save-load")
    saveLoad = on;
  else if (name == "printed-values")
    printedValues = on;
  else
    return false;
  return true;
}

std::vector<std::string> Switches::Names() {
  return {"extreme-sizes", "window-flag", "rows", "save-load", "printed-values"};
}

Outcome Generate(uint64_t seed, int steps, int controls, const Switches& switches, std::ostream* transcript) {
  Checker checker(switches);
  Generator generator(seed, steps, controls, switches, checker);
  auto stuck = [&]() -> std::optional<Failure> {
    if (!generator.Stuck()) return std::nullopt;
    return Failure{"window-stuck", "the grid window does not close with Escape, Enter or a click"};
  };
  return Play(
      checker, [&](size_t open) { return generator.NextStep(open); }, transcript, stuck);
}

Outcome Replay(const std::vector<std::string>& lines, const Switches& switches) {
  Checker checker(switches);
  std::vector<std::vector<std::string>> steps = SplitSteps(lines);
  size_t next = 0;
  return Play(
      checker, [&](size_t) { return next < steps.size() ? steps[next++] : std::vector<std::string>{}; }, nullptr);
}

std::vector<std::string> Minimize(const std::vector<std::string>& lines, const Switches& switches,
                                  const Failure& failure) {
  // The same failure: the same invariant, or the same mistake on whatever line.
  auto withoutLine = [](const std::string& message) {
    size_t colon = message.find(": ", message.find("line "));
    return colon == std::string::npos ? message : message.substr(colon);
  };
  auto fails = [&](const std::vector<std::vector<std::string>>& steps) {
    Outcome o = Replay(Join(steps), switches);
    if (!o.failure || o.failure->kind != failure.kind) return false;
    return failure.kind != "script error" || withoutLine(o.failure->message) == withoutLine(failure.message);
  };
  std::vector<std::vector<std::string>> steps = SplitSteps(lines);
  // Drop runs of steps, long ones first, until no single step can go.
  for (size_t chunk = steps.size() / 2; chunk >= 1; chunk /= 2) {
    bool dropped = true;
    while (dropped) {
      dropped = false;
      for (size_t at = 0; at + chunk <= steps.size();) {
        std::vector<std::vector<std::string>> fewer = steps;
        fewer.erase(fewer.begin() + static_cast<long>(at), fewer.begin() + static_cast<long>(at + chunk));
        if (fails(fewer)) {
          steps = std::move(fewer);
          dropped = true;
        } else {
          at += chunk;
        }
      }
    }
  }
  // Then single lines inside the steps that are left.
  for (size_t s = 0; s < steps.size(); ++s)
    for (size_t l = steps[s].size(); l-- > 0;) {
      if (steps[s][l].compare(0, 7, "# step ") == 0) continue;
      std::vector<std::vector<std::string>> fewer = steps;
      fewer[s].erase(fewer[s].begin() + static_cast<long>(l));
      if (fails(fewer)) steps = std::move(fewer);
    }
  return Join(steps);
}

}  // namespace cbo::sessions
