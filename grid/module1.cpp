// The routines the control shares with the drop-down window.
#include "grid/module1.hpp"

#include <string>

#include "grid/frm_griglia.hpp"
#include "platform/error.hpp"
#include "platform/platform.hpp"
#include "platform/variant.hpp"

namespace cbo {

void LeggiRettangoloControllo(ProcessState& shared, int32_t hwnd) {
  // A handle the platform rejects leaves the rectangle at zero.
  PixelRect r{};
  shared.platform.Services().GetWindowRect(hwnd, r);
  shared.SetRettLeft(NarrowToLong(static_cast<int64_t>(r.Left) * kTwipPerPixel, "RettLeft"));
  shared.SetRettTop(NarrowToLong(static_cast<int64_t>(r.Top) * kTwipPerPixel, "RettTop"));
  shared.SetRettRight(NarrowToLong(static_cast<int64_t>(r.Right) * kTwipPerPixel, "RettRight"));
  shared.SetRettBottom(NarrowToLong(static_cast<int64_t>(r.Bottom) * kTwipPerPixel, "RettBottom"));
}

double SpessoreSeparatore(int32_t style) {
  switch (style) {
    case 1:  // Linea_Nera
    case 2:  // Linea_Grigia
    case 5:  // Come_Colore_Testo
    case 6:  // Grigia_Illuminata
      return 15;
    case 3:  // Raised
    case 4:  // Insert
      return 30;
    default:  // Nessuna_Divisione and unknown styles
      return 0;
  }
}

double CalcolaSpazioSeparatori(ProcessState& shared, const Recordset& table, const std::vector<ColumnDef>& Matrice_V,
                               bool larghezza, uint8_t NumMtCol, uint8_t SepRec, uint8_t Rows_Col) {
  if (larghezza) {
    double somma = 0;
    for (int i = 0; i < NumMtCol; ++i) {
      if (static_cast<size_t>(i) >= Matrice_V.size()) {
        throw Error(ErrorKind::SubscriptOutOfRange, "Matrice_V(" + std::to_string(i) + "): subscript out of range, " +
                                                        std::to_string(Matrice_V.size()) + " column definitions");
      }
      const ColumnDef& definizione = Matrice_V[static_cast<size_t>(i)];
      if (definizione.Visualizza_Colonna) somma += SpessoreSeparatore(definizione.Separatore_Colonna);
    }
    return somma;
  }
  const int32_t righe = table.RecordCount();
  const int32_t n = Rows_Col < righe ? Rows_Col : righe;
  const double t = SpessoreSeparatore(SepRec);
  shared.SetSpessoreRiga(t);
  return n * t;
}

void ChiudiGriglia(ProcessState& shared) {
  if (shared.Griglia()) shared.Griglia()->Form().Unload();
  shared.SetGriglia(nullptr);
  shared.SetGrigliaAperta(false);
}

}  // namespace cbo
