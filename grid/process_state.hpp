#pragma once
// The state that every control of one host application shares: list building
// in progress, the last search criteria, and the drop-down window's
// module-wide variables (there is one drop-down window and one user). The
// host owns one and hands it to every control it creates, so two hosts in one
// process stay apart. What belongs to one control's list (its staged row, its
// selected index, its last text) is that control's own.
//
// The variables follow the convention in list/list_state.hpp (private
// `Name_`, read as `Name()`, changed by named writers).
#include <cstdint>
#include <memory>
#include <utility>

#include "list/list_state.hpp"

namespace cbo {

class Platform;
class FrmGriglia;

// The list store's share (CaricamentoInCorso, CriterioRicerca) is its base.
class ProcessState : public ListState {
public:
  explicit ProcessState(Platform& p) : platform(p) {}
  // One per host: a copy would be a second, diverging shared state.
  ProcessState(const ProcessState&) = delete;
  ProcessState& operator=(const ProcessState&) = delete;

  Platform& platform;

  // --- The drop-down window's module-wide variables, read-only. ---
  bool GrigliaAperta() const { return GrigliaAperta_; }
  double AltezzaRigaGriglia() const { return AltezzaRigaGriglia_; }
  int32_t RettLeft() const { return RettLeft_; }
  int32_t RettTop() const { return RettTop_; }
  int32_t RettRight() const { return RettRight_; }
  int32_t RettBottom() const { return RettBottom_; }
  double SpessoreRiga() const { return SpessoreRiga_; }
  int32_t HwndFrmGriglia() const { return HwndFrmGriglia_; }
  int32_t HwndMSF() const { return HwndMSF_; }
  int32_t HwndPct1() const { return HwndPct1_; }
  // The single grid window instance; none while no window is prepared.
  const std::shared_ptr<FrmGriglia>& Griglia() const { return Griglia_; }

  // --- Their writers. ---
  // A control opens its drop-down; ChiudiGriglia (grid/module1.cpp) closes it.
  void SetGrigliaAperta(bool v) { GrigliaAperta_ = v; }
  // The control's RowHeight.
  void SetAltezzaRigaGriglia(double v) { AltezzaRigaGriglia_ = v; }
  // LeggiRettangoloControllo (grid/module1.cpp): the control's screen rectangle.
  void SetRettLeft(int32_t v) { RettLeft_ = v; }
  void SetRettTop(int32_t v) { RettTop_ = v; }
  void SetRettRight(int32_t v) { RettRight_ = v; }
  void SetRettBottom(int32_t v) { RettBottom_ = v; }
  // CalcolaSpazioSeparatori (grid/module1.cpp): one row's divider.
  void SetSpessoreRiga(double v) { SpessoreRiga_ = v; }
  // The window, once prepared (grid/lifecycle.cpp): its handles.
  void SetHwndFrmGriglia(int32_t v) { HwndFrmGriglia_ = v; }
  void SetHwndMSF(int32_t v) { HwndMSF_ = v; }
  void SetHwndPct1(int32_t v) { HwndPct1_ = v; }
  // A control creates the instance; ChiudiGriglia drops it (nullptr).
  void SetGriglia(std::shared_ptr<FrmGriglia> g) { Griglia_ = std::move(g); }

private:
  bool GrigliaAperta_ = false;
  double AltezzaRigaGriglia_ = 0;
  int32_t RettLeft_ = 0, RettTop_ = 0, RettRight_ = 0, RettBottom_ = 0;
  double SpessoreRiga_ = 0;
  int32_t HwndFrmGriglia_ = 0, HwndMSF_ = 0, HwndPct1_ = 0;
  std::shared_ptr<FrmGriglia> Griglia_;
};

}  // namespace cbo
