// The property accessors: where each value lives, its narrowing, the
// property-changed notification under its own name, the grid configuration
// copy it feeds, and the layout pass where the look can change.
#include "control/cbo_varno.hpp"

#include <string>

#include "list/enumerations.hpp"
#include "list/filter_columns.hpp"
#include "list/list_store.hpp"
#include "platform/error.hpp"

namespace cbo {

FontRef CboVarno::Font() {
  FontRef f = txt_->Font();
  Resize();
  return f;
}

void CboVarno::SetFont(FontRef f) {
  txt_->SetFont(std::move(f));
  container_.PropertyChanged("Font");
  Resize();
}

int32_t CboVarno::TipoPulsante() { return TipoPulsanteMemorizzato; }

void CboVarno::SetTipoPulsante(int32_t v) {
  uint8_t b = NarrowToByte(v, "TipoPulsante");
  TipoPulsanteMemorizzato = b;
  container_.PropertyChanged("TipoPulsante");
  DisponiControlli();
}

int32_t CboVarno::StileCbo() {
  list_->SetStileAttivo(StileCboMemorizzato);
  return StileCboMemorizzato;
}

void CboVarno::SetStileCbo(int32_t v) {
  uint8_t b = NarrowToByte(v, "StileCbo");
  StileCboMemorizzato = b;
  list_->SetStileAttivo(b);
  container_.PropertyChanged("StileCbo");
  DisponiControlli();
}

Colour CboVarno::ForeColor() { return txt_->ForeColor(); }

void CboVarno::SetForeColor(Colour c) {
  txt_->SetForeColor(c);
  config_.ColTesto = txt_->ForeColor();
  container_.PropertyChanged("ForeColor");
  DisponiControlli();
}

Colour CboVarno::BackColor() { return txt_->BackColor(); }

void CboVarno::SetBackColor(Colour c) {
  txt_->SetBackColor(c);
  config_.ColGriglia = txt_->BackColor();
  container_.PropertyChanged("BackColor");
  DisponiControlli();
}

int32_t CboVarno::Appearance() { return pct_->Appearance(); }

void CboVarno::SetAppearance(int32_t v) {
  pct_->SetAppearance(NarrowToInteger(v, "Appearance"));
  container_.PropertyChanged("Appearance");
}

int32_t CboVarno::BorderStyle() { return pct_->BorderStyle(); }

void CboVarno::SetBorderStyle(int32_t v) {
  pct_->SetBorderStyle(NarrowToInteger(v, "BorderStyle"));
  container_.PropertyChanged("BorderStyle");
}

int32_t CboVarno::Alignment() { return txt_->Alignment(); }

void CboVarno::SetAlignment(int32_t v) {
  txt_->SetAlignment(NarrowToInteger(v, "Alignment"));
  container_.PropertyChanged("Alignment");
  DisponiControlli();
}

int32_t CboVarno::Separatore_Record() { return Separatore_RecordMemorizzato; }

void CboVarno::SetSeparatore_Record(int32_t v) {
  Separatore_RecordMemorizzato = NarrowToByte(v, "Separatore_Record");
  container_.PropertyChanged("Separatore_Record");
  config_.SepRec = Separatore_RecordMemorizzato;
}

bool CboVarno::Record_Selector() { return Record_SelectorMemorizzato; }

void CboVarno::SetRecord_Selector(bool v) {
  Record_SelectorMemorizzato = v;
  container_.PropertyChanged("Record_Selector");
  config_.RecSel = Record_SelectorMemorizzato;
}

std::string CboVarno::Text_Column() { return Text_ColumnMemorizzato; }

void CboVarno::SetText_Column(const std::string& v) {
  Text_ColumnMemorizzato = v;
  container_.PropertyChanged("Text_Column");
  list_->SetText_Col(Text_ColumnMemorizzato);
  IndiciDaFare();
}

std::string CboVarno::Bound_Column() { return Bound_ColumnMemorizzato; }

void CboVarno::SetBound_Column(const std::string& v) {
  Bound_ColumnMemorizzato = v;
  container_.PropertyChanged("Bound_Column");
  list_->SetBound_Col(Bound_ColumnMemorizzato);
}

uint8_t CboVarno::Rows_Count() { return Rows_CountMemorizzato; }

void CboVarno::SetRows_Count(uint8_t v) {
  Rows_CountMemorizzato = v;
  container_.PropertyChanged("Rows_Count");
  config_.Rows_Col = Rows_CountMemorizzato;
}

bool CboVarno::Visualizza_Fields() { return Visualizza_FieldsMemorizzato; }

void CboVarno::SetVisualizza_Fields(bool v) {
  Visualizza_FieldsMemorizzato = v;
  container_.PropertyChanged("Visualizza_Fields");
  config_.Vis_Fields = Visualizza_FieldsMemorizzato;
}

FontRef CboVarno::Font_Grid() {
  FontRef f = cmd_->Font();
  AggiornaFontGriglia();
  return f;
}

void CboVarno::SetFont_Grid(FontRef f) {
  cmd_->SetFont(std::move(f));
  container_.PropertyChanged("Font_Grid");
  AggiornaFontGriglia();
}

bool CboVarno::Griglia_Centrata() { return Griglia_CentrataMemorizzato; }

void CboVarno::SetGriglia_Centrata(bool v) {
  Griglia_CentrataMemorizzato = v;
  config_.GrigliaAlCentro = v;
  container_.PropertyChanged("Griglia_Centrata");
}

bool CboVarno::Enabled() { return txt_->Enabled(); }

void CboVarno::SetEnabled(bool v) {
  txt_->SetEnabled(v);
  container_.PropertyChanged("Enabled");
  Abilitato_ = v;
  DisponiControlli();
}

bool CboVarno::Locked() { return txt_->Locked(); }

void CboVarno::SetLocked(bool v) {
  txt_->SetLocked(v);
  container_.PropertyChanged("Locked");
  Bloccato_ = v;
  DisponiControlli();
}

int32_t CboVarno::RowHeight() {
  shared_.SetAltezzaRigaGriglia(RowHeightMemorizzato);
  return RowHeightMemorizzato;
}

void CboVarno::SetRowHeight(int32_t v) {
  RowHeightMemorizzato = v;
  shared_.SetAltezzaRigaGriglia(v);
  container_.PropertyChanged("RowHeight");
}

int16_t CboVarno::AltezzaIntest() {
  config_.AltezzaIntestazione = AltezzaIntestMemorizzato;
  return AltezzaIntestMemorizzato;
}

void CboVarno::SetAltezzaIntest(int16_t v) {
  config_.AltezzaIntestazione = v;
  AltezzaIntestMemorizzato = v;
  container_.PropertyChanged("AltezzaIntest");
}

Colour CboVarno::ColoreSfondoGrid() { return config_.ColSfondoGriglia; }

void CboVarno::SetColoreSfondoGrid(Colour c) {
  ColoreSfondoGridMemorizzato = c;
  config_.ColSfondoGriglia = c;
  container_.PropertyChanged("ColoreSfondoGrid");
}

int32_t CboVarno::FilterMode() const { return config_.FilterMode; }

int32_t CboVarno::CheckedFilterMode(int32_t v) {
  if (v != FilterOff && v != FilterContains && v != FilterWordStart)
    throw Error(ErrorKind::TypeMismatch, "FilterMode: " + std::to_string(v) +
                                             " is none of FilterOff (0), FilterContains (1), FilterWordStart (2)");
  return v;
}

void CboVarno::SetFilterMode(int32_t v) {
  config_.FilterMode = CheckedFilterMode(v);
  container_.PropertyChanged("FilterMode");
}

const std::string& CboVarno::FilterColumns() const { return config_.FilterColumns; }

const std::string& CboVarno::CheckedFilterColumns(const std::string& v) const {
  // A field the list lacks is refused now when its columns are defined, and
  // otherwise when the drop-down opens.
  if (list_->TabellaAperta()) {
    FilterFields(*list_->Rcset_Cbo(), list_->Matrice_Campi(), v);
  } else {
    FilterColumnNames(v);
  }
  return v;
}

void CboVarno::SetFilterColumns(const std::string& v) {
  config_.FilterColumns = CheckedFilterColumns(v);
  container_.PropertyChanged("FilterColumns");
}

}  // namespace cbo
