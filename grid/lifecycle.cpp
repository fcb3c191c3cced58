// The window's single entry: it takes the control's table and column
// definitions, prepares itself, shows itself modally and, once closed,
// reports whether a different row was chosen.
#include <memory>

#include "grid/frm_griglia.hpp"
#include "list/list_store.hpp"
#include "platform/variant.hpp"

namespace cbo {

bool FrmGriglia::CaricaListaVis(RecordsetRef Rcset_Cbo_Griglia, const std::vector<ColumnDef>& Matrice_V,
                                int32_t& ListIndex) {
  // Closing drops the process's reference to the window; this one keeps it
  // alive until the result has been read.
  const std::shared_ptr<FrmGriglia> trattenuta = weak_from_this().lock();

  matriceV_ = Matrice_V;
  table_ = std::move(Rcset_Cbo_Griglia);
  indicePassato_ = ListIndex;

  // A filter field the list lacks keeps the window closed.
  PrepareFilter();
  PreparaFinestra();
  Form().ShowModal();
  // What was typed into the filter line is forgotten.
  filterText_.clear();
  T_Filter().SetEnabled(false);

  // A choice with no current row counts as a close without a choice.
  if (config_.OkSelezioneAvvenuta && TabellaAperta() && !Tabella().Eof()) {
    const int32_t scelto = ToLong(Tabella().Field(kIndexField), kIndexField);
    if (scelto != indicePassato_) {
      ListIndex = scelto;
      return true;
    }
  }
  return false;
}

void FrmGriglia::PreparaFinestra() {
  PrimoMovimento_ = true;
  T_Trova().SetEnabled(false);
  T_Trova().SetInterval(1000);

  Form().SetWidth(0);
  Form().SetHeight(0);

  MSF().SetRowHeight(static_cast<float>(shared_.AltezzaRigaGriglia()));
  MSF().SetHeadLines(static_cast<float>(config_.AltezzaIntestazione / 200.0));

  CollegaGriglia();

  CalcolaLarghezza();
  CalcolaAltezza();

  // Each size builds on what the widget reports after the previous one.
  // With the filter on, its line lies above the grid.
  MSF().SetLeft(0);
  MSF().SetTop(FilterLineHeight());
  Pct1().SetLeft(30);
  Pct1().SetTop(30);
  MSF().SetWidth(LarghezzaGriglia_);
  MSF().SetHeight(AltezzaGriglia_);
  Pct1().SetWidth(MSF().Width() + 60);
  Pct1().SetHeight(MSF().Height() + 60 + FilterLineHeight());
  LayOutFilterLine();
  Form().SetWidth(Pct1().Width() + 80);
  Form().SetHeight(Pct1().Height() + 80);

  MSF().SetBackColor(config_.ColGriglia);
  MSF().SetForeColor(config_.ColTesto);

  CalcolaPosizione();

  CaricaIntestazioni();

  Form().SetLeft(PosizioneLeft_);
  Form().SetTop(PosizioneTop_);

  TrovaCTRLHWNDGriglia();

  MSF().SetRowHeight(static_cast<float>(shared_.AltezzaRigaGriglia()));

  // The row must not jump to wherever the mouse happens to rest at the show.
  BloccaInseguimento_ = true;

  MSF().Refresh();
}

void FrmGriglia::FollowTable(RecordsetRef table) {
  if (table == table_) return;
  table_ = std::move(table);
  indicePassato_ = 0;  // the row passed in was a row of the discarded table
  if (TabellaAperta()) {
    CollegaGriglia();
  } else {
    // Nothing to show: the grid lets go of the discarded rows.
    msfDC_.SetRecordset(table_);
    MSF().SetDataSource(nullptr);
  }
  MSF().Refresh();
}

void FrmGriglia::TrovaCTRLHWNDGriglia() {
  shared_.SetHwndFrmGriglia(Form().hWnd());
  shared_.SetHwndMSF(MSF().hWnd());
  shared_.SetHwndPct1(Pct1().hWnd());
}

}  // namespace cbo
