// The table of the persisted properties. Each entry says, in one place, how
// the property is called by name, what the settings keep of it and how a
// value read back is applied; the readers of the table are in
// type_library.cpp, dispatch.cpp and persistence.cpp.
#include "control/property_table.hpp"

#include <vector>

#include "control/cbo_varno.hpp"
#include "list/list_store.hpp"
#include "list/table/recordset.hpp"
#include "platform/text.hpp"

namespace cbo {

namespace {

Variant Colore(Colour c) { return Variant(ColourAsLong(c)); }
Colour AsColour(const Variant& v) { return static_cast<Colour>(v.AsLong()); }

const char* kDescTesto = "Restituisce o imposta il testo contenuto nel controllo.";

}  // namespace

// The table's entries reach the control's stored values and constituents.
struct PropertyAccess {
  using C = CboVarno;
  static constexpr DefaultKind Fixed = DefaultKind::Value;
  static constexpr DefaultKind Ambient = DefaultKind::AmbientFont;

  static std::vector<PropertyInfo> Build() {
    // One entry a row, laid out by hand so that each reads as a record.
    // clang-format off
    return {
        {4, "Font", "Font", "Restituisce un oggetto Font.",
         [](C& c) { return Variant(c.Font()); },
         [](C& c, const Variant& v) { c.SetFont(v.AsFont()); },
         [](C& c) { return Variant(c.txt_->Font()); },
         [](C& c, const Variant& v) { c.txt_->SetFont(ToFont(v, "Font")); },
         Ambient, Variant(), ReadStep::Fonts, false, "Font"},
        {5, "TipoPulsante", "TipoPulsante", "",
         [](C& c) { return Variant(c.TipoPulsante()); },
         [](C& c, const Variant& v) { c.SetTipoPulsante(v.AsLong()); },
         [](C& c) { return Variant(c.TipoPulsanteMemorizzato); },
         [](C& c, const Variant& v) { c.TipoPulsanteMemorizzato = ToByte(v, "TipoPulsante"); },
         Fixed, Variant(int16_t{0}), ReadStep::Settings, true, "TipoPulsante"},
        {6, "StileCbo", "StileCbo", "",
         [](C& c) { return Variant(c.StileCbo()); },
         [](C& c, const Variant& v) { c.SetStileCbo(v.AsLong()); },
         [](C& c) { return Variant(c.StileCboMemorizzato); },
         [](C& c, const Variant& v) { c.StileCboMemorizzato = ToByte(v, "StileCbo"); },
         Fixed, Variant(int16_t{0}), ReadStep::Settings, true, "StileCbo"},
        {7, "ForeColor", "Colour",
         "Restituisce o imposta il colore di primo piano utilizzato per la visualizzazione di testo e grafica in "
         "un oggetto.",
         [](C& c) { return Colore(c.ForeColor()); },
         [](C& c, const Variant& v) { c.SetForeColor(AsColour(v)); },
         [](C& c) { return Colore(c.txt_->ForeColor()); },
         [](C& c, const Variant& v) { c.txt_->SetForeColor(ToColour(v, "ForeColor")); },
         Fixed, Colore(kWindowText), ReadStep::Looks, false, "ForeColor"},
        {8, "BackColor", "Colour",
         "Restituisce o imposta il colore di sfondo utilizzato per la visualizzazione di testo e grafica in un "
         "oggetto.",
         [](C& c) { return Colore(c.BackColor()); },
         [](C& c, const Variant& v) { c.SetBackColor(AsColour(v)); },
         [](C& c) { return Colore(c.txt_->BackColor()); },
         [](C& c, const Variant& v) { c.txt_->SetBackColor(ToColour(v, "BackColor")); },
         Fixed, Colore(kWindowBackground), ReadStep::Looks, false, "BackColor"},
        {9, "Appearance", "ApparenceVrn",
         "Restituisce o imposta un valore che indica se un oggetto viene ridisegnato con effetti "
         "tridimensionali in fase di esecuzione.",
         [](C& c) { return Variant(c.Appearance()); },
         [](C& c, const Variant& v) { c.SetAppearance(v.AsLong()); },
         [](C& c) { return Variant(c.pct_->Appearance()); },
         [](C& c, const Variant& v) { c.pct_->SetAppearance(ToInteger(v, "Appearance")); },
         Fixed, Variant(int16_t{1}), ReadStep::Looks, false, "Appearance"},
        {10, "BorderStyle", "BorderStyleVrn", "Restituisce o imposta lo stile del bordo di un oggetto.",
         [](C& c) { return Variant(c.BorderStyle()); },
         [](C& c, const Variant& v) { c.SetBorderStyle(v.AsLong()); },
         [](C& c) { return Variant(c.pct_->BorderStyle()); },
         [](C& c, const Variant& v) { c.pct_->SetBorderStyle(ToInteger(v, "BorderStyle")); },
         Fixed, Variant(int16_t{1}), ReadStep::Looks, false, "BorderStyle"},
        {11, "Alignment", "AgglignVrn",
         "Restituisce o imposta il valore dell'allineamento di un controllo CheckBox o OptionButton o del testo "
         "di un controllo.",
         [](C& c) { return Variant(c.Alignment()); },
         [](C& c, const Variant& v) { c.SetAlignment(v.AsLong()); },
         [](C& c) { return Variant(c.txt_->Alignment()); },
         [](C& c, const Variant& v) { c.txt_->SetAlignment(ToInteger(v, "Alignment")); },
         Fixed, Variant(int16_t{0}), ReadStep::Looks, false, "Alignment"},
        {15, "Separatore_Record", "Tipo_Separatore_Celle", "",
         [](C& c) { return Variant(c.Separatore_Record()); },
         [](C& c, const Variant& v) { c.SetSeparatore_Record(v.AsLong()); },
         [](C& c) { return Variant(c.Separatore_RecordMemorizzato); },
         [](C& c, const Variant& v) { c.Separatore_RecordMemorizzato = ToByte(v, "Separatore_Record"); },
         Fixed, Variant(int16_t{0}), ReadStep::Settings, true, "Separatore_Record"},
        {16, "Record_Selector", "Boolean", "",
         [](C& c) { return Variant(c.Record_Selector()); },
         [](C& c, const Variant& v) { c.SetRecord_Selector(v.AsBool()); },
         [](C& c) { return Variant(c.Record_SelectorMemorizzato); },
         [](C& c, const Variant& v) { c.Record_SelectorMemorizzato = ToBool(v, "Record_Selector"); },
         Fixed, Variant(true), ReadStep::Settings, true, "Record_Selector"},
        {17, "Text_Column", "String", "",
         [](C& c) { return Variant(c.Text_Column()); },
         [](C& c, const Variant& v) { c.SetText_Column(v.AsString()); },
         [](C& c) { return Variant(c.Text_ColumnMemorizzato); },
         [](C& c, const Variant& v) { c.Text_ColumnMemorizzato = ToText(v, "Text_Column"); },
         Fixed, Variant(""), ReadStep::Settings, true, "Text_Column"},
        {18, "Bound_Column", "String", "",
         [](C& c) { return Variant(c.Bound_Column()); },
         [](C& c, const Variant& v) { c.SetBound_Column(v.AsString()); },
         [](C& c) { return Variant(c.Bound_ColumnMemorizzato); },
         [](C& c, const Variant& v) { c.Bound_ColumnMemorizzato = ToText(v, "Bound_Column"); },
         Fixed, Variant(""), ReadStep::Settings, true, "Bound_Column"},
        {19, "Rows_Count", "Byte", "",
         [](C& c) { return Variant(c.Rows_Count()); },
         [](C& c, const Variant& v) { c.SetRows_Count(v.AsByte()); },
         [](C& c) { return Variant(c.Rows_CountMemorizzato); },
         [](C& c, const Variant& v) { c.Rows_CountMemorizzato = ToByte(v, "Rows_Count"); },
         Fixed, Variant(int16_t{8}), ReadStep::Settings, true, "Rows_Count"},
        {20, "Visualizza_Fields", "Boolean", "",
         [](C& c) { return Variant(c.Visualizza_Fields()); },
         [](C& c, const Variant& v) { c.SetVisualizza_Fields(v.AsBool()); },
         [](C& c) { return Variant(c.Visualizza_FieldsMemorizzato); },
         [](C& c, const Variant& v) { c.Visualizza_FieldsMemorizzato = ToBool(v, "Visualizza_Fields"); },
         Fixed, Variant(true), ReadStep::Settings, true, "Visualizza_Fields"},
        {21, "Font_Grid", "Font", "",
         [](C& c) { return Variant(c.Font_Grid()); },
         [](C& c, const Variant& v) { c.SetFont_Grid(v.AsFont()); },
         [](C& c) { return Variant(c.cmd_->Font()); },
         [](C& c, const Variant& v) { c.cmd_->SetFont(ToFont(v, "Font_Grid")); },
         Ambient, Variant(), ReadStep::Fonts, false, "Font_Grid"},
        {22, "Value", "String", kDescTesto,
         [](C& c) { return Variant(c.Value()); },
         [](C& c, const Variant& v) { c.SetValue(v.AsString()); },
         [](C& c) { return Variant(c.list_->ValueMemorizzato()); },
         [](C& c, const Variant& v) { c.list_->SetValueMemorizzato(ToText(v, "Value")); },
         Fixed, Variant(""), ReadStep::Settings, true, "Value"},
        {23, "Text", "String", kDescTesto,
         [](C& c) { return Variant(c.Text()); },
         [](C& c, const Variant& v) { c.SetText(v.AsString()); },
         [](C& c) { return Variant(c.TextMemorizzato); },
         [](C& c, const Variant& v) { c.TextMemorizzato = ToText(v, "Text"); },
         Fixed, Variant(""), ReadStep::Settings, true, "Text"},
        {25, "ListIndex", "Long", "",
         [](C& c) { return Variant(c.ListIndex()); },
         [](C& c, const Variant& v) { c.SetListIndex(v.AsLong()); },
         [](C& c) { return Variant(c.list_->ListIndexMemorizzato()); },
         [](C& c, const Variant& v) { c.list_->SetListIndexMemorizzato(ToLong(v, "ListIndex")); },
         Fixed, Variant(int16_t{1}), ReadStep::Settings, true, "ListIndex"},
        {26, "Griglia_Centrata", "Boolean", "",
         [](C& c) { return Variant(c.Griglia_Centrata()); },
         [](C& c, const Variant& v) { c.SetGriglia_Centrata(v.AsBool()); },
         [](C& c) { return Variant(c.Griglia_CentrataMemorizzato); },
         [](C& c, const Variant& v) { c.Griglia_CentrataMemorizzato = ToBool(v, "Griglia_Centrata"); },
         Fixed, Variant(int16_t{0}), ReadStep::Settings, true, "Griglia_Centrata"},
        {27, "Enabled", "Boolean",
         "Restituisce o imposta un valore che determina se un oggetto è in grado di rispondere agli eventi "
         "generati dall'utente.",
         [](C& c) { return Variant(c.Enabled()); },
         [](C& c, const Variant& v) { c.SetEnabled(v.AsBool()); },
         [](C& c) { return Variant(c.txt_->Enabled()); },
         [](C& c, const Variant& v) { c.txt_->SetEnabled(ToBool(v, "Enabled")); },
         Fixed, Variant(true), ReadStep::Settings, false, "Enabled"},
        {28, "Locked", "Boolean", "Determina se un controllo può essere modificato.",
         [](C& c) { return Variant(c.Locked()); },
         [](C& c, const Variant& v) { c.SetLocked(v.AsBool()); },
         [](C& c) { return Variant(c.txt_->Locked()); },
         [](C& c, const Variant& v) { c.txt_->SetLocked(ToBool(v, "Locked")); },
         Fixed, Variant(false), ReadStep::Settings, false, "Locked"},
        {29, "RowHeight", "Long", "",
         [](C& c) { return Variant(c.RowHeight()); },
         [](C& c, const Variant& v) { c.SetRowHeight(v.AsLong()); },
         [](C& c) { return Variant(c.RowHeightMemorizzato); },
         [](C& c, const Variant& v) {
           c.RowHeightMemorizzato = ToLong(v, "RowHeight");
           c.shared_.SetAltezzaRigaGriglia(c.RowHeightMemorizzato);
         },
         Fixed, Variant(int16_t{225}), ReadStep::AfterCopies, true, "RowHeight"},
        {30, "AltezzaIntest", "Integer", "",
         [](C& c) { return Variant(c.AltezzaIntest()); },
         [](C& c, const Variant& v) { c.SetAltezzaIntest(v.AsInteger()); },
         [](C& c) { return Variant(c.AltezzaIntestMemorizzato); },
         [](C& c, const Variant& v) {
           c.AltezzaIntestMemorizzato = ToInteger(v, "AltezzaIntest");
           c.config_.AltezzaIntestazione = c.AltezzaIntestMemorizzato;
         },
         Fixed, Variant(int16_t{300}), ReadStep::AfterCopies, true, "AltezzaIntest"},
        {31, "ColoreSfondoGrid", "Colour", "",
         [](C& c) { return Colore(c.ColoreSfondoGrid()); },
         [](C& c, const Variant& v) { c.SetColoreSfondoGrid(AsColour(v)); },
         [](C& c) { return Colore(c.ColoreSfondoGridMemorizzato); },
         [](C& c, const Variant& v) {
           c.ColoreSfondoGridMemorizzato = ToColour(v, "ColoreSfondoGrid");
           c.config_.ColSfondoGriglia = c.ColoreSfondoGridMemorizzato;
         },
         Fixed, Variant(int16_t{0}), ReadStep::AfterCopies, true, "ColoreSfondoGrid"},
        {32, "FilterMode", "CboFilterMode", "Returns or sets how the drop-down filters its rows by the typed text.",
         [](C& c) { return Variant(c.FilterMode()); },
         [](C& c, const Variant& v) { c.SetFilterMode(v.AsLong()); },
         [](C& c) { return Variant(c.FilterMode()); },
         [](C& c, const Variant& v) { c.config_.FilterMode = C::CheckedFilterMode(ToLong(v, "FilterMode")); },
         Fixed, Variant(int32_t{0}), ReadStep::AfterCopies, true, "filterMode", false},
        {33, "FilterColumns", "String", "Returns or sets the fields the drop-down's filter searches, separated by commas.",
         [](C& c) { return Variant(c.FilterColumns()); },
         [](C& c, const Variant& v) { c.SetFilterColumns(v.AsString()); },
         [](C& c) { return Variant(c.FilterColumns()); },
         [](C& c, const Variant& v) { c.config_.FilterColumns = c.CheckedFilterColumns(ToText(v, "FilterColumns")); },
         Fixed, Variant(std::string()), ReadStep::AfterCopies, true, "filterColumns", false},
    };
    // clang-format on
  }
};

std::span<const PropertyInfo> Properties() {
  static const std::vector<PropertyInfo> table = PropertyAccess::Build();
  return table;
}

const PropertyInfo* FindProperty(const std::string& name) {
  const std::string folded = FoldCase(name);
  for (const PropertyInfo& p : Properties())
    if (FoldCase(p.Name) == folded) return &p;
  return nullptr;
}

}  // namespace cbo
