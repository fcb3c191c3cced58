// The list's search indexes, made a slice at a time while the user is idle:
// after the list was filled, its text column changed or the table was sorted
// or searched, a timer ticks every millisecond until the indexes are made,
// each tick a few milliseconds of work. Searches give the same rows with or
// without them; only their time depends on it.
#include "control/cbo_varno.hpp"
#include "list/list_store.hpp"

namespace cbo {

namespace {

// About three to five milliseconds of work a tick.
constexpr int64_t kPassiPerTick = 500000;

}  // namespace

void CboVarno::IndiciDaFare() {
  if (!T_Indici_->Enabled()) T_Indici_->SetEnabled(true);
}

void CboVarno::T_Indici_Timer() {
  bool ancora = false;
  // Not while a fill appends rows that may yet be dropped.
  if (list_->TabellaAperta() && !list_->Riempimento()) {
    Recordset& tabella = *list_->Rcset_Cbo();
    if (!list_->Text_Col().empty() && tabella.FieldNumber(list_->Text_Col()) >= 0)
      tabella.PrepareIndex(list_->Text_Col());
    ancora = tabella.BuildIndexes(kPassiPerTick);
  }
  if (!ancora) T_Indici_->SetEnabled(false);
}

}  // namespace cbo
