// The row following the mouse, and choosing or cancelling with keys and buttons.
// The grid's client area starts at pixel (102, 223); rows are 255 apart (240
// plus a 15 divider) below a 300 header band.
#include "grid_fixture.hpp"

namespace cbo::test {
namespace {

class Selezione : public GrigliaTest {
protected:
  Selezione() {
    TabellaSemplice({"uno", "due", "tre", "quattro", "cinque"});
    NuovaGriglia();
  }
};

TEST_F(Selezione, RowFollowsTheMouseOnlyAfterARealMove) {
  Poi([this] {
    Msf().UserMove(50, 700);  // over row 1, but the first report never moves the row
    Msf().UserMove(50, 705);  // a jitter of 5 twips
    EXPECT_EQ(IndiceCorrente(), "1");
    Msf().UserMove(50, 960);  // row 2
    EXPECT_EQ(IndiceCorrente(), "3");
    EXPECT_FALSE(finestra->Configurazione().OkSelezioneAvvenuta);
    // An arrow key stops the following until the mouse moves again.
    Msf().UserKey(headless::kDown);
    Msf().UserMove(55, 960);
    EXPECT_EQ(IndiceCorrente(), "4");
    Msf().UserMove(65, 960);  // 10 sideways is enough
    EXPECT_EQ(IndiceCorrente(), "3");
    // Over the headers and below the last row nothing moves.
    Msf().UserMove(50, 150);
    Msf().UserMove(50, 300 + 255 * 6 + 50);
    EXPECT_EQ(IndiceCorrente(), "3");
  });
  PoiEsc();
  Apri();
}

TEST_F(GrigliaTest, RowsWithoutHeightDoNotFollowTheMouse) {
  shared.SetAltezzaRigaGriglia(0);
  TabellaSemplice({"uno", "due"});
  NuovaGriglia([&](GridConfig& g) { g.SepRec = 0; });
  Poi([this] {
    Msf().UserMove(50, 400);
    EXPECT_NO_THROW(Msf().UserMove(50, 800));
    EXPECT_EQ(IndiceCorrente(), "1");
  });
  PoiEsc();
  Apri();
}

TEST_F(Selezione, EnterChoosesWhereverTheMouseIsAndReportsOnlyAChange) {
  Poi([this] { Msf().UserKey(headless::kEnter); });  // the row already selected
  EXPECT_FALSE(Apri());
  EXPECT_EQ(indice, 1);
  EXPECT_TRUE(finestra->Configurazione().OkSelezioneAvvenuta);

  NuovaGriglia();
  Poi([this] {
    Msf().UserKey(headless::kDown);
    Msf().UserKey(headless::kEnter);
  });
  EXPECT_TRUE(Apri());
  EXPECT_EQ(indice, 2);
  EXPECT_FALSE(shared.GrigliaAperta());
  EXPECT_EQ(shared.Griglia(), nullptr);
}

TEST_F(Selezione, LeftClickChoosesBelowTheBandAndNotDeepInIt) {
  Poi([this] {
    Msf().UserKey(headless::kDown);
    Msf().UserKey(headless::kDown);
    Msf().UserMove(50, 195);  // 105 above the band's lower edge
    Msf().UserClick(1);
    EXPECT_TRUE(finestra->Form().Loaded());
    Msf().UserMove(50, 270);  // 30 above it: within the tolerance
    Msf().UserClick(1);
  });
  EXPECT_TRUE(Apri());
  EXPECT_EQ(indice, 3);

  // Without headers the band is 0 high.
  tabella->MoveFirst();
  NuovaGriglia([&](GridConfig& g) { g.Vis_Fields = false; });
  Poi([this] {
    Msf().UserMove(50, 0);
    Msf().UserClick(1);
  });
  EXPECT_TRUE(Apri());
  EXPECT_EQ(indice, 1);
}

TEST_F(Selezione, EscapeAndRightClickCancelButKeepTheMovedRow) {
  Poi([this] { Msf().UserKey(headless::kDown); });
  PoiEsc();
  EXPECT_FALSE(Apri());
  EXPECT_EQ(IndiceCorrente(), "2");
  EXPECT_FALSE(finestra->Configurazione().OkSelezioneAvvenuta);

  NuovaGriglia([&](GridConfig& g) { g.OkSelezioneAvvenuta = true; });
  Poi([this] {
    Msf().UserKey(headless::kDown);
    Msf().UserMove(50, 700);
    Msf().UserClick(2);
  });
  EXPECT_FALSE(Apri());
  EXPECT_EQ(indice, 1);
  EXPECT_EQ(IndiceCorrente(), "3");
  EXPECT_FALSE(shared.GrigliaAperta());
}

}  // namespace
}  // namespace cbo::test
