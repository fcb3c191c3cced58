// The row-chosen handler: told once for every row that becomes the control's
// choice and is shown in its text box, never for moves that choose nothing.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <vector>

#include "control/cbo_varno.hpp"
#include "grid/frm_griglia.hpp"
#include "platform/headless/headless.hpp"

namespace cbo {
namespace {

class RowChosen : public ::testing::Test {
protected:
  RowChosen() {
    platform.SetEventSource([this] {
      if (inWindow.empty()) return false;
      auto step = std::move(inWindow.front());
      inWindow.pop_front();
      step();
      return true;
    });
    c.InitProperties();
    c.SetRowChosenHandler([this](int32_t i) { chosen.push_back(i); });
  }

  void Fill(int32_t style, std::initializer_list<const char*> names) {
    c.SetStileCbo(style);
    c.AddField("N");
    for (const char* n : names) {
      c.ListItem("N", Variant(n));
      c.AddItem();
    }
  }
  headless::HeadlessTextBox& Box() { return dynamic_cast<headless::HeadlessTextBox&>(c.Txt_Cbo()); }
  headless::HeadlessDataGrid& Grid() { return dynamic_cast<headless::HeadlessDataGrid&>(shared.Griglia()->MSF()); }
  // Opens the drop-down with the button; `steps` run inside its loop.
  void Open(std::vector<std::function<void()>> steps) {
    for (auto& s : steps) inWindow.push_back(std::move(s));
    dynamic_cast<headless::HeadlessButton&>(c.Cmd_List()).UserPress(1);
  }

  headless::HeadlessPlatform platform;
  ProcessState shared{platform};
  headless::HeadlessContainer container{platform};
  CboVarno c{container, shared};
  std::vector<int32_t> chosen;
  std::deque<std::function<void()>> inWindow;
};

TEST_F(RowChosen, ListComboReportsTheFirstRowThenEachPickTypingAndHostChoice) {
  Fill(ListCombo, {"apple", "banana", "cherry"});
  EXPECT_EQ(chosen, (std::vector<int32_t>{1}));  // the first AddItem only

  Open({[this] { Grid().UserKey(headless::kDown); }, [this] { Grid().UserKey(headless::kEnter); }});
  EXPECT_EQ(chosen, (std::vector<int32_t>{1, 2}));

  Box().UserType(U'c');  // forced onto cherry
  EXPECT_EQ(chosen.back(), 3);
  const size_t before = chosen.size();
  c.SetListIndex(1);
  c.SetValue("banana");
  EXPECT_EQ(std::vector<int32_t>(chosen.begin() + before, chosen.end()), (std::vector<int32_t>{1, 2}));
}

TEST_F(RowChosen, ComboBoxReportsExactMatchesAndPicksButNotAFillOrACompletion) {
  Fill(ComboBox, {"apple", "avocado", "banana"});
  EXPECT_TRUE(chosen.empty());  // the fill shows no row

  Box().UserType(U'a');  // completed to "apple": a suggestion, not a choice
  EXPECT_EQ(Box().Text(), "apple");
  EXPECT_TRUE(chosen.empty());

  Box().UserSelect(0, 5);
  Box().UserPaste("banana");  // an exact match chooses the row
  EXPECT_EQ(chosen, (std::vector<int32_t>{3}));

  Open({[this] { Grid().UserKey(headless::kUp); }, [this] { Grid().UserKey(headless::kEnter); }});
  EXPECT_EQ(c.Text(), "avocado");
  EXPECT_EQ(chosen, (std::vector<int32_t>{3, 2}));
}

TEST_F(RowChosen, ComboBoxTextTypedToARowsWholeTextChoosesItOnce) {
  Fill(ComboBox, {"apple", "avocado", "banana"});
  for (char32_t ch : std::u32string(U"avocad")) Box().UserType(ch);
  EXPECT_EQ(Box().Text(), "avocado");  // a completion still offered
  EXPECT_TRUE(chosen.empty());
  Box().UserType(U'o');  // the last letter changes no text
  EXPECT_EQ(chosen, (std::vector<int32_t>{2}));
  Box().UserKey(headless::kRight, 0);  // no character: nothing more
  EXPECT_EQ(chosen, (std::vector<int32_t>{2}));
}

TEST_F(RowChosen, MovingInTheOpenGridOrCancellingChoosesNothing) {
  Fill(ListCombo, {"apple", "banana", "cherry"});
  chosen.clear();
  Open({[this] { Grid().UserKey(headless::kDown); }, [this] { Grid().UserType(U'c'); },
        [this] { Grid().UserKey(headless::kEscape); }});
  EXPECT_TRUE(chosen.empty());
  EXPECT_EQ(c.Text(), "apple");
  EXPECT_EQ(c.ListIndex(), 1);
  // The same row confirmed is no new choice.
  Open({[this] { Grid().UserKey(headless::kEnter); }});
  EXPECT_TRUE(chosen.empty());
}

TEST_F(RowChosen, AHandlerMayUseTheControlAndIsToldAfterTheTextIsShown) {
  Fill(ListCombo, {"apple", "banana"});
  std::vector<std::string> seen;
  c.SetRowChosenHandler([&](int32_t i) {
    seen.push_back(c.Text() + "/" + std::to_string(i) + "/" + std::to_string(c.ListIndex()));
    if (i == 2) c.RemoveItem(1);  // re-entry from the handler
  });
  c.SetListIndex(2);
  EXPECT_EQ(seen, (std::vector<std::string>{"banana/2/2"}));
  EXPECT_EQ(c.Record_Count(), 1);
  EXPECT_EQ(c.Text(), "banana");
}

}  // namespace
}  // namespace cbo
