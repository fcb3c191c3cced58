#pragma once
// The state that every control of one host application shares: list building
// in progress, the last search criteria, and the drop-down window's
// module-wide variables (there is one drop-down window and one user). The
// host owns one and hands it to every control it creates, so two hosts in one
// process stay apart. What belongs to one control's list (its staged row, its
// selected index, its last text) is that control's own.
#include <cstdint>
#include <memory>

#include "list/list_state.hpp"

namespace cbo {

class Platform;
class FrmGriglia;

// The list store's share (CaricamentoInCorso, CriterioRicerca) is its base.
struct ProcessState : ListState {
  explicit ProcessState(Platform& p) : platform(p) {}

  Platform& platform;

  // The drop-down window's module-wide variables.
  bool GrigliaAperta = false;
  double AltezzaRigaGriglia = 0;
  int32_t RettLeft = 0, RettTop = 0, RettRight = 0, RettBottom = 0;
  double SpessoreRiga = 0;
  int32_t HwndFrmGriglia = 0, HwndMSF = 0, HwndPct1 = 0;

  // The single grid window instance; none while no window is prepared.
  std::shared_ptr<FrmGriglia> Griglia;
};

}  // namespace cbo
