#include "bench/figures.hpp"

#include <malloc.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>

namespace bench {

namespace {

struct Slot {
  std::optional<double> ours, peer, floor;
};

std::vector<std::string>& Names() {
  static std::vector<std::string> names;
  return names;
}
std::map<std::pair<std::string, size_t>, Slot>& Slots() {
  static std::map<std::pair<std::string, size_t>, Slot> slots;
  return slots;
}

std::string Shown(const std::optional<double>& v) {
  if (!v) return "-";
  char buf[64];
  if (*v >= 1000)
    std::snprintf(buf, sizeof buf, "%.0f", *v);
  else if (*v >= 10)
    std::snprintf(buf, sizeof buf, "%.1f", *v);
  else
    std::snprintf(buf, sizeof buf, "%.3f", *v);
  return buf;
}

}  // namespace

void Declare(const std::string& name, size_t n) {
  if (std::find(Names().begin(), Names().end(), name) == Names().end()) Names().push_back(name);
  Slots()[{name, n}];
}

void Record(const std::string& name, size_t n, Side side, double value) {
  Declare(name, n);
  Slot& s = Slots()[{name, n}];
  (side == Side::Ours ? s.ours : side == Side::Peer ? s.peer : s.floor) = value;
}

void PrintResults() {
  for (const std::string& name : Names())
    for (const auto& [key, slot] : Slots())
      if (key.first == name)
        std::printf("RESULT name=%s n=%zu ours=%s peer=%s floor=%s\n", name.c_str(), key.second,
                    Shown(slot.ours).c_str(), Shown(slot.peer).c_str(), Shown(slot.floor).c_str());
  std::fflush(stdout);
}

double ThreadCpuMicros() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t m = values.size() / 2;
  return values.size() % 2 ? values[m] : (values[m - 1] + values[m]) / 2;
}

size_t ResidentBytes() {
  malloc_trim(0);
  std::FILE* f = std::fopen("/proc/self/statm", "r");
  if (!f) return 0;
  unsigned long size = 0, resident = 0;
  const int read = std::fscanf(f, "%lu %lu", &size, &resident);
  std::fclose(f);
  return read == 2 ? resident * static_cast<size_t>(sysconf(_SC_PAGESIZE)) : 0;
}

double ResidentGrowthMb(size_t before) {
  const size_t now = ResidentBytes();
  return now > before ? static_cast<double>(now - before) / 1e6 : 0;
}

size_t AvailableBytes() {
  std::FILE* f = std::fopen("/proc/meminfo", "r");
  if (!f) return 0;
  char line[256];
  unsigned long kb = 0;
  while (std::fgets(line, sizeof line, f))
    if (std::sscanf(line, "MemAvailable: %lu kB", &kb) == 1) break;
  std::fclose(f);
  return static_cast<size_t>(kb) * 1024;
}

Options& Settings() {
  static Options options;
  return options;
}

}  // namespace bench
