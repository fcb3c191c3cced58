// The bulk fill: many rows appended at once, as ListItem and AddItem would.
#include "control/cbo_varno.hpp"
#include "list/list_store.hpp"
#include "platform/scoped_flag.hpp"

namespace cbo {

bool CboVarno::AddRows(RowSource& rows, const FillProgress& progress) {
  ScopedFlag host(operazioneHost_);
  const bool riempita = list_->AddRows(rows, progress);
  GridFollowsTable();  // a fill into a list without columns made a new table
  IndiciDaFare();
  return riempita;
}

void CboVarno::AttachTable(std::shared_ptr<Recordset> table) {
  ScopedFlag host(operazioneHost_);
  list_->AttachTable(std::move(table));
  GridFollowsTable();
  IndiciDaFare();  // a live table's rank maps
}

}  // namespace cbo
