// Opening the drop-down: the control's configuration goes to the grid window,
// which is shown modally; afterwards the choice is committed and the table is
// put back on the selected row.
#include "control/cbo_varno.hpp"
#include "list/list_store.hpp"
#include "grid/frm_griglia.hpp"
#include "grid/module1.hpp"
#include "list/criteria.hpp"
#include "platform/error.hpp"
#include "platform/scoped_flag.hpp"

namespace cbo {

void CboVarno::Cmd_List_MouseUp() { ApriLista(); }

void CboVarno::ApriLista() {
  if (!cmd_->Visible()) return;
  txt_->SetFocus();
  if (list_->NumMtCol() == 0) return;
  if (!list_->HaRighe() || list_->Riempimento()) return;
  MostraGriglia();
  // A list cleared while the window was open has no row to go back to.
  if (!list_->TabellaAperta()) return;
  const std::string chiave = list_->StileAttivo() == ListCombo ? txt_->Tag() : std::to_string(IndiceSelezionato_);
  Recordset& tabella = list_->Tabella();
  tabella.MoveFirst();
  tabella.Find(CriterioUguale(kIndexField, chiave));
  IndiciDaFare();  // after the grid's searches and sorts
}

void CboVarno::MostraGriglia() {
  // A second request while this control's window is open closes it. While
  // another control's window is open this one opens nothing and closes
  // nothing: there is one window for all controls.
  if (listaAperta_) {
    ChiudiGriglia(shared_);
    return;
  }
  if (list_->NumMtCol() == 0 || shared_.GrigliaAperta()) return;
  // The user now chooses in the grid: a completion still waiting to be
  // committed is given up, so that closing without a choice commits nothing.
  list_->SetOkSelezioneAvvenuta(false);
  list_->SetCompletamentoInAttesa(0);
  // What a close without a choice gives back to the text box.
  const int32_t selInizio = txt_->SelStart();
  const int32_t selLunghezza = txt_->SelLength();

  int32_t confermata = 0;  // the key of the row the user confirmed
  shared_.SetGrigliaAperta(true);
  try {
    LeggiRettangoloControllo(shared_, pct_->hWnd());
    PassaConfigurazione();
    IstanzaGriglia();
    // Held here: closing the window drops the process's reference to it.
    std::shared_ptr<FrmGriglia> griglia = shared_.Griglia();
    list_->Tabella();
    ScopedFlag aperta(listaAperta_);
    list_->SetOkSelezioneAvvenuta(
        griglia->CaricaListaVis(list_->Rcset_Cbo(), list_->Matrice_Campi(), IndiceSelezionato_));
    // The user confirmed a row, a new one or the one already chosen (which
    // the window does not count as a choice).
    if (griglia->Configurazione().OkSelezioneAvvenuta && list_->TabellaAperta() && !list_->Tabella().Eof())
      confermata = ToLong(list_->Tabella().Field(kIndexField), kIndexField);
  } catch (...) {
    // Whatever failed, before or after the show, no window is left counted
    // as open: that would suspend the layout of every control for good.
    if (shared_.GrigliaAperta()) ChiudiGriglia(shared_);
    throw;
  }

  // No current row (the window closed without a choice, or the list was
  // cleared meanwhile) and no text column read as "".
  UltimoTesto_ = list_->CurrentRowText();
  if (!list_->OkSelezioneAvvenuta()) {
    // A close without a choice leaves the text box as it was before the show
    // (the focus coming back to it would otherwise have selected it all).
    try {
      txt_->SetSelStart(selInizio);
      txt_->SetSelLength(selLunghezza);
    } catch (const Error&) {}
  }
  {
    ScopedFlag dallaGriglia(sceltaDallaGriglia_);
    ApplicaScelta();
  }
  if (confermata != 0 && picked_) picked_(confermata);
}

void CboVarno::GridFollowsTable() {
  if (!listaAperta_ || !shared_.Griglia() || shared_.Griglia()->Rcset_Cbo_Griglia() == list_->Rcset_Cbo()) return;
  // The selected row was a row of the discarded table: none of the new one
  // is selected, so that a row picked from it later counts as a choice.
  IndiceSelezionato_ = 0;
  shared_.Griglia()->FollowTable(list_->Rcset_Cbo());
}

FrmGriglia& CboVarno::IstanzaGriglia() {
  if (!shared_.Griglia()) shared_.SetGriglia(std::make_shared<FrmGriglia>(shared_));
  return *shared_.Griglia();
}

void CboVarno::PassaConfigurazione() {
  // The control's own settings, with its list's working copies filled in;
  // the fields the design always hands over as zero, empty or False stay so.
  FrmGriglia& g = IstanzaGriglia();
  GridConfig c = config_;
  c.NonMostrareLista = list_->NonMostrareLista();
  c.OkSelezioneAvvenuta = list_->OkSelezioneAvvenuta();
  c.MaxIndex = list_->MaxIndex();
  c.Larghezza_Colonne = list_->Larghezza_Colonne();
  c.Text_Col = list_->Text_Col();
  c.Bound_Col = list_->Bound_Col();
  c.NumMtCol = list_->NumMtCol();
  g.Configura(c);
}

}  // namespace cbo
