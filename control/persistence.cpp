// The persisted property set: initialising a newly placed control, writing
// the settings into the container's property bag and reading them back, each
// property as its entry in the property table says.
#include "control/cbo_varno.hpp"
#include "list/list_store.hpp"
#include "control/property_table.hpp"

namespace cbo {

// The copies that the grid window, the list store and the layout work from.
void CboVarno::DerivaCopieDiLavoro() {
  config_.ColGriglia = txt_->BackColor();
  config_.ColTesto = txt_->ForeColor();
  config_.RecSel = Record_SelectorMemorizzato;
  config_.SepRec = Separatore_RecordMemorizzato;
  list_->SetText_Col(Text_ColumnMemorizzato);
  list_->SetBound_Col(Bound_ColumnMemorizzato);
  config_.Rows_Col = Rows_CountMemorizzato;
  config_.Vis_Fields = Visualizza_FieldsMemorizzato;
  list_->SetStileAttivo(StileCboMemorizzato);
  Abilitato_ = txt_->Enabled();
  Bloccato_ = txt_->Locked();
}

void CboVarno::InitProperties() {
  for (const PropertyInfo& p : Properties())
    if (p.InitFromDefault) p.Load(*this, p.Default);
  // A new control derives its working copies as reading does, so that it
  // behaves at once as a control read from its defaults (its button shows
  // when a style with a button is chosen).
  DerivaCopieDiLavoro();
  config_.GrigliaAlCentro = Griglia_CentrataMemorizzato;
  AggiornaFontGriglia();
}

void CboVarno::WriteProperties(IPropertyBag& bag) {
  for (const PropertyInfo& p : Properties()) {
    Variant def = p.DefaultIs == DefaultKind::AmbientFont ? Variant(container_.AmbientFont()) : p.Default;
    Variant stored = p.Stored(*this);
    if (!p.WrittenWhenDefault && stored == def) continue;
    bag.Write(p.Name, stored, def);
  }
  DisponiControlli();
}

void CboVarno::ReadProperties(IPropertyBag& bag) {
  auto readStep = [&](ReadStep step) {
    for (const PropertyInfo& p : Properties()) {
      if (p.Step != step) continue;
      // A font not in the bag is a copy of the ambient font: the control pins
      // its fonts' size, and the container's own font must not change.
      Variant def = p.DefaultIs == DefaultKind::AmbientFont ? Variant(CopyFont(container_.AmbientFont())) : p.Default;
      p.Load(*this, bag.Read(p.Name, def));
    }
  };
  readStep(ReadStep::Fonts);
  readStep(ReadStep::Looks);
  readStep(ReadStep::Settings);
  DerivaCopieDiLavoro();
  readStep(ReadStep::AfterCopies);
  config_.GrigliaAlCentro = Griglia_CentrataMemorizzato;

  DisponiControlli();
  AggiornaFontGriglia();
}

}  // namespace cbo
