#pragma once
// The state that every control of one host application shares: the staged
// row, list building in progress, the last criteria and texts, and the
// drop-down window's module-wide variables. The host owns one and hands it to
// every control it creates, so two hosts in one process stay apart.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/variant.hpp"

namespace cbo {

class Platform;
class FrmGriglia;

// One slot of the staged row: the field name as the host wrote it and the value.
struct SlotRiga {
  std::string Nome;
  Variant Valore;
};

struct ProcessState {
  explicit ProcessState(Platform& p) : platform(p) {}

  Platform& platform;

  // List store and text entry.
  bool CaricamentoInCorso = false;
  std::vector<SlotRiga> RigaPreparata;
  std::string CriterioRicerca;
  std::string UltimoTesto;
  int32_t IndiceSelezionato = 0;

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
