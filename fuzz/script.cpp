// The scripted host on arbitrary text: a scenario either runs to its end
// (status 0) or stops at a mistake in it (status 2, with the line); whatever
// the controls raise is printed, never thrown out of the host.
#include <sstream>

#include "apps/cbo-script/run.hpp"
#include "fuzz/harness.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::ostringstream out, err;
  const int status = cbo::script::RunScenario(text, out, err);
  cbo::fuzz::Check(status == 0 || status == 2, "exit status " + std::to_string(status));
  cbo::fuzz::Check((status == 2) == (err.str().rfind("script error, line ", 0) == 0),
                   "a script error without its line, or a message without a script error: " + err.str());
  return 0;
}
