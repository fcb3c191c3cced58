// The property table against every path that reads it: each entry is
// published at its slot with its type, reachable by name for a get and a let,
// given its default by InitProperties, and written and read back by the
// settings under its own name.
#include <gtest/gtest.h>

#include <set>

#include "control/cbo_varno.hpp"
#include "control/property_table.hpp"
#include "control/type_library.hpp"
#include "platform/headless/headless.hpp"
#include "platform/property_file.hpp"
#include "tests/support/same_value.hpp"

namespace cbo {
namespace {

using testing::SameValue;

bool IsEnumeration(const std::string& type) {
  for (const EnumInfo& e : Library().Enums)
    if (e.Name == type) return true;
  return false;
}

// A value of the property's type that differs from what a new control holds.
Variant Sample(const PropertyInfo& p, const Variant& now) {
  const std::string type = p.Type;
  const std::string name = p.Name;
  if (name == "Value") return Variant("K2");
  if (name == "Text") return Variant("nK3");
  if (name == "Text_Column") return Variant("Nome");
  if (name == "Bound_Column") return Variant("Codice");
  if (name == "FilterColumns") return Variant("Nome");
  if (type == "String") return Variant("scritto");
  if (type == "Boolean") return Variant(!ToBool(now, p.Name));
  if (type == "Font") {
    FontRef f = MakeFont("DejaVu Sans Mono", 8.25);
    f->Italic = true;
    return Variant(f);
  }
  if (type == "Colour") return Variant(int32_t{0x00336699});
  return Variant(int32_t{ToLong(now, p.Name) == 2 ? 1 : 2});  // numbers and enumerations
}

class PropertyTable : public ::testing::Test {
protected:
  headless::HeadlessPlatform platform;
  ProcessState shared{platform};
  headless::HeadlessContainer container{platform};

  std::unique_ptr<CboVarno> NewControl() {
    auto c = std::make_unique<CboVarno>(container, shared);
    c->InitProperties();
    return c;
  }
  // A control whose list has the rows that Value and ListIndex name.
  std::unique_ptr<CboVarno> ControlWithRows() {
    auto c = NewControl();
    c->SetStileCbo(ListCombo);  // where Value and ListIndex name rows
    c->SetBound_Column("Codice");
    c->SetText_Column("Nome");
    c->AddField("Codice");
    c->AddField("Nome");
    for (const char* k : {"K1", "K2", "K3"}) {
      c->ListItem("Codice", Variant(k));
      c->ListItem("Nome", Variant(std::string("n") + k));
      c->AddItem();
    }
    return c;
  }
  Variant Get(CboVarno& c, const PropertyInfo& p) {
    std::vector<Variant> none;
    return Invoke(c, p.Name, InvokeKind::PropertyGet, none);
  }
  void Let(CboVarno& c, const PropertyInfo& p, const Variant& v) {
    std::vector<Variant> args{v};
    bool object = FindMember(p.Name)->Kind == MemberKind::PropertySet;
    Invoke(c, p.Name, object ? InvokeKind::PropertySet : InvokeKind::PropertyLet, args);
  }
};

TEST_F(PropertyTable, EveryEntryIsPublishedAtItsSlotWithItsTypeAndNoOtherPropertyIs) {
  std::set<std::string> names;
  int previous = 0;
  for (const PropertyInfo& p : Properties()) {
    SCOPED_TRACE(p.Name);
    EXPECT_GT(p.Slot, previous) << "the table is in slot order";
    previous = p.Slot;
    EXPECT_TRUE(names.insert(p.Name).second);
    const MemberInfo* m = FindMember(p.Name);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->Slot, p.Slot);
    EXPECT_NE(m->Kind, MemberKind::Method);
    EXPECT_EQ(m->ResultType, p.Type);
    EXPECT_EQ(m->Description, p.Description);
    const std::string type = p.Type;
    EXPECT_TRUE(IsEnumeration(type) || type == "String" || type == "Boolean" || type == "Byte" || type == "Integer" ||
                type == "Long" || type == "Colour" || type == "Font")
        << type;
    EXPECT_EQ(FindProperty(p.Name), &p);
  }
  for (const MemberInfo& m : Library().Members)
    if (m.Kind != MemberKind::Method) {
      EXPECT_NE(FindProperty(m.Name), nullptr) << m.Name << " is not in the table";
    }
  EXPECT_EQ(FindProperty("rows_count"), FindProperty("Rows_Count"));
  EXPECT_EQ(FindProperty("AddItem"), nullptr);
}

TEST_F(PropertyTable, EveryEntryIsReadAndWrittenByNameThroughItsOwnAccessors) {
  for (const PropertyInfo& p : Properties()) {
    SCOPED_TRACE(p.Name);
    auto c = ControlWithRows();
    Variant before = Get(*c, p);
    EXPECT_TRUE(SameValue(before, p.Get(*c)));
    Variant sample = Sample(p, before);
    Let(*c, p, sample);
    Variant after = Get(*c, p);
    if (std::string(p.Type) == "Font") {
      EXPECT_EQ(after.AsFont()->Name, "DejaVu Sans Mono");
      EXPECT_TRUE(after.AsFont()->Italic);
    } else if (std::string(p.Type) == "String") {
      EXPECT_EQ(ToText(after, p.Name), ToText(sample, p.Name));
    } else {
      EXPECT_EQ(ToLong(after, p.Name), ToLong(sample, p.Name));
    }
  }
}

TEST_F(PropertyTable, InitPropertiesGivesEveryEntryItsDefault) {
  auto c = NewControl();
  for (const PropertyInfo& p : Properties()) {
    if (!p.InitFromDefault) continue;
    SCOPED_TRACE(p.Name);
    // Compared as values, since the stored value may be narrower than the
    // default (a Byte against an Integer).
    Variant stored = p.Stored(*c);
    if (std::string(p.Type) == "String")
      EXPECT_EQ(ToText(stored, p.Name), ToText(p.Default, p.Name));
    else
      EXPECT_EQ(ToDouble(stored, p.Name), ToDouble(p.Default, p.Name));
  }
}

TEST_F(PropertyTable, EveryEntryIsWrittenUnderItsNameAndReadBackAsItWasStored) {
  auto source = ControlWithRows();
  for (const PropertyInfo& p : Properties()) Let(*source, p, Sample(p, Get(*source, p)));
  PropertyFile bag;
  source->WriteProperties(bag);
  PropertyFile back = PropertyFile::Parse(bag.Text());
  auto target = NewControl();
  target->ReadProperties(back);
  for (const PropertyInfo& p : Properties()) {
    SCOPED_TRACE(p.Name);
    EXPECT_NE(bag.Text().find(std::string(p.Name) + " = "), std::string::npos);
    EXPECT_TRUE(SameValue(p.Stored(*target), p.Stored(*source))) << "wrote " << bag.Text();
  }
}

}  // namespace
}  // namespace cbo
