// The headless text box applies keys the way a real single-line box does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/error.hpp"
#include "platform/headless/headless.hpp"

namespace cbo::headless {
namespace {

using Log = std::vector<std::string>;

class TextBoxTest : public ::testing::Test {
protected:
  TextBoxTest() : owned(platform.CreateTextBox(container.Surface())) {
    box = static_cast<HeadlessTextBox*>(owned.get());
    TextBoxEvents e;
    e.Change = [this] { log.push_back("Change " + box->Text()); };
    e.KeyDown = [this](int16_t& k, int16_t& s) {
      log.push_back("KeyDown " + std::to_string(k) + " " + std::to_string(s));
      if (onKeyDown) onKeyDown(k, s);
    };
    e.KeyPress = [this](int16_t& a) {
      log.push_back("KeyPress " + std::to_string(a));
      if (onKeyPress) onKeyPress(a);
    };
    e.KeyUp = [this](int16_t& k, int16_t& s) { log.push_back("KeyUp " + std::to_string(k) + " " + std::to_string(s)); };
    e.MouseDown = [this](int16_t& b, int16_t&, float&, float&) { log.push_back("MouseDown " + std::to_string(b)); };
    e.MouseUp = [this](int16_t& b, int16_t&, float&, float&) { log.push_back("MouseUp " + std::to_string(b)); };
    e.Click = [this] { log.push_back("Click"); };
    e.DblClick = [this] { log.push_back("DblClick"); };
    e.GotFocus = [this] { log.push_back("GotFocus"); };
    e.LostFocus = [this] { log.push_back("LostFocus"); };
    box->SetEvents(e);
  }
  // Puts text and selection in place without logging.
  void Start(const std::string& text, int32_t selStart = 0, int32_t selLength = 0) {
    box->SetText(text);
    box->SetSelStart(selStart);
    box->SetSelLength(selLength);
    log.clear();
  }
  void Type(const std::u32string& chars) {
    for (char32_t c : chars) box->UserType(c);
  }

  HeadlessPlatform platform;
  HeadlessContainer container{platform};
  std::unique_ptr<ITextBox> owned;
  HeadlessTextBox* box = nullptr;
  Log log;
  std::function<void(int16_t&, int16_t&)> onKeyDown;
  std::function<void(int16_t&)> onKeyPress;
};

TEST_F(TextBoxTest, TypingReplacesTheSelectionWithKeyCodesOfTheKey) {
  Start("hello", 1, 3);
  Type(U"A7-");
  EXPECT_EQ(log, (Log{"KeyDown 65 1", "KeyPress 65", "Change hAo", "KeyUp 65 1",   //
                      "KeyDown 55 0", "KeyPress 55", "Change hA7o", "KeyUp 55 0",  //
                      "KeyDown 0 0", "KeyPress 45", "Change hA7-o", "KeyUp 0 0"}));
  EXPECT_EQ(box->SelStart(), 4);
  EXPECT_EQ(box->SelLength(), 0);
}

TEST_F(TextBoxTest, AccentedCharactersAreSingleCharacters) {
  Type(U"èßa");
  EXPECT_EQ(box->Text(), "èßa");
  EXPECT_EQ(box->SelStart(), 3);
  box->UserKey(kLeft, 0);
  box->UserKey(kBackspace, 0);  // removes ß, not one of its bytes
  EXPECT_EQ(box->Text(), "èa");
  EXPECT_EQ(box->SelStart(), 1);
  box->UserKey(kHome, 0);
  box->UserKey(kDelete, 0);
  EXPECT_EQ(box->Text(), "a");
  box->UserPaste("ü\nrest");  // a single-line box takes the first line
  EXPECT_EQ(box->Text(), "üa");
  EXPECT_EQ(box->SelStart(), 1);
  EXPECT_THROW(box->UserType(U'\U0001F600'), Error);  // no 16-bit key code carries it
}

TEST_F(TextBoxTest, HostCancelsOrReplacesTheCharacter) {
  onKeyDown = [](int16_t& k, int16_t& s) { k = 12, s = 4; };
  onKeyPress = [](int16_t& a) { a = 0; };
  box->UserType(U'x');
  // Key up reports the key released, not what key down's handler wrote.
  EXPECT_EQ(log, (Log{"KeyDown 88 0", "KeyPress 120", "KeyUp 88 0"}));
  EXPECT_EQ(box->Text(), "");
  onKeyPress = [](int16_t& a) { a = static_cast<int16_t>(U'é'); };
  box->UserType(U'x');
  EXPECT_EQ(box->Text(), "é");
  onKeyPress = [](int16_t& a) { a = 8; };  // turned into backspace
  box->UserType(U'y');
  EXPECT_EQ(box->Text(), "");
}

TEST_F(TextBoxTest, BackspaceEnterAndEscape) {
  Start("apple", 1, 4);
  box->UserKey(kBackspace, 0);  // the selection only
  EXPECT_EQ(log, (Log{"KeyDown 8 0", "KeyPress 8", "Change a", "KeyUp 8 0"}));
  box->UserKey(kBackspace, 0);
  log.clear();
  box->UserKey(kBackspace, 0);  // nothing left: no change
  box->UserKey(kEnter, 0);
  EXPECT_EQ(log, (Log{"KeyDown 8 0", "KeyPress 8", "KeyUp 8 0", "KeyDown 13 0", "KeyPress 13", "KeyUp 13 0"}));
  EXPECT_EQ(platform.Beeps(), 1);
}

TEST_F(TextBoxTest, CaretKeysCollapseOrExtendTheSelection) {
  Start("abcdef", 2, 2);
  box->UserKey(kRight, 0);
  EXPECT_EQ(box->SelStart(), 4);
  box->UserKey(kLeft, 1);
  box->UserKey(kLeft, 1);
  EXPECT_EQ(box->SelStart(), 2);
  EXPECT_EQ(box->SelLength(), 2);
  box->UserKey(kLeft, 0);  // collapses to the start
  EXPECT_EQ(box->SelLength(), 0);
  EXPECT_EQ(box->SelStart(), 2);
  box->UserKey(kEnd, 1);
  EXPECT_EQ(box->SelLength(), 4);
  box->UserKey(kUp, 0);
  box->UserKey(kPageDown, 0);
  EXPECT_EQ(box->SelLength(), 4);
  onKeyDown = [](int16_t& k, int16_t&) { k = 0; };
  box->UserKey(kDelete, 0);  // cancelled in key down
  EXPECT_EQ(box->Text(), "abcdef");
  EXPECT_TRUE(log.back() == "KeyUp 46 0");
}

TEST_F(TextBoxTest, SelectionClampsAndRefusesNegatives) {
  Start("abcd");
  box->SetSelStart(9);
  EXPECT_EQ(box->SelStart(), 4);
  box->SetSelStart(1);
  box->SetSelLength(10);
  EXPECT_EQ(box->SelLength(), 3);
  box->SetSelStart(2);
  EXPECT_EQ(box->SelLength(), 0);
  try {
    box->SetSelStart(-1);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Widget);
    EXPECT_STREQ(e.what(), "SelStart: invalid property value -1");
  }
  EXPECT_THROW(box->SetSelLength(-2), Error);
  box->UserSelect(-3, 99);
  EXPECT_EQ(box->SelStart(), 0);
  EXPECT_EQ(box->SelLength(), 4);
  EXPECT_TRUE(log.empty());
}

TEST_F(TextBoxTest, LockedRefusesTheUserNotTheCode) {
  Start("abc", 3);
  box->SetLocked(true);
  box->UserType(U'x');
  box->UserKey(kBackspace, 0);
  box->UserKey(kDelete, 0);
  box->UserPaste("zz");
  EXPECT_EQ(box->Text(), "abc");
  EXPECT_EQ(log, (Log{"KeyDown 88 0", "KeyPress 120", "KeyUp 88 0", "KeyDown 8 0", "KeyPress 8", "KeyUp 8 0",
                      "KeyDown 46 0", "KeyUp 46 0"}));
  box->SetText("code");
  EXPECT_EQ(box->Text(), "code");
}

TEST_F(TextBoxTest, DisabledGetsNothingAndCannotTakeTheFocus) {
  Start("abc");
  box->SetEnabled(false);
  box->UserType(U'x');
  box->UserKey(kBackspace, 0);
  box->UserPaste("p");
  box->UserClick();
  box->UserDblClick();
  box->UserMouse(0, 1, 5, 5);
  box->UserSelect(0, 2);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(box->SelLength(), 0);
  EXPECT_FALSE(box->Focused());
  EXPECT_THROW(box->SetFocus(), Error);
  box->SetEnabled(true);
  box->SetVisible(false);
  EXPECT_THROW(box->SetFocus(), Error);
}

TEST_F(TextBoxTest, ChangeHandlerSettingTextAgainRunsNested) {
  // Completes "ap" to "apple" and selects the completion, as type-ahead does.
  Log seen;
  TextBoxEvents e;
  e.Change = [&] {
    seen.push_back(box->Text());
    if (box->Text() == "ap") {
      box->SetText("apple");
      box->SetSelStart(2);
      box->SetSelLength(3);
      seen.push_back("after " + box->Text());
    }
  };
  box->SetEvents(e);
  Type(U"ap");
  EXPECT_EQ(seen, (Log{"a", "ap", "apple", "after apple"}));
  EXPECT_EQ(box->SelStart(), 2);  // the handler's selection survives the key
  EXPECT_EQ(box->SelLength(), 3);
  box->SetText("apple");  // the same text: nothing runs, the caret stays
  EXPECT_EQ(seen.size(), 4u);
  EXPECT_EQ(box->SelStart(), 2);
}

TEST_F(TextBoxTest, FocusMovesBetweenBoxesAndClickTakesIt) {
  auto other = platform.CreateTextBox(container.Surface());
  box->UserClick();
  box->SetFocus();  // already has it
  other->SetFocus();
  box->UserDblClick();
  EXPECT_EQ(log, (Log{"GotFocus", "MouseDown 1", "MouseUp 1", "Click", "LostFocus", "MouseDown 1", "MouseUp 1", "Click",
                      "DblClick", "MouseUp 1"}));
  EXPECT_TRUE(other->Focused());
  box->UserFocus();
  box->UserBlur();
  EXPECT_EQ(platform.Focus(), nullptr);
  other->SetFocus();
  other.reset();  // the platform forgets a destroyed holder
  EXPECT_EQ(platform.Focus(), nullptr);
}

}  // namespace
}  // namespace cbo::headless
