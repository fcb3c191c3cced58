// The grid's size from its columns and rows, and where the window is shown:
// under the control, above it, or in the middle of the screen.
#include "grid/frm_griglia.hpp"
#include "grid/module1.hpp"
#include "platform/platform.hpp"

namespace cbo {

void FrmGriglia::CalcolaLarghezza() {
  Recordset& tabella = Tabella();
  double w =
      config_.Larghezza_Colonne * 0.995 +
      CalcolaSpazioSeparatori(shared_, tabella, matriceV_, true, config_.NumMtCol, config_.SepRec, config_.Rows_Col);
  if (config_.RecSel) w = w + 315;                            // record selectors
  if (tabella.RecordCount() > config_.Rows_Col) w = w + 250;  // vertical scroll bar
  LarghezzaGriglia_ = w;
}

void FrmGriglia::CalcolaAltezza() {
  Recordset& tabella = Tabella();
  const int32_t righe = tabella.RecordCount();
  const double altezzaRiga = MSF().RowHeight();
  const int32_t n = config_.Rows_Col < righe ? config_.Rows_Col : righe;
  double h = n * altezzaRiga + CalcolaSpazioSeparatori(shared_, tabella, matriceV_, false, config_.NumMtCol,
                                                       config_.SepRec, config_.Rows_Col);
  if (config_.Vis_Fields) h = h + config_.AltezzaIntestazione;
  AltezzaGriglia_ = h;
}

void FrmGriglia::CalcolaPosizione() {
  const double W = Form().Width();
  const double H = Form().Height();
  const IWindowServices& schermo = shared_.platform.Services();
  const double S_w = schermo.ScreenWidth();
  const double S_h = schermo.ScreenHeight();

  // Under the control, its top-left corner on the control's bottom-left one.
  PosizioneLeft_ = shared_.RettLeft();
  PosizioneTop_ = shared_.RettBottom();
  Form().SetBackColor(config_.ColSfondoGriglia);

  if (config_.GrigliaAlCentro) {
    PosizioneLeft_ = (S_w - W) / 2;
    PosizioneTop_ = (S_h - H) / 2;
  } else {
    if (W + shared_.RettLeft() > S_w) PosizioneLeft_ = S_w - W;  // flush right
    if (shared_.RettLeft() < 0) PosizioneLeft_ = 0;
    if (H + shared_.RettBottom() > S_h) {
      // Above the control; flush with the bottom edge when there is no room.
      PosizioneTop_ = (shared_.RettBottom() - 315) - H;
      if (PosizioneTop_ < 0) PosizioneTop_ = S_h - H;
    }
    if (shared_.RettBottom() < 0) PosizioneTop_ = 0;
  }

  // The window lies on the screen whenever it fits: a control below the
  // bottom edge or beyond the right one does not take it off the screen. A
  // window larger than the screen keeps its left or top edge at 0.
  if (PosizioneLeft_ + W > S_w) PosizioneLeft_ = S_w - W;
  if (PosizioneTop_ + H > S_h) PosizioneTop_ = S_h - H;
  if (PosizioneLeft_ < 0) PosizioneLeft_ = 0;
  if (PosizioneTop_ < 0) PosizioneTop_ = 0;
}

}  // namespace cbo
