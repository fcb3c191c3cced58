// The persisted property set: initialising a newly placed control, writing
// the settings into the container's property bag and reading them back.
#include "control/cbo_varno.hpp"

namespace cbo {

namespace {

Variant Colore(Colour c) { return Variant(ColourAsLong(c)); }

}  // namespace

// The copies that the grid window, the list store and the layout work from.
void CboVarno::DerivaCopieDiLavoro() {
  config_.ColGriglia = txt_->BackColor();
  config_.ColTesto = txt_->ForeColor();
  config_.RecSel = Record_SelectorMemorizzato;
  config_.SepRec = Separatore_RecordMemorizzato;
  list_.SetText_Col(Text_ColumnMemorizzato);
  list_.SetBound_Col(Bound_ColumnMemorizzato);
  config_.Rows_Col = Rows_CountMemorizzato;
  config_.Vis_Fields = Visualizza_FieldsMemorizzato;
  list_.SetStileAttivo(StileCboMemorizzato);
  Abilitato_ = txt_->Enabled();
  Bloccato_ = txt_->Locked();
}

void CboVarno::InitProperties() {
  TipoPulsanteMemorizzato = 0;
  StileCboMemorizzato = 0;
  Separatore_RecordMemorizzato = 0;
  Record_SelectorMemorizzato = true;
  Text_ColumnMemorizzato = "";
  Bound_ColumnMemorizzato = "";
  Rows_CountMemorizzato = 8;
  Visualizza_FieldsMemorizzato = true;
  list_.SetValueMemorizzato("");
  TextMemorizzato = "";
  list_.SetListIndexMemorizzato(1);
  Griglia_CentrataMemorizzato = false;
  RowHeightMemorizzato = 225;
  AltezzaIntestMemorizzato = 300;
  ColoreSfondoGridMemorizzato = 0;
  config_.ColSfondoGriglia = 0;
  // A new control derives its working copies as reading does, so that it
  // behaves at once as a control read from its defaults (its button shows
  // when a style with a button is chosen).
  DerivaCopieDiLavoro();
  shared_.SetAltezzaRigaGriglia(RowHeightMemorizzato);
  config_.AltezzaIntestazione = AltezzaIntestMemorizzato;
  config_.GrigliaAlCentro = Griglia_CentrataMemorizzato;
  AggiornaFontGriglia();
}

void CboVarno::WriteProperties(IPropertyBag& bag) {
  bag.Write("Font", Variant(txt_->Font()), Variant(container_.AmbientFont()));
  bag.Write("TipoPulsante", Variant(TipoPulsanteMemorizzato), Variant(int16_t{0}));
  bag.Write("StileCbo", Variant(StileCboMemorizzato), Variant(int16_t{0}));
  bag.Write("ForeColor", Colore(txt_->ForeColor()), Colore(kWindowText));
  bag.Write("BackColor", Colore(txt_->BackColor()), Colore(kWindowBackground));
  bag.Write("Appearance", Variant(pct_->Appearance()), Variant(int16_t{1}));
  bag.Write("BorderStyle", Variant(pct_->BorderStyle()), Variant(int16_t{1}));
  bag.Write("Alignment", Variant(txt_->Alignment()), Variant(int16_t{0}));
  bag.Write("Separatore_Record", Variant(Separatore_RecordMemorizzato), Variant(int16_t{0}));
  bag.Write("Record_Selector", Variant(Record_SelectorMemorizzato), Variant(true));
  bag.Write("Text_Column", Variant(Text_ColumnMemorizzato), Variant(""));
  bag.Write("Bound_Column", Variant(Bound_ColumnMemorizzato), Variant(""));
  bag.Write("Rows_Count", Variant(Rows_CountMemorizzato), Variant(int16_t{8}));
  bag.Write("Visualizza_Fields", Variant(Visualizza_FieldsMemorizzato), Variant(true));
  bag.Write("Font_Grid", Variant(cmd_->Font()), Variant(container_.AmbientFont()));
  bag.Write("Value", Variant(list_.ValueMemorizzato()), Variant(""));
  bag.Write("Text", Variant(TextMemorizzato), Variant(""));
  bag.Write("ListIndex", Variant(list_.ListIndexMemorizzato()), Variant(int16_t{1}));
  bag.Write("Griglia_Centrata", Variant(Griglia_CentrataMemorizzato), Variant(int16_t{0}));
  bag.Write("Enabled", Variant(txt_->Enabled()), Variant(true));
  bag.Write("Locked", Variant(txt_->Locked()), Variant(false));
  bag.Write("RowHeight", Variant(RowHeightMemorizzato), Variant(int16_t{225}));
  bag.Write("AltezzaIntest", Variant(AltezzaIntestMemorizzato), Variant(int16_t{300}));
  bag.Write("ColoreSfondoGrid", Colore(ColoreSfondoGridMemorizzato), Variant(int16_t{0}));
  DisponiControlli();
}

void CboVarno::ReadProperties(IPropertyBag& bag) {
  // A font not in the bag is a copy of the ambient font: the control pins its
  // fonts' size, and the container's own font must not change.
  txt_->SetFont(ToFont(bag.Read("Font", Variant(CopyFont(container_.AmbientFont()))), "Font"));
  cmd_->SetFont(ToFont(bag.Read("Font_Grid", Variant(CopyFont(container_.AmbientFont()))), "Font_Grid"));
  txt_->SetForeColor(ToColour(bag.Read("ForeColor", Colore(kWindowText)), "ForeColor"));
  txt_->SetBackColor(ToColour(bag.Read("BackColor", Colore(kWindowBackground)), "BackColor"));
  pct_->SetAppearance(ToInteger(bag.Read("Appearance", Variant(int16_t{1})), "Appearance"));
  pct_->SetBorderStyle(ToInteger(bag.Read("BorderStyle", Variant(int16_t{1})), "BorderStyle"));
  txt_->SetAlignment(ToInteger(bag.Read("Alignment", Variant(int16_t{0})), "Alignment"));
  TipoPulsanteMemorizzato = ToByte(bag.Read("TipoPulsante", Variant(int16_t{0})), "TipoPulsante");
  StileCboMemorizzato = ToByte(bag.Read("StileCbo", Variant(int16_t{0})), "StileCbo");
  Separatore_RecordMemorizzato = ToByte(bag.Read("Separatore_Record", Variant(int16_t{0})), "Separatore_Record");
  Record_SelectorMemorizzato = ToBool(bag.Read("Record_Selector", Variant(true)), "Record_Selector");
  Text_ColumnMemorizzato = ToText(bag.Read("Text_Column", Variant("")), "Text_Column");
  Bound_ColumnMemorizzato = ToText(bag.Read("Bound_Column", Variant("")), "Bound_Column");
  Rows_CountMemorizzato = ToByte(bag.Read("Rows_Count", Variant(int16_t{8})), "Rows_Count");
  Visualizza_FieldsMemorizzato = ToBool(bag.Read("Visualizza_Fields", Variant(true)), "Visualizza_Fields");
  list_.SetValueMemorizzato(ToText(bag.Read("Value", Variant("")), "Value"));
  TextMemorizzato = ToText(bag.Read("Text", Variant("")), "Text");
  list_.SetListIndexMemorizzato(ToLong(bag.Read("ListIndex", Variant(int16_t{1})), "ListIndex"));
  Griglia_CentrataMemorizzato = ToBool(bag.Read("Griglia_Centrata", Variant(int16_t{0})), "Griglia_Centrata");
  txt_->SetEnabled(ToBool(bag.Read("Enabled", Variant(true)), "Enabled"));
  txt_->SetLocked(ToBool(bag.Read("Locked", Variant(false)), "Locked"));

  DerivaCopieDiLavoro();

  RowHeightMemorizzato = ToLong(bag.Read("RowHeight", Variant(int16_t{225})), "RowHeight");
  shared_.SetAltezzaRigaGriglia(RowHeightMemorizzato);
  AltezzaIntestMemorizzato = ToInteger(bag.Read("AltezzaIntest", Variant(int16_t{300})), "AltezzaIntest");
  config_.AltezzaIntestazione = AltezzaIntestMemorizzato;
  ColoreSfondoGridMemorizzato = ToColour(bag.Read("ColoreSfondoGrid", Variant(int16_t{0})), "ColoreSfondoGrid");
  config_.ColSfondoGriglia = ColoreSfondoGridMemorizzato;
  config_.GrigliaAlCentro = Griglia_CentrataMemorizzato;

  DisponiControlli();
  AggiornaFontGriglia();
}

}  // namespace cbo
