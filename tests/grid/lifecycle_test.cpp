// Opening, closing and the fresh start of every opening.
#include "grid_fixture.hpp"

namespace cbo::test {
namespace {

TEST_F(GrigliaTest, TwoOpeningsInARowStartFresh) {
  CreaTabella({"A", "B"}, {{"uno", "x"}, {"due", "y"}});
  colonne = {Colonna("A", true, 1500), Colonna("B", true, 1500)};
  NuovaGriglia();
  Poi([this] {
    EXPECT_TRUE(shared.GrigliaAperta());
    EXPECT_EQ(platform.Focus(), &Msf());
    EXPECT_EQ(shared.HwndMSF(), finestra->MSF().hWnd());
    Etichetta(1).UserClick();
    Msf().UserType(U'y');
  });
  PoiEsc();
  Apri();
  const FrmGriglia* prima = finestra.get();

  NuovaGriglia();
  Poi([this, prima] {
    FrmGriglia& f = *finestra;
    EXPECT_NE(&f, prima);
    EXPECT_EQ(f.CampoRicerca(), "");
    EXPECT_EQ(f.MSF().Tag(), "");
    EXPECT_EQ(f.Pct_Field().size(), 2u);
    platform.Advance(5000);  // the closed window's timer is gone with it
    Msf().UserType(U'd');
    EXPECT_EQ(IndiceCorrente(), "2");  // searched in A again
  });
  PoiEsc();
  Apri();
}

TEST_F(GrigliaTest, ChoosingWithNoCurrentRowIsACloseWithoutAChoice) {
  TabellaSemplice({});
  NuovaGriglia();
  Poi([this] {
    EXPECT_EQ(finestra->AltezzaGriglia(), 300);  // only the header band
    Msf().UserKey(headless::kEnter);
  });
  EXPECT_FALSE(Apri());
  EXPECT_EQ(indice, 1);
  EXPECT_FALSE(shared.GrigliaAperta());

  tabella = std::make_shared<MemoryRecordset>();
  TabellaSemplice({"uno", "due"});
  tabella->Find("_Index_Cmbo_Varno_ = '7'");  // no row has it: EOF
  NuovaGriglia();
  Poi([this] { Msf().UserKey(headless::kEnter); });
  EXPECT_FALSE(Apri());
  EXPECT_EQ(indice, 1);
  EXPECT_TRUE(tabella->Eof());
}

TEST_F(GrigliaTest, TheControlClosingTheWindowEndsTheEntry) {
  TabellaSemplice({"uno", "due"});
  NuovaGriglia();
  Poi([this] { ChiudiGriglia(shared); });
  EXPECT_FALSE(Apri());
  EXPECT_FALSE(shared.GrigliaAperta());
  EXPECT_EQ(shared.Griglia(), nullptr);
}

}  // namespace
}  // namespace cbo::test
