// Opening the drop-down: the control's configuration goes to the grid window,
// which is shown modally; afterwards the choice is committed and the table is
// put back on the selected row.
#include "control/cbo_varno.hpp"
#include "grid/frm_griglia.hpp"
#include "grid/module1.hpp"
#include "list/criteria.hpp"

namespace cbo {

void CboVarno::Cmd_List_MouseUp() { ApriLista(); }

void CboVarno::ApriLista() {
  if (!cmd_->Visible()) return;
  txt_->SetFocus();
  if (list_.NumMtCol == 0) return;
  if (!list_.HaRighe()) return;
  MostraGriglia();
  const std::string chiave =
      list_.StileAttivo == kListCombo ? txt_->Tag() : std::to_string(IndiceSelezionato);
  Recordset& tabella = list_.Tabella();
  tabella.MoveFirst();
  tabella.Find(CriterioUguale(kIndexField, chiave));
}

void CboVarno::MostraGriglia() {
  if (list_.NumMtCol == 0 || shared_.GrigliaAperta) {
    ChiudiGriglia(shared_);
    return;
  }
  shared_.GrigliaAperta = true;
  LeggiRettangoloControllo(shared_, pct_->hWnd());
  PassaConfigurazione();
  IstanzaGriglia();
  // Held here: closing the window drops the process's reference to it.
  std::shared_ptr<FrmGriglia> griglia = shared_.Griglia;
  list_.Tabella();
  try {
    list_.OkSelezioneAvvenuta =
        griglia->CaricaListaVis(list_.Rcset_Cbo, list_.Matrice_Campi, IndiceSelezionato);
  } catch (...) {
    // A window that failed to open or to report is closed, so that the
    // layout of every control is not left suspended.
    if (shared_.GrigliaAperta) ChiudiGriglia(shared_);
    throw;
  }
  Variant testo = list_.Tabella().Field(list_.Text_Col);
  UltimoTesto = testo.IsNull() ? std::string() : ToText(testo, list_.Text_Col);
  ApplicaScelta();
}

FrmGriglia& CboVarno::IstanzaGriglia() {
  if (!shared_.Griglia) shared_.Griglia = std::make_shared<FrmGriglia>(shared_);
  return *shared_.Griglia;
}

void CboVarno::PassaConfigurazione() {
  FrmGriglia& g = IstanzaGriglia();
  g.AltezzaIntestazione = config_.AltezzaIntestazione;
  g.NonMostrareLista = list_.NonMostrareLista;
  g.OkSelezioneAvvenuta = list_.OkSelezioneAvvenuta;
  g.MaxIndex = list_.MaxIndex;
  g.Mess = 0;
  g.Font_Griglia = config_.Font_Griglia;
  g.AggiungereOrizzontalmente = 0.0;
  g.AggiungereVerticalmente = 0.0;
  g.Larghezza_Colonne = list_.Larghezza_Colonne;
  g.RecSel = config_.RecSel;
  g.SepRec = config_.SepRec;
  g.Text_Col = list_.Text_Col;
  g.Bound_Col = list_.Bound_Col;
  g.Rows_Col = config_.Rows_Col;
  g.NumMtCol = list_.NumMtCol;
  g.ColGriglia = config_.ColGriglia;
  g.ColTesto = config_.ColTesto;
  g.Vis_Fields = config_.Vis_Fields;
  g.TextIntestazioni = "";
  g.GrigliaGrassetto = false;
  g.MostraLineeGriglia = false;
  g.ColLineeGriglia = 0;
  g.ColSfondoGriglia = config_.ColSfondoGriglia;
  g.GrigliaAlCentro = config_.GrigliaAlCentro;
}

}  // namespace cbo
