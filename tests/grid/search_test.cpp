// Typed search in the open window and sorting by a header.
#include "grid_fixture.hpp"

namespace cbo::test {
namespace {

class Ricerca : public GrigliaTest {
protected:
  Ricerca() {
    CreaTabella(
        {"A", "B"},
        {{"Rieti", "zeta"}, {"Milano", "beta"}, {"Rovigo", "alfa"}, {"Roma", "gamma"}, {"dell'Acqua", "delta"}});
    colonne = {Colonna("A", true, 1500), Colonna("B", true, 1500, false)};
    NuovaGriglia();
  }
  void Digita(const std::string& testo) {
    for (char c : testo) Msf().UserType(static_cast<char32_t>(c));
  }
};

TEST_F(Ricerca, EachKeySearchesTheWholeBufferUntilTheSecondTick) {
  Poi([this] {
    FrmGriglia& f = *finestra;
    Digita("r");
    EXPECT_EQ(IndiceCorrente(), "1");
    platform.Advance(900);
    Digita("o");  // the tick at 1000 only moves to phase 2
    EXPECT_EQ(IndiceCorrente(), "3");
    platform.Advance(100);
    EXPECT_EQ(f.FaseRicerca(), 2);
    // A letter that matches nothing keeps the row and stays in the buffer.
    Digita("x");
    EXPECT_EQ(IndiceCorrente(), "3");
    EXPECT_EQ(f.MSF().Tag(), "rox");
    EXPECT_EQ(f.FaseRicerca(), 1);
    platform.Advance(1000);
    EXPECT_EQ(f.UltimoCarattere(), "");
    EXPECT_EQ(f.MSF().Tag(), "rox");
    platform.Advance(1000);
    EXPECT_EQ(f.MSF().Tag(), "");
    EXPECT_FALSE(f.T_Trova().Enabled());
    Digita("m");
    EXPECT_EQ(IndiceCorrente(), "2");
    EXPECT_FALSE(f.Configurazione().OkSelezioneAvvenuta);
  });
  PoiEsc();
  Apri();
}

TEST_F(Ricerca, AQuoteIsSearchedForAndAFailedSearchPutsTheRowBack) {
  Poi([this] {
    Digita("dell'");
    EXPECT_EQ(IndiceCorrente(), "5");
    // The list's table is replaced by one without the search field A.
    tabella = std::make_shared<MemoryRecordset>();
    CreaTabella(
        {"Z", "B"},
        {{"Rieti", "zeta"}, {"Milano", "beta"}, {"Rovigo", "alfa"}, {"Roma", "gamma"}, {"dell'Acqua", "delta"}});
    finestra->FollowTable(tabella);
    EXPECT_EQ(finestra->CampoRicerca(), "A");
    tabella->MoveTo(2);
    EXPECT_NO_THROW(Digita("m"));
    EXPECT_EQ(IndiceCorrente(), "3");
  });
  PoiEsc();
  Apri();
}

TEST_F(Ricerca, HeaderClickSortsAscendingKeepsTheRowAndMovesTheSearch) {
  Poi([this] {
    tabella->MoveTo(2);  // Rovigo
    for (int volta = 0; volta < 2; ++volta) {
      Etichetta(0).UserClick();
      EXPECT_EQ(ValoreA(0), "dell'Acqua");
      EXPECT_EQ(ValoreA(4), "Rovigo");
      EXPECT_EQ(IndiceCorrente(), "3");
    }
    // A header that does not sort still becomes the search field.
    Etichetta(1).UserClick();
    EXPECT_EQ(ValoreA(0), "dell'Acqua");
    EXPECT_EQ(finestra->CampoRicerca(), "B");
    Digita("g");
    EXPECT_EQ(IndiceCorrente(), "4");  // Roma, B = gamma
  });
  PoiEsc();
  Apri();
}

TEST_F(Ricerca, ASortTheTableRefusesLeavesTheWindowOpenAndUsable) {
  colonne[0].Nome_Field = "Fantasma";
  NuovaGriglia();
  Poi([this] {
    try {
      Etichetta(0).UserClick();
      ADD_FAILURE() << "the sort did not fail";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Table);
    }
    EXPECT_TRUE(finestra->Form().Loaded());
    Msf().UserKey(headless::kDown);
    Msf().UserKey(headless::kEnter);
  });
  EXPECT_TRUE(Apri());
  EXPECT_EQ(indice, 2);
}

}  // namespace
}  // namespace cbo::test
