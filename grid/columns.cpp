// Binding the grid to the table, configuring its columns from the column
// definitions, and the header boxes laid over the grid's header band.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "grid/frm_griglia.hpp"
#include "platform/error.hpp"
#include "platform/variant.hpp"

namespace cbo {

namespace {

constexpr Colour kColoreIntestazione = 0x8000000Au;  // system colour 10

}  // namespace

// A header box is 35 twips lower than the header band, never less than empty.
double FrmGriglia::AltezzaBox() const { return std::max(0, config_.AltezzaIntestazione - 35); }

void FrmGriglia::CollegaGriglia() {
  // A failure stops the binding where it is: the window opens with the
  // settings made so far.
  try {
    msfDC_.SetRecordset(table_);
    MSF().SetDataSource(msfDC_.Recordset());
    // With the filter on, the grid shows the table's filtered rows.
    MSF().SetDataSource(FilterOn() ? BindFilter() : table_);

    MSF().SetFont(config_.Font_Griglia);
    MSF().SetRecordSelectors(config_.RecSel);
    MSF().SetDividerStyle(static_cast<int32_t>(config_.SepRec));
    MSF().SetColumnHeaders(config_.Vis_Fields);

    for (int i = 0; i < config_.NumMtCol; ++i) {
      IGridColumn& colonna = MSF().Column(i);
      ColumnDef& definizione = Definizione(i);
      colonna.SetDataField(definizione.Nome_Field);
      colonna.SetVisible(definizione.Visualizza_Colonna);
      colonna.SetWidth(static_cast<float>(definizione.Larghezza_Colonna));
      // The total follows the width the grid really applied.
      if (definizione.Visualizza_Colonna) {
        const int32_t differenza =
            ToLong(Variant(static_cast<double>(colonna.Width()) - definizione.Larghezza_Colonna), "Larghezza_Colonne");
        config_.Larghezza_Colonne =
            NarrowToLong(static_cast<int64_t>(config_.Larghezza_Colonne) + differenza, "Larghezza_Colonne");
      }
      definizione.Larghezza_Colonna = colonna.Width();
      colonna.SetDividerStyle(definizione.Separatore_Colonna);
      colonna.SetNumberFormat(definizione.Formattazione);
      colonna.SetLocked(true);
      colonna.SetAlignment(definizione.Allineamento_Colonna);
      colonna.SetAllowSizing(false);
      colonna.SetWrapText(definizione.Wrap_Text);
    }

    IGridColumn& indice = MSF().Column(config_.NumMtCol);
    indice.SetVisible(false);
    indice.SetLocked(true);
    indice.SetAllowSizing(false);
  } catch (const Error&) {
    return;
  }
}

void FrmGriglia::CaricaIntestazioni() {
  if (!config_.Vis_Fields) {
    Pct_FieldElemento(0).SetVisible(false);
  } else {
    for (int i = 0; i < config_.NumMtCol; ++i) {
      if (!Definizione(i).Visualizza_Colonna) continue;
      if (i != 0) CreaElementoIntestazione(i);
      IPictureBox& box = Pct_FieldElemento(i);
      ILabel& etichetta = Lbl_FieldElemento(i);
      box.SetBackColor(kColoreIntestazione);
      // Only a sortable header shows the design's pointing cursor.
      if (!Definizione(i).Colonna_Ordinabile) etichetta.SetMousePointer(0);
      box.SetVisible(true);
      etichetta.SetVisible(true);
      box.SetTop(20 + FilterLineHeight());
      box.SetHeight(AltezzaBox());
      etichetta.SetTop(20);
      etichetta.SetLeft(0);
      etichetta.SetHeight(AltezzaBox());
      box.ZOrder();
      etichetta.ZOrder();
      etichetta.SetCaption(Definizione(i).NomeColonna);
    }
  }
  DisponiIntestazioni();
}

void FrmGriglia::DisponiIntestazioni() {
  if (!config_.Vis_Fields) return;
  // The record selectors sit left of the first data column.
  double x = config_.RecSel ? 315 : 0;
  for (int i = 0; i < config_.NumMtCol; ++i) {
    if (!Definizione(i).Visualizza_Colonna) continue;
    IPictureBox& box = Pct_FieldElemento(i);
    box.SetVisible(true);
    box.SetLeft(x);
    const double w = std::round(static_cast<double>(MSF().Column(i).Width()) - 10);
    // A column narrower than the gap gets an empty box; the next box still
    // starts where this column ends.
    box.SetWidth(std::max(0.0, w));
    Lbl_FieldElemento(i).SetWidth(box.Width());
    x = x + w + 10;
  }
}

}  // namespace cbo
