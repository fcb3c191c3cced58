#pragma once
// The routines the control shares with the drop-down window.
#include <cstdint>
#include <vector>

#include "list/column_def.hpp"
#include "list/table/recordset.hpp"
#include "grid/process_state.hpp"

namespace cbo {

// Screen pixels are taken as 15 twips each, whatever the display.
inline constexpr int32_t kTwipPerPixel = 15;

// Records the screen rectangle of a window (pixels × 15) in RettLeft to RettBottom.
void LeggiRettangoloControllo(ProcessState& shared, int32_t hwnd);
// The thickness in twips that a divider of this Tipo_Separatore_Celle style adds.
double SpessoreSeparatore(int32_t style);
// Width mode: the dividers of the visible columns. Height mode: the dividers of
// the rows shown, also leaving one row's divider in SpessoreRiga.
double CalcolaSpazioSeparatori(ProcessState& shared, const Recordset& table, const std::vector<ColumnDef>& Matrice_V,
                               bool larghezza, uint8_t NumMtCol, uint8_t SepRec, uint8_t Rows_Col);
// Unloads the window, drops the instance and clears GrigliaAperta.
void ChiudiGriglia(ProcessState& shared);

}  // namespace cbo
