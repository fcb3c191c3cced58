// A settings file cut short or changed after it was written is refused whole,
// with a message that names the file and says what is wrong, and the control
// reading it keeps every property it had; files of the earlier format (no
// header) still read.
#include <gtest/gtest.h>

#include "platform/property_file.hpp"
#include "platform/settings_frame.hpp"
#include "tests/platform/settings/settings_files.hpp"

namespace cbo::test {
namespace {

using headless::HeadlessContainer;
using headless::HeadlessPlatform;

class DamagedFile : public ::testing::Test {
protected:
  void SetUp() override {
    // Values that a cut shortens into other valid values: a number of seven
    // digits, strings, a font.
    CboVarno a(c1, shared);
    a.InitProperties();
    a.SetForeColor(1193046);
    a.SetText_Column("Descrizione");
    a.SetBound_Column("Codice");
    a.SetRows_Count(12);
    a.SetStileCbo(2);
    a.SetRowHeight(300);
    a.SetFont_Grid(MakeFont("DejaVu Serif", 14));
    WritePropertiesToFile(a, path);
    whole = Bytes(path);
  }

  // Reads `bytes` as the file into `reader`: the error, or none.
  std::string ReadAs(const std::string& bytes, CboVarno& reader) {
    PutBytes(path, bytes);
    try {
      ReadPropertiesFromFile(reader, path);
    } catch (const Error& e) {
      return e.what();
    }
    return "";
  }

  HeadlessPlatform platform;
  ProcessState shared{platform};
  HeadlessContainer c1{platform};
  HeadlessContainer c2{platform};
  TempFolder folder;
  const std::string path = folder / "form.settings";
  std::string whole;
};

TEST_F(DamagedFile, ACutAtAnyByteIsRefusedNamingTheFileAndTheControlKeepsItsProperties) {
  CboVarno reader(c2, shared);
  reader.InitProperties();
  reader.SetTipoPulsante(5);
  reader.SetText_Column("Kept");
  const headless::HeadlessPropertyBag before = SettingsOf(reader);
  int accepted = 0;
  for (size_t cut = 0; cut < whole.size(); ++cut) {
    const std::string error = ReadAs(whole.substr(0, cut), reader);
    if (error.empty()) {
      ++accepted;
      ADD_FAILURE() << "the file cut at byte " << cut << " of " << whole.size() << " was read";
      continue;
    }
    EXPECT_EQ(error.rfind(path, 0), 0u) << error;
    EXPECT_TRUE(error.find("cut short") != std::string::npos || error.find("empty") != std::string::npos ||
                error.find("no entries") != std::string::npos)
        << "cut at " << cut << ": " << error;
    ASSERT_TRUE(SameSettings(SettingsOf(reader), before)) << "cut at " << cut;
  }
  EXPECT_EQ(accepted, 0);
  EXPECT_EQ(ReadAs(whole, reader), "");
  EXPECT_EQ(reader.ForeColor(), 1193046u);
  EXPECT_EQ(reader.Text_Column(), "Descrizione");
}

TEST_F(DamagedFile, AnyByteChangedIsRefused) {
  CboVarno reader(c2, shared);
  reader.InitProperties();
  const headless::HeadlessPropertyBag before = SettingsOf(reader);
  for (size_t at = 0; at < whole.size(); ++at)
    for (unsigned char flip : {0x01, 0x20, 0x80}) {
      std::string changed = whole;
      changed[at] = static_cast<char>(changed[at] ^ flip);
      EXPECT_THROW(PropertyFile::Parse(changed), Error) << "byte " << at << " changed by " << int(flip);
    }
  std::string changed = whole;
  changed[whole.find("1193046") + 3] = '7';
  EXPECT_NE(ReadAs(changed, reader).find("checksum does not match"), std::string::npos);
  // Lines swapped, a line dropped, a line doubled, text after the end line.
  std::string swapped = whole;
  const size_t a = swapped.find('\n') + 1, b = swapped.find('\n', a) + 1, c = swapped.find('\n', b) + 1;
  swapped = swapped.substr(0, a) + swapped.substr(b, c - b) + swapped.substr(a, b - a) + swapped.substr(c);
  EXPECT_NE(ReadAs(swapped, reader).find("checksum does not match"), std::string::npos);
  EXPECT_NE(ReadAs(whole.substr(0, a) + whole.substr(b), reader).find("checksum"), std::string::npos);
  EXPECT_NE(ReadAs(whole.substr(0, b) + whole.substr(a), reader).find("checksum"), std::string::npos);
  EXPECT_NE(ReadAs(whole + "\n", reader), "");
  EXPECT_NE(ReadAs(whole + "StileCbo = 1\n", reader), "");
  EXPECT_TRUE(SameSettings(SettingsOf(reader), before));
}

TEST_F(DamagedFile, EachFaultOfTheFrameSaysWhatIsWrong) {
  const std::string body = "StileCbo = Byte(1)\nRows_Count = Byte(9)\n";
  auto message = [](const std::string& text) {
    try {
      PropertyFile::Parse(text);
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::TypeMismatch);
      return std::string(e.what());
    }
    return std::string("accepted");
  };
  EXPECT_EQ(message(FramedSettings(body, 24)), "2 entries found, the end line says 24");
  EXPECT_EQ(message(""), "the settings file is empty");
  EXPECT_EQ(message("# TORB_ crc32 4B91529A\n\n"), "the settings file holds no entries: it was cut short or damaged");
  EXPECT_EQ(message("# TORB_Cbo sett"), "the settings file is cut short: it ends inside its header line");
  EXPECT_EQ(message("# TORB_Cbo settings 2\nStileCbo = Byte(1)\n"),
            "the settings file is cut short: it has no end line");
  EXPECT_EQ(message("# TORB_Cbo settings 2\nStileCbo = Byte(1)\n# end 1 ent"),
            "the settings file is cut short: it ends inside its end line");
  EXPECT_NE(message("# TORB_Cbo settings 3\nStileCbo = 1\n").find("is not one this version reads"), std::string::npos);
  EXPECT_NE(message("StileCbo = 1\n# end 1 entries crc32 00000000\n").find("no header line"), std::string::npos);
  std::string framed = FramedSettings(body, 2);
  EXPECT_EQ(PropertyFile::Parse(framed).Entries().size(), 2u);
  EXPECT_EQ(PropertyFile::Parse(framed).Entries()[1].Line, 3);  // the header is line 1
  framed.replace(framed.size() - 9, 8, "00000000");
  EXPECT_NE(message(framed).find("checksum does not match"), std::string::npos);
}

// Files written before the header and end line: read as they always were,
// in any order, with comments and blank lines; a cut one cannot be told from
// a whole one.
TEST_F(DamagedFile, AFileOfTheEarlierFormatStillReads) {
  CboVarno reader(c2, shared);
  EXPECT_EQ(ReadAs("Text_Column = \"Descrizione\"\r\n\n# saved by hand\nStileCbo = 2\nForeColor = 1193046\n", reader),
            "");
  EXPECT_EQ(reader.StileCbo(), 2);
  EXPECT_EQ(reader.ForeColor(), 1193046u);
  EXPECT_EQ(reader.Text_Column(), "Descrizione");
  // A new file with its header and end line taken away is such a file.
  const size_t header = whole.find('\n') + 1;
  const size_t end = whole.rfind('\n', whole.size() - 2) + 1;
  CboVarno again(c1, shared);
  EXPECT_EQ(ReadAs(whole.substr(header, end - header), again), "");
  EXPECT_EQ(again.ForeColor(), 1193046u);
  EXPECT_EQ(again.Font_Grid()->Name, "DejaVu Serif");
}

}  // namespace
}  // namespace cbo::test
