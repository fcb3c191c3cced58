// The published surface and late binding by name.
#include <gtest/gtest.h>

#include <stdexcept>

#include "control/cbo_varno.hpp"
#include "control/type_library.hpp"
#include "platform/error.hpp"
#include "platform/headless/headless.hpp"
#include "list/list_store.hpp"

namespace cbo {
namespace {

TEST(TypeLibrary, PublishesThirtyThreeMembersInSlotOrderAndNineEvents) {
  const TypeLibrary& lib = Library();
  EXPECT_EQ(lib.Name, "TORB_Cbo");
  EXPECT_EQ(lib.Description, "Combo Box Con Griglia a colonne");
  ASSERT_EQ(lib.Members.size(), 33u);
  for (size_t i = 0; i < lib.Members.size(); ++i) EXPECT_EQ(lib.Members[i].Slot, static_cast<int>(i + 1));
  EXPECT_EQ(lib.Members[11].Name, "AddField");
  EXPECT_EQ(lib.Members[30].Name, "ColoreSfondoGrid");
  EXPECT_EQ(lib.Members[31].Name, "FilterMode");
  EXPECT_EQ(lib.Members[32].Name, "FilterColumns");
  EXPECT_EQ(FindMember("Font_Grid")->Kind, MemberKind::PropertySet);
  EXPECT_EQ(FindMember("Text")->Description, "Restituisce o imposta il testo contenuto nel controllo.");
  EXPECT_EQ(FindMember("Record_Selector")->Description, "");
  ASSERT_EQ(lib.Events.size(), 9u);
  EXPECT_EQ(FindEvent(9)->Name, "Change");
  EXPECT_EQ(FindEvent("MouseMove")->Number, 7);
  EXPECT_EQ(lib.Enums.size(), 10u);
  int32_t mode = -1;
  EXPECT_TRUE(FindEnumValue("FilterWordStart", mode));
  EXPECT_EQ(mode, 2);
  int32_t v = -1;
  EXPECT_TRUE(FindEnumValue("Solo_Dati", v));
  EXPECT_EQ(v, 1);
  EXPECT_TRUE(FindEnumValue("AsteriscoVerde", v));
  EXPECT_EQ(v, 13);
  EXPECT_EQ(lib.PropertyPages.size(), 4u);
}

class Binding : public ::testing::Test {
protected:
  headless::HeadlessPlatform platform;
  ProcessState shared{platform};
  headless::HeadlessContainer container{platform};
  std::unique_ptr<CboVarno> c = CreateObject("TORB_Cbo.CboVarno", container, shared);
};

TEST_F(Binding, AddFieldWithOnlyTheNameTakesEveryDefault) {
  ASSERT_TRUE(c);
  std::vector<Variant> args = {Variant("Codice")};
  Invoke(*c, "AddField", InvokeKind::Method, args);
  const ColumnDef& d = c->Lista().Matrice_Campi().at(0);
  EXPECT_EQ(d.NomeColonna, "Codice");
  EXPECT_TRUE(d.Visualizza_Colonna);
  EXPECT_EQ(d.Larghezza_Colonna, 1000);
  EXPECT_EQ(d.Separatore_Colonna, 2);
  EXPECT_EQ(d.Allineamento_Colonna, 0);
  EXPECT_FALSE(d.Ridimensiona_Colonna);
  EXPECT_FALSE(d.Wrap_Text);
  EXPECT_TRUE(d.Colonna_Ordinabile);
}

TEST_F(Binding, MissingInTheMiddleTakesThatDefaultAndArgumentsAreConverted) {
  std::vector<Variant> args = {Variant("Citta"), Variant::Missing(), Variant(int32_t{0}), Variant("1500")};
  Invoke(*c, "addfield", InvokeKind::Method, args);
  const ColumnDef& d = c->Lista().Matrice_Campi().at(0);
  EXPECT_EQ(d.NomeColonna, "Citta");
  EXPECT_FALSE(d.Visualizza_Colonna);
  EXPECT_EQ(d.Larghezza_Colonna, 1500);
}

TEST_F(Binding, NarrowingAndMistakesAreReported) {
  std::vector<Variant> big = {Variant(int32_t{300})};
  EXPECT_THROW(Invoke(*c, "Rows_Count", InvokeKind::PropertyLet, big), Error);
  std::vector<Variant> none;
  EXPECT_THROW(Invoke(*c, "AddField", InvokeKind::Method, none), std::invalid_argument);
  EXPECT_THROW(Invoke(*c, "NoSuchMember", InvokeKind::Method, none), std::invalid_argument);
  std::vector<Variant> font = {Variant(MakeFont("DejaVu Sans", 12))};
  EXPECT_THROW(Invoke(*c, "Font", InvokeKind::PropertyLet, font), std::invalid_argument);
  std::vector<Variant> colour = {Variant(int32_t{-2147483643})};
  Invoke(*c, "BackColor", InvokeKind::PropertyLet, colour);
  EXPECT_EQ(c->BackColor(), 0x80000005u);
}

struct Sink : CboVarnoEvents {
  void KeyPress(int16_t& KeyAscii) override {
    seen = KeyAscii;
    KeyAscii = 0;
  }
  void MouseUp(int16_t& Button, int16_t&, float& X, float&) override {
    Button = 2;
    X = 1.5f;
  }
  int16_t seen = 0;
};

TEST(TypedSink, ChangedArgumentsGoBackThroughTheVariants) {
  Sink sink;
  Variant key[1] = {Variant(int16_t{97})};
  DispatchEvent(sink, 4, key);
  EXPECT_EQ(sink.seen, 97);
  EXPECT_EQ(key[0], Variant(int16_t{0}));
  Variant mouse[4] = {Variant(int16_t{1}), Variant(int16_t{0}), Variant(0.0f), Variant(0.0f)};
  DispatchEvent(sink, 8, mouse);
  EXPECT_EQ(mouse[0], Variant(int16_t{2}));
  EXPECT_EQ(mouse[2], Variant(1.5f));
}

}  // namespace
}  // namespace cbo
