#pragma once
// A grid window over a small table on the headless platform. Each queued
// action is one thing the user does while the window is open.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "grid/frm_griglia.hpp"
#include "list/table/memory_recordset.hpp"
#include "grid/module1.hpp"
#include "platform/error.hpp"
#include "platform/headless/headless.hpp"

namespace cbo::test {

inline ColumnDef Colonna(const std::string& campo, bool visibile, double larghezza, bool ordinabile = true,
                         int32_t separatore = 2) {
  ColumnDef d;
  d.Nome_Field = campo;
  d.NomeColonna = "Col " + campo;
  d.Visualizza_Colonna = visibile;
  d.Larghezza_Colonna = larghezza;
  d.Separatore_Colonna = separatore;
  d.Colonna_Ordinabile = ordinabile;
  return d;
}

class GrigliaTest : public ::testing::Test {
protected:
  GrigliaTest() {
    platform.SetEventSource([this] {
      if (azioni.empty()) return false;
      auto azione = std::move(azioni.front());
      azioni.pop_front();
      azione();
      return true;
    });
    shared.SetAltezzaRigaGriglia(240);
    shared.SetRettLeft(1500);  // the window then stands at (1500, 3315)
    shared.SetRettBottom(3315);
  }

  // Fields A, B, ... and the hidden index; row n gets index n; the first row is current.
  void CreaTabella(const std::vector<std::string>& campi, const std::vector<std::vector<std::string>>& righe) {
    std::string comando = "SHAPE APPEND";
    for (const std::string& c : campi) comando += " New adVarChar(100) As " + c + ",";
    tabella->Open(comando + " New adVarChar(100) As _Index_Cmbo_Varno_ ");
    int n = 0;
    for (const auto& riga : righe) {
      tabella->AddNew();
      for (size_t i = 0; i < campi.size(); ++i) tabella->SetField(campi[i], Variant(riga[i]));
      tabella->SetField("_Index_Cmbo_Varno_", Variant(std::to_string(++n)));
      tabella->Update();
    }
    if (n > 0) tabella->MoveFirst();
  }
  void TabellaSemplice(const std::vector<std::string>& valori, double larghezza = 1500) {
    std::vector<std::vector<std::string>> righe;
    for (const auto& v : valori) righe.push_back({v});
    CreaTabella({"A"}, righe);
    colonne = {Colonna("A", true, larghezza)};
  }

  // The record as the control fills it for the table's columns.
  GridConfig Configurazione() const {
    GridConfig g;
    g.AltezzaIntestazione = 300;
    g.Vis_Fields = true;
    g.SepRec = 1;
    g.Rows_Col = 8;
    g.NumMtCol = static_cast<uint8_t>(colonne.size());
    g.Text_Col = colonne.empty() ? "" : colonne[0].Nome_Field;
    for (const auto& c : colonne)
      if (c.Visualizza_Colonna) g.Larghezza_Colonne += static_cast<int32_t>(c.Larghezza_Colonna);
    g.ColSfondoGriglia = 0x00FF00u;
    return g;
  }
  // A fresh window configured as the control configures it, with what
  // `cambia` changes in the record.
  FrmGriglia& NuovaGriglia(const std::function<void(GridConfig&)>& cambia = {}) {
    GridConfig config = Configurazione();
    if (cambia) cambia(config);
    shared.SetGriglia(std::make_shared<FrmGriglia>(shared));
    FrmGriglia& g = *shared.Griglia();
    g.Configura(config);
    return g;
  }

  // Opens the window and runs the queued actions, one of which must close it.
  bool Apri() {
    shared.SetGrigliaAperta(true);
    finestra = shared.Griglia();
    return finestra->CaricaListaVis(tabella, colonne, indice);
  }
  void Poi(std::function<void()> azione) { azioni.push_back(std::move(azione)); }
  void PoiEsc() {
    Poi([this] { Msf().UserKey(headless::kEscape); });
  }

  headless::HeadlessDataGrid& Msf() { return dynamic_cast<headless::HeadlessDataGrid&>(finestra->MSF()); }
  headless::HeadlessLabel& Etichetta(int i) {
    return dynamic_cast<headless::HeadlessLabel&>(*finestra->Lbl_Field().at(i));
  }
  std::string IndiceCorrente() const { return tabella->Field("_Index_Cmbo_Varno_").AsString(); }
  std::string ValoreA(int32_t posizione) const { return tabella->ValueAt(posizione, 0).AsString(); }

  headless::HeadlessPlatform platform;
  ProcessState shared{platform};
  std::shared_ptr<MemoryRecordset> tabella = std::make_shared<MemoryRecordset>();
  std::vector<ColumnDef> colonne;
  int32_t indice = 1;
  std::shared_ptr<FrmGriglia> finestra;
  std::deque<std::function<void()>> azioni;
};

}  // namespace cbo::test
