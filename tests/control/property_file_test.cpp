// The settings file: what it writes, what it refuses (with the line), and that
// a control's settings survive a round trip through it in any entry order.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <limits>
#include <sstream>

#include "control/cbo_varno.hpp"
#include "platform/error.hpp"
#include "platform/headless/headless.hpp"
#include "platform/literal.hpp"
#include "platform/property_file.hpp"
#include "tests/support/same_value.hpp"
#include "list/list_store.hpp"

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
            "StileCbo = Byte(2)\n"
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
  EXPECT_EQ(KindOfParse("RowHeight = 1e400\n", &msg), ErrorKind::Overflow);
  EXPECT_NE(msg.find("line 1"), std::string::npos) << msg;
  EXPECT_EQ(KindOfParse("Text = \"open\n"), ErrorKind::TypeMismatch);
  EXPECT_EQ(KindOfParse("Font = Font(\"A\" big)\n"), ErrorKind::TypeMismatch);
  EXPECT_EQ(KindOfParse("Bad Name = 1\n"), ErrorKind::TypeMismatch);
  EXPECT_EQ(KindOfParse("Text = \"a\" \"b\"\n"), ErrorKind::TypeMismatch);
  EXPECT_EQ(KindOfParse("Text = Missing\n"), ErrorKind::TypeMismatch);
  EXPECT_EQ(KindOfParse("Text = \"a\"\nText = \"b\"\n"), ErrorKind::TypeMismatch);
}

// Writes every value through a file's text and reads it back.
std::vector<Variant> ThroughText(const std::vector<Variant>& values) {
  PropertyFile f;
  for (size_t i = 0; i < values.size(); ++i) f.Write("V" + std::to_string(i), values[i], Variant());
  PropertyFile back = PropertyFile::Parse(f.Text());
  std::vector<Variant> out;
  for (size_t i = 0; i < values.size(); ++i) out.push_back(back.Read("V" + std::to_string(i), Variant::Missing()));
  return out;
}

TEST(PropertyFileText, EveryValueWrittenReadsBackIdentical) {
  auto face = MakeFont("Line\nFeed \"Sans\"", 100000);
  face->Strikethrough = true;
  const std::vector<Variant> values = {Variant("one\ntwo"),
                                       Variant("one\rtwo"),
                                       Variant("one\r\ntwo"),
                                       Variant(std::string("\0", 1)),
                                       Variant("\xC3\x28 invalid"),
                                       Variant("\xF0\x9F\x8E\x89"),
                                       Variant("C:\\dir & Chr(10)"),
                                       Variant(1e-05),
                                       Variant(3e+09),
                                       Variant(1e+20),
                                       Variant(1.7976931348623157e+308),
                                       Variant(std::numeric_limits<double>::quiet_NaN()),
                                       Variant(std::numeric_limits<double>::infinity()),
                                       Variant(4294967296.0),
                                       Variant(1000.0),
                                       Variant(-0.0),
                                       Variant(uint8_t{200}),
                                       Variant(int16_t{-32768}),
                                       Variant(0.1f),
                                       Variant(DateValue{45292}),
                                       Variant(DateValue{45292.25}),
                                       Variant(face),
                                       Variant(MakeFont("Tiny", 0.0001)),
                                       Variant(FontRef()),
                                       Variant(),
                                       Variant::Null(),
                                       Variant(true)};
  const std::vector<Variant> back = ThroughText(values);
  for (size_t i = 0; i < values.size(); ++i)
    EXPECT_TRUE(testing::SameValue(back[i], values[i])) << i << ": " << FormatExactLiteral(values[i], "V");
}

TEST(PropertyFileText, AFileWrittenBeforeKeepsReadingTheSame) {
  PropertyFile f = PropertyFile::Parse(
      "Text = \"C:\\new & Chr(10) \"\"x\"\"\"\r\n"
      "Tab = \"a\tb\"\n"
      "StileCbo = 2\n"
      "Larghezza = 2.5\n"
      "ForeColor = &H80000008\n");
  EXPECT_EQ(f.Read("Text", Variant()), Variant("C:\\new & Chr(10) \"x\""));
  EXPECT_EQ(f.Read("Tab", Variant()), Variant("a\tb"));
  EXPECT_EQ(f.Read("StileCbo", Variant()), Variant(int32_t{2}));
  EXPECT_EQ(f.Read("Larghezza", Variant()), Variant(2.5));
  EXPECT_EQ(f.Read("ForeColor", Variant()), Variant(static_cast<int32_t>(0x80000008u)));
}

TEST(PropertyFileText, WriteRefusesWhatCannotBeReadBackAndKeepsWhatWasThere) {
  PropertyFile f;
  f.Write("Text", Variant("kept"), Variant());
  const std::string before = f.Text();
  for (const std::string& name : {std::string("Bad Name"), std::string(""), std::string("a=b"), std::string("a\nb"),
                                  std::string("#x"), std::string("Citt\xC3\xA0"), std::string("Text ")}) {
    try {
      f.Write(name, Variant(1.5), Variant());
      ADD_FAILURE() << "accepted the name " << name;
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::TypeMismatch);
      EXPECT_NE(std::string(e.what()).find(QuoteText(name)), std::string::npos) << e.what();
    }
  }
  try {
    f.Write("Text", Variant::Missing(), Variant());
    ADD_FAILURE() << "accepted Missing";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("Text"), std::string::npos) << e.what();
  }
  EXPECT_EQ(f.Text(), before);
  EXPECT_NO_THROW(PropertyFile::Parse(f.Text()));
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

  // Reverse the order of the entries, leaving out the header and end line
  // as a hand edit does: entries of such a file are found by name.
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  ASSERT_EQ(lines.size(), 26u);
  EXPECT_EQ(lines.front(), "# TORB_Cbo settings 2");
  EXPECT_EQ(lines.back().substr(0, 17), "# end 24 entries ");
  std::ofstream out(path, std::ios::trunc);
  for (size_t i = lines.size() - 2; i >= 1; --i) out << lines[i] << "\n";
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
  EXPECT_EQ(b.Lista().Text_Col(), "Descrizione");
  std::remove(path.c_str());
}

// Every setting with awkward values (line breaks, NUL and stray bytes in the
// strings, a font face with a line feed, extreme sizes) survives a file: what
// the file gives back equals what the control writes into a bag in memory.
TEST_F(PropertyFileControl, AwkwardSettingsSurviveAFile) {
  headless::HeadlessPropertyBag crafted;
  crafted.Write("Text", Variant(std::string("first line\r\nsecond\0", 19)), Variant());
  crafted.Write("Value", Variant("\r"), Variant());
  crafted.Write("Text_Column", Variant("Col\nonna"), Variant());
  crafted.Write("Bound_Column", Variant("\xff\xfe"), Variant());
  crafted.Write("Font", Variant(MakeFont("Two\nLines", 100000)), Variant());
  crafted.Write("Font_Grid", Variant(MakeFont("Tiny", 0.0001)), Variant());
  crafted.Write("RowHeight", Variant(2147483647), Variant());
  HeadlessContainer c1(platform);
  CboVarno a(c1, shared);
  a.ReadProperties(crafted);
  const std::string path = Path("awkward.txt");
  WritePropertiesToFile(a, path);
  headless::HeadlessPropertyBag memory;
  a.WriteProperties(memory);
  PropertyFile file = PropertyFile::Load(path);
  ASSERT_EQ(file.Entries().size(), memory.Entries().size());
  for (const auto& e : memory.Entries())
    EXPECT_TRUE(testing::SameValue(file.Read(e.Name, Variant::Missing()), e.Value)) << e.Name;
  EXPECT_EQ(file.Read("Text", Variant()), Variant(std::string("first line\r\nsecond\0", 19)));

  // A control read from the file writes the same file again.
  HeadlessContainer c2(platform);
  CboVarno b(c2, shared);
  ASSERT_NO_THROW(ReadPropertiesFromFile(b, path));
  EXPECT_EQ(b.Font()->Name, "Two\nLines");
  const std::string again = Path("awkward2.txt");
  WritePropertiesToFile(b, again);
  EXPECT_EQ(PropertyFile::Load(again).Text(), file.Text());
  std::remove(path.c_str());
  std::remove(again.c_str());
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
