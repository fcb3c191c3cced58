// Size of the grid window and where it is shown.
#include "grid_fixture.hpp"

namespace cbo::test {
namespace {

TEST_F(GrigliaTest, PlacementUnderAboveFlushOrCentred) {
  // One column 3000 wide over three rows: the window is 3140 x 1205.
  TabellaSemplice({"uno", "due", "tre"}, 3000);
  struct Caso {
    double schermoW, schermoH;
    int32_t left, bottom;
    bool centrata;
    double attesoLeft, attesoTop;
  };
  const Caso casi[] = {
      {15360, 11520, 1500, 3315, false, 1500, 3315},                  // under the control
      {15360, 11520, 15360 - 3140, 3315, false, 15360 - 3140, 3315},  // exactly fits: stays
      {15360, 11520, 14000, 3315, false, 15360 - 3140, 3315},         // flush right
      {15360, 11520, -200, 3315, false, 0, 3315},                     // partly off the left
      {15360, 11520, 1500, 11000, false, 1500, 11000 - 315 - 1205},   // above the control
      {15360, 1500, 1500, 1000, false, 1500, 1500 - 1205},            // no room above either
      {15360, 11520, 1500, -100, false, 1500, 0},                     // control above the top
      {15360, 11520, 14000, 11000, true, (15360 - 3140) / 2.0, (11520 - 1205) / 2.0},
      {1000, 1000, 1500, 3315, true, 0, 0},  // larger than the screen
  };
  for (const Caso& c : casi) {
    platform.SetScreenSize(c.schermoW, c.schermoH);
    shared.SetRettLeft(c.left);
    shared.SetRettBottom(c.bottom);
    NuovaGriglia([&](GridConfig& g) { g.GrigliaAlCentro = c.centrata; });
    Poi([this, c] {
      EXPECT_EQ(finestra->Form().Width(), 3140);
      EXPECT_EQ(finestra->Form().Height(), 1205);
      EXPECT_EQ(finestra->Form().Left(), c.attesoLeft) << c.left << "," << c.bottom;
      EXPECT_EQ(finestra->Form().Top(), c.attesoTop) << c.left << "," << c.bottom;
    });
    PoiEsc();
    Apri();
  }
}

TEST_F(GrigliaTest, SizeFromRowsDividersHeadersAndScrollBar) {
  std::vector<std::vector<std::string>> righe(12, {"r", "x"});
  CreaTabella({"A", "B"}, righe);
  colonne = {Colonna("A", true, 1500, true, 3), Colonna("B", true, 1500, true, 0)};
  NuovaGriglia([&](GridConfig& g) { g.RecSel = true; });
  Poi([this] {
    FrmGriglia& f = *finestra;
    EXPECT_EQ(f.AltezzaGriglia(), 8 * 240 + 8 * 15 + 300);  // 2340
    EXPECT_EQ(shared.SpessoreRiga(), 15);
    // 3000 x 0.995, dividers 30 + 0, record selectors, scroll bar.
    EXPECT_DOUBLE_EQ(f.LarghezzaGriglia(), 2985 + 30 + 315 + 250);
    EXPECT_EQ(f.Pct1().Height(), 2400);
    EXPECT_DOUBLE_EQ(f.Form().Width(), f.LarghezzaGriglia() + 140);
    EXPECT_EQ(f.Form().Height(), 2480);
    EXPECT_EQ(f.Form().BackColor(), 0x00FF00u);
  });
  PoiEsc();
  Apri();

  // Eight rows: no scroll bar; hidden headers take no height.
  tabella = std::make_shared<MemoryRecordset>();
  TabellaSemplice({"a", "b", "c", "d", "e", "f", "g", "h"});
  NuovaGriglia([&](GridConfig& g) { g.Vis_Fields = false; });
  Poi([this] {
    EXPECT_EQ(finestra->AltezzaGriglia(), 8 * 240 + 8 * 15);
    EXPECT_DOUBLE_EQ(finestra->LarghezzaGriglia(), 1500 * 0.995 + 15);
  });
  PoiEsc();
  Apri();
}

TEST(SpazioSeparatori, VisibleColumnsOnlyAndTooFewDefinitionsIsAnError) {
  headless::HeadlessPlatform platform;
  ProcessState shared{platform};
  MemoryRecordset tabella;
  tabella.Open("SHAPE APPEND New adVarChar(100) As A, New adVarChar(100) As _Index_Cmbo_Varno_ ");
  std::vector<ColumnDef> m = {Colonna("A", true, 1, true, 0),  Colonna("B", true, 1, true, 1),
                              Colonna("C", false, 1, true, 4), Colonna("D", true, 1, true, 3),
                              Colonna("E", true, 1, true, 6),  Colonna("F", true, 1, true, 7)};
  EXPECT_EQ(CalcolaSpazioSeparatori(shared, tabella, m, true, 6, 0, 8), 0 + 15 + 30 + 15 + 0);
  EXPECT_THROW(CalcolaSpazioSeparatori(shared, tabella, m, true, 7, 0, 8), Error);
}

TEST(RettangoloControllo, PixelsTimesFifteenAndZerosForAnUnknownHandle) {
  headless::HeadlessPlatform platform;
  ProcessState shared{platform};
  auto w = platform.CreateWindow();
  w->SetLeft(1500);
  w->SetTop(3000);
  w->SetWidth(3007);  // 200.47 pixels
  w->SetHeight(315);
  LeggiRettangoloControllo(shared, w->hWnd());
  EXPECT_EQ(std::vector<int32_t>({shared.RettLeft(), shared.RettTop(), shared.RettRight(), shared.RettBottom()}),
            std::vector<int32_t>({1500, 3000, 4500, 3315}));
  LeggiRettangoloControllo(shared, 0x7FFFFFF0);
  EXPECT_EQ(shared.RettLeft(), 0);
  EXPECT_EQ(shared.RettBottom(), 0);
}

}  // namespace
}  // namespace cbo::test
