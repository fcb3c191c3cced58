// Value and ListIndex: the chosen row by bound value or by row index.
#include "list/list_store.hpp"
#include "platform/scoped_flag.hpp"

namespace cbo {

std::string ListStore::Value() { return ToText(EseguiBoundColumn(LeggiDaBoundColumn, Variant("")), "Value"); }

void ListStore::SetValue(const std::string& v) {
  if (NumMtCol_ == 0 || !HaRighe()) return;
  ScopedFlag nonMostrare(NonMostrareLista_);
  Variant risultato = EseguiBoundColumn(SettaDaBoundColumn, Variant(v));
  ValueMemorizzato_ = ToText(risultato, "Value");
  propertyChanged_("Value");
}

int32_t ListStore::ListIndex() { return EseguiListIndex(LeggiDaListIndex, 0); }

void ListStore::SetListIndex(int32_t v) {
  ScopedFlag nonMostrare(NonMostrareLista_);
  ListIndexMemorizzato_ = EseguiListIndex(SettaDaListIndex, v);
  propertyChanged_("ListIndex");
}

}  // namespace cbo
