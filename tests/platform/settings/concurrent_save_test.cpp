// Saves from several processes at once, and a writer killed in the middle of
// its saves: a reader only ever finds one whole set of settings that some
// save wrote, never a torn or cut file, and no save that reports success
// lost its file to another's temporary file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <random>

#include "platform/property_file.hpp"
#include "tests/platform/settings/settings_files.hpp"

namespace cbo::test {
namespace {

// Set `s`: 300 entries of about 100 bytes, every value naming its set, so
// that a file torn between two saves reads as no set.
PropertyFile SetOf(int s) {
  PropertyFile f;
  for (int i = 0; i < 300; ++i)
    f.Write("E" + std::to_string(i),
            Variant("set " + std::to_string(s) + " entry " + std::to_string(i) + " " +
                    std::string(80, static_cast<char>('a' + s))),
            Variant());
  return f;
}

// The set the file holds, -1 for none; -2 when it is refused.
int WhichSet(const std::string& path, const std::vector<std::string>& texts) {
  try {
    const std::string text = PropertyFile::Load(path).Text();
    for (size_t s = 0; s < texts.size(); ++s)
      if (texts[s] == text) return static_cast<int>(s);
    return -1;
  } catch (const Error&) {
    return -2;
  }
}

// A process that saves set `s` `times` times (forever when 0); its exit
// status is the number of saves that failed.
pid_t StartWriter(const std::string& path, int s, int times) {
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  const PropertyFile set = SetOf(s);
  int failed = 0;
  for (int i = 0; times == 0 || i < times; ++i) {
    try {
      set.Save(path);
    } catch (const Error& e) {
      std::fprintf(stderr, "writer %d: %s\n", s, e.what());
      ++failed;
    }
  }
  ::_exit(failed > 255 ? 255 : failed);
}

int ExitStatus(pid_t pid) {
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class ConcurrentSave : public ::testing::Test {
protected:
  void SetUp() override {
    for (int s = 0; s < 4; ++s) texts.push_back(SetOf(s).Text());
    SetOf(0).Save(path);
  }
  // The hidden temporary files of saves in the folder.
  int Leftovers() const { return static_cast<int>(folder.Names().size()) - 1; }

  TempFolder folder;
  const std::string path = folder / "form.settings";
  std::vector<std::string> texts;
};

TEST_F(ConcurrentSave, TwoProcessesSavingAtOnceNeverLeaveATornFile) {
  const pid_t a = StartWriter(path, 1, 150);
  const pid_t b = StartWriter(path, 2, 150);
  int reads = 0, bad = 0;
  // Reads until both have ended (looked at without reaping them, so that
  // ExitStatus still finds their status).
  for (;;) {
    siginfo_t info{};
    const bool aDone =
        ::waitid(P_PID, static_cast<id_t>(a), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == a;
    info = {};
    const bool bDone =
        ::waitid(P_PID, static_cast<id_t>(b), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == b;
    if (aDone && bDone) break;
    const int s = WhichSet(path, texts);
    ++reads;
    if (s < 0) ++bad;
  }
  EXPECT_EQ(ExitStatus(a), 0) << "saves of writer 1 failed";
  EXPECT_EQ(ExitStatus(b), 0) << "saves of writer 2 failed";
  EXPECT_EQ(bad, 0) << "of " << reads << " reads";
  const int last = WhichSet(path, texts);
  EXPECT_TRUE(last == 1 || last == 2) << last;
  EXPECT_EQ(Leftovers(), 0);
  std::printf("300 saves from two processes, %d reads meanwhile, %d not a whole set\n", reads, bad);
}

TEST_F(ConcurrentSave, AWriterKilledAtAnyMomentLeavesOneWholeSet) {
  const pid_t a = StartWriter(path, 1, 0);
  const pid_t b = StartWriter(path, 2, 0);
  std::mt19937 random(20);
  int bad = 0, seen[4] = {0, 0, 0, 0};
  constexpr int kKills = 300;
  for (int k = 0; k < kKills; ++k) {
    const pid_t victim = StartWriter(path, 3, 0);
    // A random moment: after 0 to 15 reads of the file, each one checked.
    for (int r = static_cast<int>(random() % 16); r > 0; --r)
      if (WhichSet(path, texts) < 0) ++bad;
    ::kill(victim, SIGKILL);
    ::waitpid(victim, nullptr, 0);
    const int s = WhichSet(path, texts);
    if (s < 0) {
      ++bad;
      ADD_FAILURE() << "after kill " << k << " the file is " << (s == -2 ? "refused" : "no set saved");
    } else {
      ++seen[s];
    }
  }
  ::kill(a, SIGKILL);
  ::kill(b, SIGKILL);
  ::waitpid(a, nullptr, 0);
  ::waitpid(b, nullptr, 0);
  EXPECT_EQ(bad, 0);
  EXPECT_GE(WhichSet(path, texts), 0);
  // A save killed after naming its temporary file and before renaming it
  // leaves that file behind (where the system has O_TMPFILE the file has a
  // name only for that moment); it is never read as the settings.
  std::printf(
      "%d writers killed: then the file held set 0 %d, 1 %d, 2 %d, 3 (the killed one's) %d times; "
      "%d temporary files left\n",
      kKills, seen[0], seen[1], seen[2], seen[3], Leftovers());
}

}  // namespace
}  // namespace cbo::test
