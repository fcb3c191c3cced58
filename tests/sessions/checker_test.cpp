// The invariants of randomized sessions: what the checker accepts and what it
// reports, on lines and outputs written by hand.
#include <gtest/gtest.h>

#include "fuzz/sessions/checker.hpp"

namespace cbo::sessions {
namespace {

class CheckerTest : public ::testing::Test {
protected:
  // The kind of failure the line reports, "" when every check holds.
  std::string See(const std::string& line, const std::string& output = "", size_t open = 0) {
    std::optional<Failure> f = checker.Observe(line, output, open);
    return f ? f->kind : "";
  }
  void Place(const char* name) { ASSERT_EQ(See(std::string("new ") + name), ""); }
  Checker checker{Switches{}};
};

TEST_F(CheckerTest, RowsAreTheRowsAddedLessTheRowsRemoved) {
  Place("a");
  EXPECT_EQ(See("add a \"F\" \"x\""), "");
  EXPECT_EQ(See("add a \"F\" \"y\""), "");
  EXPECT_EQ(See("call a.Record_Count", "a.Record_Count = 2\n"), "");
  EXPECT_EQ(See("call a.RemoveItem 1"), "");
  EXPECT_EQ(See("call a.Record_Count", "a.Record_Count = 1\n"), "");
  EXPECT_EQ(See("print a.Rows", "a.Rows = 1 rows\n* \"y\" \"2\"\n"), "");
  // The row left must be the one with index 2.
  EXPECT_EQ(See("print a.Rows", "a.Rows = 1 rows\n* \"x\" \"1\"\n"), "rows");
}

TEST_F(CheckerTest, ALostOrExtraRowIsReported) {
  Place("a");
  EXPECT_EQ(See("add a \"F\" \"x\""), "");
  EXPECT_EQ(See("call a.Record_Count", "a.Record_Count = 0\n"), "rows");
  Place("b");
  EXPECT_EQ(See("call b.RemoveItem 7"), "");
  EXPECT_EQ(See("call b.Record_Count", "b.Record_Count = 1\n"), "rows");
}

TEST_F(CheckerTest, AnAddThatFailedMayHaveAddedItsRowButNoOther) {
  Place("a");
  EXPECT_EQ(See("add a \"F\" \"x\"", "error a.AddItem: Table: too long\n"), "");
  EXPECT_EQ(See("call a.Record_Count", "a.Record_Count = 1\n"), "");
  EXPECT_EQ(See("add a \"F\" \"x\"", "error a.AddItem: Table: too long\n"), "");
  EXPECT_EQ(See("call a.Record_Count", "a.Record_Count = 3\n"), "rows");
}

TEST_F(CheckerTest, ColumnsAndClearsEmptyTheTable) {
  Place("a");
  EXPECT_EQ(See("add a \"F\" \"x\""), "");
  EXPECT_EQ(See("call a.AddField \"G\""), "");
  EXPECT_EQ(See("call a.Record_Count", "a.Record_Count = 1\n"), "rows");
  EXPECT_EQ(See("print a.Rows", "a.Rows = no table\n"), "");
  EXPECT_EQ(See("print a.Fields", "a.Fields = \"F\" \"G\" \"_Index_Cmbo_Varno_\"\n"), "");
  EXPECT_EQ(checker.Find("a")->fields, (std::vector<std::string>{"F", "G"}));
}

TEST_F(CheckerTest, NoWindowIsCountedOpenOnceClosed) {
  EXPECT_EQ(See("print Module1.GrigliaAperta", "Module1.GrigliaAperta = True\n", 1), "");
  EXPECT_EQ(See("print Module1.GrigliaAperta", "Module1.GrigliaAperta = False\n", 1), "");
  EXPECT_EQ(See("print Module1.GrigliaAperta", "Module1.GrigliaAperta = True\n", 0), "window-flag");
  Place("a");
  EXPECT_EQ(See("resize a 100 100"), "");
  EXPECT_EQ(See("print a.Height", "a.Height = 100\n", 0), "window-flag");
  EXPECT_EQ(See("resize a 100 100"), "");
  EXPECT_EQ(See("print a.Height", "a.Height = 100\n", 1), "");
}

TEST_F(CheckerTest, AControlReadFromSavedSettingsMustWriteAndShowTheSame) {
  Place("a");
  EXPECT_EQ(See("save a s1"), "");
  EXPECT_EQ(See("new l1 load s1"), "");
  EXPECT_EQ(See("save l1 r1"), "");
  EXPECT_EQ(See("bag s1", "s1.Locked = True\ns1.Text = \"x\"\n"), "");
  EXPECT_EQ(See("bag r1", "r1.Locked = True\nr1.Text = \"x\"\n"), "");
  EXPECT_EQ(See("bag r1", "r1.Locked = False\nr1.Text = \"x\"\n"), "save-load");
  EXPECT_EQ(See("print a.RowHeight", "a.RowHeight = 300\n"), "");
  EXPECT_EQ(See("print l1.RowHeight", "l1.RowHeight = 300\n"), "");
  EXPECT_EQ(See("print a.RowHeight", "a.RowHeight = 300\n"), "");
  EXPECT_EQ(See("print l1.RowHeight", "l1.RowHeight = 225\n"), "save-load");
  EXPECT_EQ(See("new l2 load s1", "error l2.ReadProperties: Overflow: RowHeight\n"), "save-load");
}

TEST_F(CheckerTest, EveryPrintedValueReadsBack) {
  Place("a");
  EXPECT_EQ(See("print a.Text", "a.Text = \"line\" & Chr(10)\n"), "");
  EXPECT_EQ(See("print a.Text", "a.Text = \"line\n\"\n"), "printed-values");
  EXPECT_EQ(See("print a.Width", "a.Width = 1e-05\n"), "");
}

TEST(Sessions, TheSameSeedPlaysTheSameSession) {
  Switches s;
  Outcome a = Generate(42, 150, 2, s, nullptr), b = Generate(42, 150, 2, s, nullptr);
  EXPECT_EQ(a.lines, b.lines);
  EXPECT_FALSE(a.failure) << a.failure->message;
  EXPECT_NE(Generate(43, 150, 2, s, nullptr).lines, a.lines);
  // Played again from its lines, it holds all the same.
  EXPECT_FALSE(Replay(a.lines, s).failure);
}

TEST(Sessions, AFailingSessionIsCutDownToTheStepsThatMakeItFail) {
  // The bags of a save and a reading that disagree, among steps that do not
  // matter.
  std::vector<std::string> lines = {"# step 0",     "new a",         "# step 1", "bagset s1 X 1", "echo \"noise\"",
                                    "# step 2",     "new b",         "# step 3", "bagset r1 X 2", "# step 4",
                                    "print a.Text", "# step 5",      "bag s1",   "# step 6",      "bag r1",
                                    "# step 7",     "echo \"after\""};
  Switches s;
  Outcome o = Replay(lines, s);
  ASSERT_TRUE(o.failure);
  EXPECT_EQ(o.failure->kind, "save-load");
  // (An r1 that was never written differs from s1 as well.)
  EXPECT_EQ(Minimize(lines, s, *o.failure),
            (std::vector<std::string>{"# step 1", "bagset s1 X 1", "# step 5", "bag s1", "# step 6", "bag r1"}));
  s.saveLoad = false;
  EXPECT_FALSE(Replay(lines, s).failure);
}

}  // namespace
}  // namespace cbo::sessions
