#pragma once
// The figures of one run, ours, the peer's and the floor's side by side, and
// the per-query timing that the median and no-match figures come from.
#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace bench {

enum class Side { Ours, Peer, Floor };

// Makes the figure's line appear even when no side measures it.
void Declare(const std::string& name, size_t n);
// Keeps the figure; a second value for the same slot replaces the first.
void Record(const std::string& name, size_t n, Side side, double value);
// One RESULT line per figure and size, in the order the names were first recorded.
void PrintResults();

using Clock = std::chrono::steady_clock;
inline double MicrosSince(Clock::time_point t0) {
  return std::chrono::duration<double, std::micro>(Clock::now() - t0).count();
}
// The CPU time the calling thread has used, in microseconds: steadier than
// the wall clock on a loaded machine, for work done on one thread.
double ThreadCpuMicros();
double Median(std::vector<double> values);
// The process's resident bytes, after free memory went back to the system;
// the difference across a fill is what the rows hold.
size_t ResidentBytes();
// The process's growth in MB since `before` (a ResidentBytes reading): one
// reading, 0 when the process shrank meanwhile.
double ResidentGrowthMb(size_t before);
// The memory the system could still give (MemAvailable), 0 when unknown.
size_t AvailableBytes();

// How the program was asked to run.
struct Options {
  std::vector<size_t> sizes{10'000, 100'000, 1'000'000, 10'000'000};
  size_t queries = 200;  // typed texts per median
  bool smoke = false;
  bool holdRows = true;       // false: rows are made as they are read (ForEachRow)
  bool filterIndexes = true;  // false: PostgreSQL's trigram indexes are not made
};
Options& Settings();

}  // namespace bench
