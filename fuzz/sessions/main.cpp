// cbo-sessions: plays randomized sessions and checks their invariants.
//   cbo-sessions [--seed N] [--count M] [--steps K] [--controls 2|3]
//                [--out DIR] [--without NAME]... [--minimize] [--keep]
//   cbo-sessions --replay FILE.cbo [--without NAME]... [--minimize]
// A failing session is written to DIR/session-N.cbo (and, with --minimize,
// the smallest session that still fails the same way to
// DIR/session-N-min.cbo); with --keep every session is kept. The exit status
// is 1 when any session failed.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "fuzz/sessions/session.hpp"

namespace {

using namespace cbo::sessions;

void Write(const std::string& path, const std::vector<std::string>& lines, const Failure& f) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (const std::string& l : lines) out << l << '\n';
  out << "# fails here: " << f.kind << ": " << f.message << '\n';
}

int Report(const std::string& name, const Outcome& o, const std::string& path, bool minimize, const Switches& s) {
  if (!o.failure) {
    std::cout << name << ": " << o.steps << " steps, " << o.lines.size() << " lines, every check held\n";
    return 0;
  }
  std::cout << name << ": FAILED after " << o.steps << " steps: " << o.failure->kind << ": " << o.failure->message
            << "\n  session: " << path << '\n';
  if (minimize) {
    std::vector<std::string> small = Minimize(o.lines, s, *o.failure);
    const std::string minPath = path.substr(0, path.size() - 4) + "-min.cbo";
    Write(minPath, small, *o.failure);
    std::cout << "  smallest session that fails the same way (" << small.size() << " lines): " << minPath << '\n';
  }
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  uint64_t seed = 1;
  int count = 1, steps = 2000, controls = 0;
  std::string out = ".", replay;
  bool minimize = false, keep = false;
  Switches switches;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) {
        std::cerr << "cbo-sessions: " << a << " needs a value\n";
        std::exit(2);
      }
      return argv[++i];
    };
    if (a == "--seed")
      seed = std::strtoull(value().c_str(), nullptr, 10);
    else if (a == "--count")
      count = std::atoi(value().c_str());
    else if (a == "--steps")
      steps = std::atoi(value().c_str());
    else if (a == "--controls")
      controls = std::atoi(value().c_str());
    else if (a == "--out")
      out = value();
    else if (a == "--replay")
      replay = value();
    else if (a == "--minimize")
      minimize = true;
    else if (a == "--keep")
      keep = true;
    else if (a == "--without") {
      const std::string name = value();
      if (!switches.Set(name, false)) {
        std::cerr << "cbo-sessions: no switch " << name << " (";
        for (const std::string& n : Switches::Names()) std::cerr << ' ' << n;
        std::cerr << " )\n";
        return 2;
      }
    } else {
      std::cerr << "usage: cbo-sessions [--seed N] [--count M] [--steps K] [--controls 2|3] [--out DIR]"
                   " [--without NAME]... [--minimize] [--keep] | --replay FILE [--without NAME]... [--minimize]\n";
      return 2;
    }
  }
  if (!replay.empty()) {
    std::ifstream in(replay, std::ios::binary);
    if (!in) {
      std::cerr << "cbo-sessions: cannot read " << replay << '\n';
      return 2;
    }
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);)
      if (l.compare(0, 13, "# fails here:") != 0) lines.push_back(l);
    return Report(replay, Replay(lines, switches), replay, minimize, switches);
  }
  int failed = 0;
  for (int k = 0; k < count; ++k) {
    const uint64_t s = seed + static_cast<uint64_t>(k);
    const std::string path = out + "/session-" + std::to_string(s) + ".cbo";
    Outcome o;
    {
      std::ofstream transcript(path, std::ios::binary | std::ios::trunc);
      transcript << "# cbo-sessions --seed " << s << " --steps " << steps << '\n';
      o = Generate(s, steps, controls > 0 ? controls : 2 + static_cast<int>(s % 2), switches, &transcript);
      if (o.failure) transcript << "# fails here: " << o.failure->kind << ": " << o.failure->message << '\n';
    }
    if (!o.failure && !keep) std::remove(path.c_str());
    failed += Report("seed " + std::to_string(s), o, path, minimize, switches);
  }
  return failed ? 1 : 0;
}
