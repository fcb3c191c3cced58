#include <gtest/gtest.h>

#include <sstream>

#include "apps/cbo-script/lexer.hpp"
#include "apps/cbo-script/run.hpp"

namespace cbo::script {
namespace {

struct Outcome {
  int status;
  std::string out, err;
};

Outcome Play(const std::string& text) {
  std::ostringstream out, err;
  int status = RunScenario(text, out, err);
  return {status, out.str(), err.str()};
}

// A ComboBox with two rows, ready to open its grid window.
const char* const kCombo =
    "new c\n"
    "let c.StileCbo = ComboBox\n"
    "let c.Enabled = True\n"
    "call c.AddField \"Nome\"\n"
    "add c \"Nome\" \"Roma\"\n"
    "add c \"Nome\" \"Milano\"\n";

TEST(RunScenario, ScriptErrorsNameTheirLineCountingBlankAndCommentLines) {
  Outcome r = Play("# a comment\n\necho \"one\"\n   \nprint nowhere\necho \"two\"\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "one\n");
  EXPECT_EQ(r.err, "script error, line 5: unknown font nowhere\n");
}

TEST(RunScenario, ScriptErrorInsideTheModalLoopEndsTheRunAtOnce) {
  Outcome r = Play(std::string(kCombo) + "button c\necho \"inside\"\nfrobnicate\ngrid key Escape\necho \"after\"\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "inside\n");
  EXPECT_EQ(r.err, "script error, line 9: unknown command frobnicate\n");
}

TEST(RunScenario, OpeningCommandEndsWhenALaterLineClosesTheWindow) {
  Outcome r = Play(std::string(kCombo) +
                   "button c\nprint Module1.GrigliaAperta\ngrid key Escape\nprint Module1.GrigliaAperta\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Module1.GrigliaAperta = True\nModule1.GrigliaAperta = False\n");
}

TEST(RunScenario, EndingWithTheWindowOpenIsAScriptErrorOfTheOpeningLine) {
  Outcome r = Play(std::string(kCombo) + "button c\n# nothing closes it\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "script error, line 7: the scenario ended with the grid window open\n");
}

TEST(RunScenario, WrongUseOfCommandsIsAScriptError) {
  for (const char* text :
       {"new c\nnew c\n", "new 1-x\n", "new c\nlet c.Width = 5\n", "new c\ncall c.Text\n", "new c\nlet c.Text \"x\"\n",
        "new c\nadd c \"A\"\n", "new c\ntype c \"\xF0\x9F\x98\x80\"\n", "grid key Enter\n", "new c\nkey c Space\n",
        "events Nothing\n", "new c\non c.Click X = 1\n", "new c\nprint c.Txt_Cbo.Nope\n", "echo unquoted\n",
        "print x.Text\n", "wait -1\n", "new c\nsql c \"a.db\"\n", "new c\nsql c a.db \"SELECT 1\"\n",
        "sql x \"a.db\" \"SELECT 1\"\n"}) {
    Outcome r = Play(text);
    EXPECT_EQ(r.status, 2) << text;
    EXPECT_NE(r.err.find("script error, line "), std::string::npos) << text;
  }
}

TEST(RunScenario, ControlErrorsArePrintedAndTheScenarioGoesOn) {
  Outcome r = Play("new c\nlet c.TipoPulsante = 300\nprint c.TipoPulsante\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("error c.TipoPulsante: Overflow: ", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\nc.TipoPulsante = 0\n"), std::string::npos) << r.out;
}

TEST(RunScenario, CallPrintsOnlyResults) {
  Outcome r = Play("new c\ncall c.AddField \"A\"\ncall c.Record_Count\ncall c.Combo_Clear Tutto\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "c.Record_Count = 0\n");
}

// A line source is asked for each line when it is due, inside the window's
// loop while the window is open, and told how many windows are open; it can
// read what the lines before printed.
TEST(RunScenarioFrom, AsksForEachLineWhenItIsDueWithTheOpenWindows) {
  std::vector<std::string> lines = SplitLines(std::string(kCombo) + "button c\nprint c.Text\ngrid key Escape\n");
  std::ostringstream out, err;
  std::vector<size_t> open;
  std::vector<std::string> seenBefore;
  size_t next = 0;
  int status = RunScenarioFrom(
      [&](std::string& line, size_t windows) {
        open.push_back(windows);
        seenBefore.push_back(out.str());
        if (next == lines.size()) return false;
        line = lines[next++];
        return true;
      },
      out, err);
  EXPECT_EQ(status, 0) << err.str();
  EXPECT_EQ(open, (std::vector<size_t>{0, 0, 0, 0, 0, 0, 0, 1, 1, 0}));
  // The line after the print sees what it printed.
  EXPECT_EQ(seenBefore[8].rfind("c.Text = ", 0), 0u) << seenBefore[8];
  EXPECT_EQ(seenBefore[7], "");
}

TEST(RunScenarioFrom, ASourceThatRunsOutWithTheWindowOpenIsAScriptError) {
  std::vector<std::string> lines = SplitLines(std::string(kCombo) + "button c\n");
  std::ostringstream out, err;
  size_t next = 0;
  int status = RunScenarioFrom(
      [&](std::string& line, size_t) {
        if (next == lines.size()) return false;
        line = lines[next++];
        return true;
      },
      out, err);
  EXPECT_EQ(status, 2);
  EXPECT_EQ(err.str(), "script error, line 7: the scenario ended with the grid window open\n");
}

}  // namespace
}  // namespace cbo::script
