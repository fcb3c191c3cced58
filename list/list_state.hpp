#pragma once
// What every control's list of one host application shares: list building in
// progress (it suspends matching and commits in every control) and the last
// search criterion handed to a table. Part of the host's ProcessState.
//
// Convention of the project's state (here, in ProcessState, ListStore,
// FrmGriglia and CboVarno): a variable keeps the design's name with a trailing
// underscore and is private; everyone reads it through the const accessor of
// the design's name, and a class other than the owner changes it only through
// a named writer (Set... or a scope that raises and restores a flag).
#include <string>
#include <utility>

namespace cbo {

class ListState {
public:
  bool CaricamentoInCorso() const { return CaricamentoInCorso_; }
  const std::string& CriterioRicerca() const { return CriterioRicerca_; }

  // The list stores (list building) and the control (commits) raise and lower it.
  void SetCaricamentoInCorso(bool v) { CaricamentoInCorso_ = v; }
  // The criterion about to be handed to a table's Find.
  void SetCriterioRicerca(std::string v) { CriterioRicerca_ = std::move(v); }

private:
  bool CaricamentoInCorso_ = false;
  std::string CriterioRicerca_;
};

}  // namespace cbo
