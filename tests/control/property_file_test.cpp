// The settings file: what it writes, what it refuses (with the line), and that
// a control's settings survive a round trip through it in any entry order.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "control/cbo_varno.hpp"
#include "platform/error.hpp"
#include "platform/headless/headless.hpp"
#include "platform/property_file.hpp"

namespace cbo {
namespace {

using headless::HeadlessContainer;
using headless::HeadlessPlatform;

ErrorKind KindOfParse(const std::string& text, std::string* message = nullptr) {
  try {
    PropertyFile::Parse(text);
  } catch (const Error& e) {
    if (message) *message = e.what();
    return e.kind();
  }
  ADD_FAILURE() << "accepted: " << text;
  return ErrorKind::Widget;
}

TEST(PropertyFileText, WritesOneLinePerEntryInOrderAndReadsItBack) {
  PropertyFile f;
  auto font = MakeFont("DejaVu Sans", 8.25);
  font->Bold = true;
  f.Write("Font", Variant(font), Variant());
  f.Write("StileCbo", Variant(uint8_t{2}), Variant(int16_t{0}));
  f.Write("ForeColor", Variant(ColourAsLong(0x80000008u)), Variant());
  f.Write("Text_Column", Variant("Citt\xC3\xA0 \"vecchia\""), Variant(""));
  f.Write("Record_Selector", Variant(false), Variant(true));
  f.Write("Larghezza", Variant(2.5), Variant());
  EXPECT_EQ(f.Text(),
            "Font = Font(\"DejaVu Sans\" 8.25 bold)\n"
            "StileCbo = 2\n"
            "ForeColor = -2147483640\n"
            "Text_Column = \"Citt\xC3\xA0 \"\"vecchia\"\"\"\n"
            "Record_Selector = False\n"
            "Larghezza = 2.5\n");
  PropertyFile back = PropertyFile::Parse(f.Text());
  EXPECT_EQ(back.Read("Text_Column", Variant()), Variant("Citt\xC3\xA0 \"vecchia\""));
  EXPECT_EQ(ToColour(back.Read("ForeColor", Variant()), "ForeColor"), 0x80000008u);
  EXPECT_EQ(back.Read("Record_Selector", Variant()), Variant(false));
  EXPECT_EQ(back.Read("Larghezza", Variant()), Variant(2.5));
  FontRef bf = back.Read("Font", Variant()).AsFont();
  EXPECT_TRUE(bf->Bold);
  EXPECT_EQ(bf->Size, 8.25);
  EXPECT_EQ(back.Read("Assente", Variant(int16_t{7})), Variant(int16_t{7}));
}

TEST(PropertyFileText, KeepsAFontAsItWasWhenWritten) {
  PropertyFile f;
  auto font = MakeFont("DejaVu Sans", 8.25);
  f.Write("Font", Variant(font), Variant());
  font->Size = 20;
  EXPECT_EQ(f.Text(), "Font = Font(\"DejaVu Sans\" 8.25)\n");
}

TEST(PropertyFileText, RefusesWhatItCannotReadNamingTheLine) {
  std::string msg;
  EXPECT_EQ(KindOfParse("StileCbo = 1\nTipoPulsante 3\n", &msg), ErrorKind::TypeMismatch);
  EXPECT_NE(msg.find("line 2"), std::string::npos) << msg;
  EXPECT_EQ(KindOfParse("\n# saved\nStileCbo = Uno\n", &msg), ErrorKind::TypeMismatch);
  EXPECT_NE(msg.find("line 3"), std::string::npos) << msg;
  EXPECT_EQ(KindOfParse("RowHeight = 99999999999\n", &msg), ErrorKind::Overflow);
  EXPECT_NE(msg.find("line 1"), std::string::npos) << msg;
  EXPECT_EQ(KindOfParse("Text = \"open\n"), ErrorKind::TypeMismatch);
  EXPECT_EQ(KindOfParse("Font = Font(\"A\" big)\n"), ErrorKind::TypeMismatch);
  EXPECT_EQ(KindOfParse("Bad Name = 1\n"), ErrorKind::TypeMismatch);
  EXPECT_EQ(KindOfParse("Text = \"a\" \"b\"\n"), ErrorKind::TypeMismatch);
  EXPECT_EQ(KindOfParse("Text = Missing\n"), ErrorKind::TypeMismatch);
  EXPECT_EQ(KindOfParse("Text = \"a\"\nText = \"b\"\n"), ErrorKind::TypeMismatch);
}

class PropertyFileControl : public ::testing::Test {
protected:
  std::string Path(const char* name) { return ::testing::TempDir() + name; }
  std::unique_ptr<CboVarno> Place(HeadlessContainer& c) {
    auto control = std::make_unique<CboVarno>(c, shared);
    control->InitProperties();
    return control;
  }
  HeadlessPlatform platform;
  ProcessState shared{platform};
};

TEST_F(PropertyFileControl, SettingsSurviveARoundTripInAnyOrder) {
  HeadlessContainer c1(platform);
  auto a = Place(c1);
  a->SetStileCbo(2);
  a->SetTipoPulsante(13);
  a->SetBackColor(Rgb(10, 20, 30));
  a->SetText_Column("Descrizione");
  a->SetRows_Count(12);
  a->SetRowHeight(300);
  a->SetColoreSfondoGrid(0x8000000Fu);
  a->SetLocked(true);
  auto big = MakeFont("DejaVu Serif", 14);
  big->Italic = true;
  a->SetFont_Grid(big);
  const std::string path = Path("settings.txt");
  WritePropertiesToFile(*a, path);

  // Reverse the order of the lines: entries are found by name.
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  ASSERT_EQ(lines.size(), 24u);
  std::ofstream out(path, std::ios::trunc);
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) out << *it << "\n";
  out.close();

  HeadlessContainer c2(platform);
  CboVarno b(c2, shared);
  ReadPropertiesFromFile(b, path);
  EXPECT_EQ(b.StileCbo(), 2);
  EXPECT_EQ(b.TipoPulsante(), 13);
  EXPECT_EQ(b.BackColor(), Rgb(10, 20, 30));
  EXPECT_EQ(b.Text_Column(), "Descrizione");
  EXPECT_EQ(b.Rows_Count(), 12);
  EXPECT_EQ(b.RowHeight(), 300);
  EXPECT_EQ(b.ColoreSfondoGrid(), 0x8000000Fu);
  EXPECT_TRUE(b.Locked());
  EXPECT_EQ(b.Font_Grid()->Name, "DejaVu Serif");
  EXPECT_TRUE(b.Font_Grid()->Italic);
  EXPECT_EQ(b.Font_Grid()->Size, 8.25);
  EXPECT_EQ(b.Lista().Text_Col, "Descrizione");
  std::remove(path.c_str());
}

TEST_F(PropertyFileControl, AValueTheControlRefusesStopsTheReadingThereAndNamesTheLine) {
  const std::string path = Path("bad.txt");
  std::ofstream(path) << "StileCbo = 1\nRecord_Selector = False\nTipoPulsante = 300\n";
  HeadlessContainer c(platform);
  CboVarno control(c, shared);
  try {
    ReadPropertiesFromFile(control, path);
    FAIL() << "accepted TipoPulsante 300";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Overflow);
    EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
  }
  // Reading goes in its own order: the fonts, colours and looks come before
  // TipoPulsante, StileCbo and the rest after it.
  EXPECT_EQ(control.StileCbo(), 0);
  std::remove(path.c_str());
}

TEST_F(PropertyFileControl, AFileThatCannotBeParsedChangesNothing) {
  const std::string path = Path("broken.txt");
  std::ofstream(path) << "Enabled = False\nStileCbo = =\n";
  HeadlessContainer c(platform);
  CboVarno control(c, shared);
  EXPECT_THROW(ReadPropertiesFromFile(control, path), Error);
  EXPECT_TRUE(control.Enabled());
  std::remove(path.c_str());
}

}  // namespace
}  // namespace cbo
