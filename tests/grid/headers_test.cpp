// The grid's columns and the header boxes laid over its header band.
#include "grid_fixture.hpp"

namespace cbo::test {
namespace {

class Intestazioni : public GrigliaTest {
protected:
  // A shown, B hidden, C shown and not sortable; C's 1000 is rounded by the
  // grid to 1005 (67 pixels).
  Intestazioni() {
    CreaTabella({"A", "B", "C"}, {{"a1", "b1", "c1"}, {"a2", "b2", "c2"}});
    colonne = {Colonna("A", true, 1500), Colonna("B", false, 700), Colonna("C", true, 1000, false)};
    colonne[0].Ridimensiona_Colonna = true;
  }
};

TEST_F(Intestazioni, BoxesForShownColumnsOnlyFromTheRoundedWidths) {
  for (bool recSel : {false, true}) {
    NuovaGriglia([&](GridConfig& g) { g.RecSel = recSel; });
    const double x0 = recSel ? 315 : 0;
    Poi([this, x0] {
      FrmGriglia& f = *finestra;
      const auto& box = f.Pct_Field();
      ASSERT_EQ(box.size(), 2u);
      ASSERT_EQ(box.count(2), 1u);  // the element number is the column number
      EXPECT_EQ(box.at(0)->Left(), x0);
      EXPECT_EQ(box.at(0)->Width(), 1490);
      EXPECT_EQ(box.at(2)->Left(), x0 + 1500);
      EXPECT_EQ(box.at(2)->Width(), 995);
      EXPECT_EQ(f.Lbl_Field().at(2)->Width(), 995);
      for (int i : {0, 2}) {
        EXPECT_TRUE(box.at(i)->Visible());
        EXPECT_EQ(box.at(i)->Top(), 20);
        EXPECT_EQ(box.at(i)->Height(), 265);
        EXPECT_EQ(box.at(i)->BackColor(), 0x8000000Au);
        EXPECT_TRUE(f.Lbl_Field().at(i)->Visible());
      }
      EXPECT_EQ(f.Lbl_Field().at(2)->Caption(), "Col C");
      EXPECT_EQ(f.Lbl_Field().at(0)->MousePointer(), 99);  // sortable
      EXPECT_EQ(f.Lbl_Field().at(2)->MousePointer(), 0);
      // The total and the window's copy follow what the grid applied.
      EXPECT_EQ(f.Configurazione().Larghezza_Colonne, 2505);
      EXPECT_EQ(f.Matrice_V()[2].Larghezza_Colonna, 1005);
      IDataGrid& msf = f.MSF();
      EXPECT_FALSE(msf.Column(1).Visible());
      EXPECT_FALSE(msf.Column(3).Visible());  // the index
      for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(msf.Column(i).Locked());
        EXPECT_FALSE(msf.Column(i).AllowSizing());
      }
      // A column layout change moves the boxes.
      msf.Column(0).SetWidth(3000);
      Msf().UserLayout();
      EXPECT_EQ(box.at(2)->Left(), x0 + 3000);
    });
    PoiEsc();
    Apri();
  }
  EXPECT_EQ(colonne[2].Larghezza_Colonna, 1000);  // the caller's definitions are untouched
}

TEST_F(Intestazioni, HiddenHeadersLeaveOnlyTheHiddenDesignBox) {
  NuovaGriglia([&](GridConfig& g) { g.Vis_Fields = false; });
  Poi([this] {
    EXPECT_EQ(finestra->Pct_Field().size(), 1u);
    EXPECT_FALSE(finestra->Pct_Field().at(0)->Visible());
    EXPECT_FALSE(finestra->MSF().ColumnHeaders());
  });
  PoiEsc();
  Apri();
}

TEST_F(Intestazioni, FewerDefinitionsThanColumnsEndsThePreparation) {
  NuovaGriglia([&](GridConfig& g) { g.NumMtCol = 4; });
  try {
    Apri();
    FAIL() << "the window opened";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::SubscriptOutOfRange);
  }
  EXPECT_EQ(indice, 1);
}

}  // namespace
}  // namespace cbo::test
