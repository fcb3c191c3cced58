#pragma once
// What every control's list of one host application shares: list building in
// progress (it suspends matching and commits in every control) and the last
// search criterion handed to a table. Part of the host's ProcessState.
#include <string>

namespace cbo {

struct ListState {
  bool CaricamentoInCorso = false;
  std::string CriterioRicerca;
};

}  // namespace cbo
