// docs/api.md against the published type description: every member, event,
// enumeration and enumeration value has its entry, and no entry names one the
// description does not have.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "control/enumerations.hpp"
#include "control/type_library.hpp"

using namespace cbo;

namespace {

// The "### Name" headings of each "## Section" of the document, and its text.
struct Doc {
  std::map<std::string, std::set<std::string>> headings;
  std::string text;
};

Doc ReadDoc() {
  std::ifstream in(std::string(CBO_SOURCE_DIR) + "/docs/api.md");
  Doc doc;
  std::stringstream all;
  all << in.rdbuf();
  doc.text = all.str();
  std::istringstream lines(doc.text);
  std::string line, section;
  while (std::getline(lines, line)) {
    if (line.rfind("## ", 0) == 0)
      section = line.substr(3);
    else if (line.rfind("### ", 0) == 0)
      doc.headings[section].insert(line.substr(4));
  }
  return doc;
}

template <class Items, class NameOf>
std::set<std::string> Names(const Items& items, NameOf name) {
  std::set<std::string> out;
  for (const auto& i : items) out.insert(name(i));
  return out;
}

}  // namespace

TEST(ApiDoc, HasAnEntryForEveryMemberAndNoneBeyondThem) {
  const Doc doc = ReadDoc();
  ASSERT_FALSE(doc.text.empty()) << "docs/api.md not found";
  EXPECT_EQ(doc.headings.at("Members"), Names(Library().Members, [](const MemberInfo& m) { return m.Name; }));
}

TEST(ApiDoc, HasAnEntryForEveryEventAndNoneBeyondThem) {
  const Doc doc = ReadDoc();
  EXPECT_EQ(doc.headings.at("Events"), Names(Library().Events, [](const EventInfo& e) { return e.Name; }));
}

TEST(ApiDoc, ListsEveryEnumerationWithEachValueAndName) {
  const Doc doc = ReadDoc();
  EXPECT_EQ(doc.headings.at("Enumerations"), Names(Library().Enums, [](const EnumInfo& e) { return e.Name; }));
  for (const EnumInfo& e : Library().Enums) {
    // The enumeration's own section, up to the next heading (a property may
    // have the enumeration's name).
    const size_t at = doc.text.find("### " + e.Name + "\n", doc.text.find("## Enumerations"));
    ASSERT_NE(at, std::string::npos) << e.Name;
    const size_t end = doc.text.find("\n#", at + 1);
    const std::string section = doc.text.substr(at, end - at);
    for (const auto& [name, value] : e.Values) {
      const std::string row = "| " + std::to_string(value) + " | `" + name + "` |";
      EXPECT_NE(section.find(row), std::string::npos) << e.Name << ": no row " << row;
    }
  }
}

// The C++ enumerations carry the published names and values.
TEST(Enumerations, MatchThePublishedOnes) {
  const std::map<std::string, int32_t> ours = {
#define E(x) {#x, x}
      E(FrecciaNera),
      E(FrecciaGialla),
      E(FrecciaVerde),
      E(FrecciaBlu),
      E(PuntoNero),
      E(PuntoGiallo),
      E(PuntoVerde),
      E(PuntoBlu),
      E(PuntiNeri),
      E(PuntiVerdi),
      E(LineaNera),
      E(AsteriscoNero),
      E(AsteriscoRosso),
      E(AsteriscoVerde),
      E(SettaDaListIndex),
      E(LeggiDaListIndex),
      E(SettaDaBoundColumn),
      E(LeggiDaBoundColumn),
      E(SettaDaTextColumn),
      E(LeggiDaTextColumn),
      E(Tutto),
      E(Solo_Dati),
      E(Nessuna_Divisione),
      E(Linea_Nera),
      E(Linea_Grigia),
      E(Raised),
      E(Insert),
      E(Come_Colore_Testo),
      E(Grigia_Illuminata),
      E(Sinistra),
      E(Destra),
      E(Centro),
      E(All_Left),
      E(All_Right),
      E(All_Center),
      E(TextBox),
      E(ComboBox),
      E(ListCombo),
      E(None),
      E(Fixed_Single),
      E(Flat),
      E(Tridimensionale),
      E(FilterOff),
      E(FilterContains),
      E(FilterWordStart),
#undef E
  };
  size_t published = 0;
  for (const EnumInfo& e : Library().Enums) {
    for (const auto& [name, value] : e.Values) {
      ++published;
      ASSERT_TRUE(ours.count(name)) << name;
      EXPECT_EQ(ours.at(name), value) << name;
    }
  }
  EXPECT_EQ(ours.size(), published);
}
