#include <gtest/gtest.h>

#include <sstream>

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
  for (const char* text : {"new c\nnew c\n", "new 1-x\n", "new c\nlet c.Width = 5\n", "new c\ncall c.Text\n",
                           "new c\nlet c.Text \"x\"\n", "new c\nadd c \"A\"\n", "new c\ntype c \"\xF0\x9F\x98\x80\"\n",
                           "grid key Enter\n", "new c\nkey c Space\n", "events Nothing\n", "new c\non c.Click X = 1\n",
                           "new c\nprint c.Txt_Cbo.Nope\n", "echo unquoted\n", "print x.Text\n", "wait -1\n",
                           "new c\nsql c \"a.db\"\n", "new c\nsql c a.db \"SELECT 1\"\n", "sql x \"a.db\" \"SELECT 1\"\n"}) {
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

}  // namespace
}  // namespace cbo::script
