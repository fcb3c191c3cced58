// The filter line of the open window: its place above the headers, the
// count it shows ("K of N rows", "No rows match", "at least K of N rows"
// while a large list is still being read on the timer), and an opening
// refused for a filter field the list lacks.
#include "grid_fixture.hpp"
#include "list/enumerations.hpp"

namespace cbo::test {
namespace {

class Filtro : public GrigliaTest {
protected:
  void Digita(const std::string& testo) {
    for (char c : testo) Msf().UserType(static_cast<char32_t>(c));
  }
  FrmGriglia& ConFiltro(const std::string& campi = "") {
    return NuovaGriglia([&](GridConfig& g) {
      g.FilterMode = FilterContains;
      g.FilterColumns = campi;
    });
  }
  std::string Stato() { return finestra->Lbl_FilterStatus().Caption(); }
};

TEST_F(Filtro, TheLineLiesAboveTheHeadersAndCountsTheRowsShown) {
  TabellaSemplice({"Roma", "Rovigo", "Milano", "Rieti"});
  ConFiltro();
  Poi([this] {
    FrmGriglia& f = *finestra;
    EXPECT_TRUE(f.Pct_Filter().Visible());
    EXPECT_GT(f.MSF().Top(), 0);
    EXPECT_EQ(f.Pct_Field().at(0)->Top(), f.MSF().Top() + 20);
    EXPECT_EQ(Stato(), "4 of 4 rows");
    Digita("ro");
    EXPECT_EQ(f.Lbl_Filter().Caption(), "ro");
    EXPECT_EQ(Stato(), "2 of 4 rows");
    Digita("x");
    EXPECT_EQ(Stato(), "No rows match");
    EXPECT_TRUE(tabella->Eof());
    Msf().UserKey(headless::kEscape);  // empties the line, the window stays
    EXPECT_EQ(f.Lbl_Filter().Caption(), "");
    EXPECT_EQ(Stato(), "4 of 4 rows");
    EXPECT_FALSE(tabella->Eof());
  });
  PoiEsc();
  EXPECT_FALSE(Apri());
  EXPECT_FALSE(shared.GrigliaAperta());
  EXPECT_EQ(finestra->FilterText(), "");
}

TEST_F(Filtro, WithTheFilterOffNothingMoves) {
  TabellaSemplice({"Roma", "Rovigo"});
  NuovaGriglia();
  Poi([this] {
    EXPECT_FALSE(finestra->Pct_Filter().Visible());
    EXPECT_EQ(finestra->MSF().Top(), 0);
  });
  PoiEsc();
  Apri();
}

TEST_F(Filtro, ALargeListIsReadOnTheTimerAndCountedAtLeastUntilThen) {
  std::vector<std::string> valori;
  for (int i = 0; i < 300000; ++i) valori.push_back(i % 1000 == 7 ? "Rossi" : "Verdi");
  TabellaSemplice(valori);
  ConFiltro();
  Poi([this] {
    FrmGriglia& f = *finestra;
    Digita("ross");
    // A screenful was found at once; the rest is read on the timer.
    EXPECT_EQ(Stato().rfind("at least ", 0), 0u) << Stato();
    EXPECT_TRUE(f.T_Filter().Enabled());
    EXPECT_EQ(IndiceCorrente(), "8");
    for (int tick = 0; tick < 1000 && f.T_Filter().Enabled(); ++tick) platform.Advance(1);
    EXPECT_FALSE(f.T_Filter().Enabled());
    EXPECT_EQ(Stato(), "300 of 300000 rows");
    EXPECT_EQ(f.Shown()->RecordCount(), 300);
  });
  PoiEsc();  // empties the line
  PoiEsc();
  Apri();
}

TEST_F(Filtro, AFilterFieldTheListLacksKeepsTheWindowClosed) {
  TabellaSemplice({"Roma"});
  ConFiltro("A, Z");
  shared.SetGrigliaAperta(true);
  finestra = shared.Griglia();
  try {
    finestra->CaricaListaVis(tabella, colonne, indice);
    ADD_FAILURE() << "opened";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Table);
    EXPECT_STREQ(e.what(), "FilterColumns: the list has no field \"Z\"");
  }
  EXPECT_FALSE(finestra->Form().Visible());
}

}  // namespace
}  // namespace cbo::test
