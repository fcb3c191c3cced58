// What the end user does: keys, text, mouse and focus on a control's text box,
// its drop-down button, and the open grid window.
#include <cstdio>
#include <map>

#include "grid/frm_griglia.hpp"
#include "host.hpp"
#include "platform/text.hpp"
#include "script_error.hpp"

namespace cbo::script {

namespace {

headless::HeadlessTextBox& TextBoxOf(CboVarno& c) { return dynamic_cast<headless::HeadlessTextBox&>(c.Txt_Cbo()); }

void Expect(const Args& a, size_t count, const char* usage) {
  if (a.size() != count) Mistake(std::string("usage: ") + usage);
}

// The characters of a typed text; each must fit 16 bits.
std::u32string Characters(const Token& t) {
  if (t.kind != Token::String) Mistake("a string was expected, not " + t.text);
  std::u32string chars = text::Decode(t.text);
  for (char32_t c : chars)
    if (c > 0xFFFF) {
      char code[16];
      std::snprintf(code, sizeof code, "U+%X", static_cast<unsigned>(c));
      Mistake(std::string("the character ") + code + " does not fit 16 bits");
    }
  return chars;
}

int16_t KeyCodeOf(const Token& t, bool grid) {
  static const std::map<std::string, int16_t> keys = {
      {"Backspace", headless::kBackspace},
      {"Enter", headless::kEnter},
      {"Escape", headless::kEscape},
      {"Delete", headless::kDelete},
      {"Left", headless::kLeft},
      {"Up", headless::kUp},
      {"Right", headless::kRight},
      {"Down", headless::kDown},
      {"Home", headless::kHome},
      {"End", headless::kEnd},
      {"PageUp", headless::kPageUp},
      {"PageDown", headless::kPageDown},
      {"Tab", headless::kTab},
  };
  static const char* const gridKeys[] = {"Enter",    "Escape", "Backspace", "Down", "Up",
                                         "PageDown", "PageUp", "Home",      "End"};
  auto it = keys.find(t.text);
  if (t.kind != Token::Word || it == keys.end()) Mistake("unknown key " + t.text);
  if (grid) {
    bool known = false;
    for (const char* k : gridKeys) known = known || t.text == k;
    if (!known) Mistake("the grid takes no key " + t.text);
  }
  return it->second;
}

int16_t MouseButtonOf(const Token& t) {
  if (t.IsWord("left")) return 1;
  if (t.IsWord("right")) return 2;
  if (t.IsWord("middle")) return 4;
  int32_t b = ParseInteger(t);
  if (b < 0 || b > 7) Mistake("bad mouse button " + t.text);
  return static_cast<int16_t>(b);
}

}  // namespace

void Host::Type(const Args& a) {
  Expect(a, 3, "type C \"text\"");
  Placed& c = ControlOf(a[1]);
  std::u32string chars = Characters(a[2]);
  UserAction(&c, "Txt_Cbo_KeyPress", [&] {
    for (char32_t ch : chars) TextBoxOf(*c.control).UserType(ch);
  });
}

void Host::KeyCommand(const Args& a) {
  if (a.size() < 3) Mistake("usage: key C NAME [shift] [ctrl] [alt]");
  Placed& c = ControlOf(a[1]);
  int16_t code = KeyCodeOf(a[2], false);
  int16_t shift = 0;
  for (size_t i = 3; i < a.size(); ++i) {
    if (a[i].IsWord("shift"))
      shift |= 1;
    else if (a[i].IsWord("ctrl"))
      shift |= 2;
    else if (a[i].IsWord("alt"))
      shift |= 4;
    else
      Mistake("unknown key modifier " + a[i].text);
  }
  UserAction(&c, "Txt_Cbo_KeyDown", [&] { TextBoxOf(*c.control).UserKey(code, shift); });
}

void Host::Select(const Args& a) {
  Expect(a, 4, "select C START LENGTH");
  Placed& c = ControlOf(a[1]);
  int32_t start = ParseInteger(a[2]), length = ParseInteger(a[3]);
  UserAction(&c, "Txt_Cbo_Change", [&] { TextBoxOf(*c.control).UserSelect(start, length); });
}

void Host::Paste(const Args& a) {
  Expect(a, 3, "paste C \"text\"");
  Placed& c = ControlOf(a[1]);
  if (a[2].kind != Token::String) Mistake("a string was expected, not " + a[2].text);
  std::string textPasted = a[2].text;
  UserAction(&c, "Txt_Cbo_Change", [&] { TextBoxOf(*c.control).UserPaste(textPasted); });
}

void Host::Click(const Args& a) {
  Expect(a, 2, "click C");
  Placed& c = ControlOf(a[1]);
  UserAction(&c, "Txt_Cbo_Click", [&] { TextBoxOf(*c.control).UserClick(); });
}

void Host::DblClick(const Args& a) {
  Expect(a, 2, "dblclick C");
  Placed& c = ControlOf(a[1]);
  UserAction(&c, "Txt_Cbo_DblClick", [&] { TextBoxOf(*c.control).UserDblClick(); });
}

void Host::Mouse(const Args& a) {
  Expect(a, 6, "mouse C down|up|move BUTTON X Y");
  Placed& c = ControlOf(a[1]);
  int kind = a[2].IsWord("down") ? 0 : a[2].IsWord("up") ? 1 : a[2].IsWord("move") ? 2 : -1;
  if (kind < 0) Mistake("usage: mouse C down|up|move BUTTON X Y");
  int16_t button = MouseButtonOf(a[3]);
  float x = static_cast<float>(ParseNumber(a[4])), y = static_cast<float>(ParseNumber(a[5]));
  static const char* const handlers[] = {"Txt_Cbo_MouseDown", "Txt_Cbo_MouseUp", "Txt_Cbo_MouseMove"};
  UserAction(&c, handlers[kind], [&] { TextBoxOf(*c.control).UserMouse(kind, button, x, y); });
}

void Host::Focus(const Args& a) {
  Expect(a, 2, "focus C");
  Placed& c = ControlOf(a[1]);
  UserAction(&c, "Txt_Cbo_GotFocus", [&] { TextBoxOf(*c.control).UserFocus(); });
}

void Host::Blur(const Args& a) {
  Expect(a, 2, "blur C");
  Placed& c = ControlOf(a[1]);
  UserAction(&c, "Txt_Cbo_LostFocus", [&] { TextBoxOf(*c.control).UserBlur(); });
}

void Host::Button(const Args& a) {
  if (a.size() != 2 && a.size() != 3) Mistake("usage: button C [left|right]");
  Placed& c = ControlOf(a[1]);
  int16_t button = 1;
  if (a.size() == 3) {
    if (a[2].IsWord("right"))
      button = 2;
    else if (!a[2].IsWord("left"))
      Mistake("usage: button C [left|right]");
  }
  UserAction(&c, "Cmd_List_MouseUp",
             [&] { dynamic_cast<headless::HeadlessButton&>(c.control->Cmd_List()).UserPress(button); });
}

void Host::Grid(const Args& a) {
  if (a.size() < 2 || a[1].kind != Token::Word) Mistake("usage: grid type|key|header|move|click|layout ...");
  const std::string& what = a[1].text;
  OpenGrid("grid " + what);
  Placed* owner = GridOwner();
  auto msf = [this]() -> headless::HeadlessDataGrid& {
    return dynamic_cast<headless::HeadlessDataGrid&>(OpenGrid("grid").MSF());
  };
  if (what == "type") {
    Expect(a, 3, "grid type \"text\"");
    std::u32string chars = Characters(a[2]);
    UserAction(owner, "MSF_KeyPress", [&] {
      for (char32_t ch : chars) msf().UserType(ch);
    });
  } else if (what == "key") {
    Expect(a, 3, "grid key NAME");
    int16_t code = KeyCodeOf(a[2], true);
    UserAction(owner, "MSF_KeyDown", [&] { msf().UserKey(code); });
  } else if (what == "header") {
    Expect(a, 3, "grid header I");
    int32_t i = ParseInteger(a[2]);
    const auto& labels = OpenGrid("grid header").Lbl_Field();
    auto it = labels.find(i);
    if (it == labels.end()) Mistake("the grid window has no header label " + a[2].text);
    auto& label = dynamic_cast<headless::HeadlessLabel&>(*it->second);
    UserAction(owner, "Lbl_Field_Click", [&] { label.UserClick(); });
  } else if (what == "move") {
    Expect(a, 4, "grid move X Y");
    float x = static_cast<float>(ParseNumber(a[2])), y = static_cast<float>(ParseNumber(a[3]));
    UserAction(owner, "MSF_MouseMove", [&] { msf().UserMove(x, y); });
  } else if (what == "click") {
    Expect(a, 3, "grid click left|right");
    int16_t button = a[2].IsWord("left") ? 1 : a[2].IsWord("right") ? 2 : 0;
    if (button == 0) Mistake("usage: grid click left|right");
    UserAction(owner, "MSF_MouseUp", [&] { msf().UserClick(button); });
  } else if (what == "layout") {
    Expect(a, 2, "grid layout");
    UserAction(owner, "MSF_ColResize", [&] { msf().UserLayout(); });
  } else {
    Mistake("unknown grid action " + what);
  }
}

}  // namespace cbo::script
