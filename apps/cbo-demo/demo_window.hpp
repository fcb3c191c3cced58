#pragma once
// The demo's window: one CboVarno per style over the sample places, a live
// panel of each control's Text, Value, ListIndex and its last events, and
// buttons that save the three controls' settings to a file and load them.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QWidget>
#include <array>

#include "control/cbo_varno.hpp"
#include "platform/process_state.hpp"
#include "platform/qt/qt_platform.hpp"

namespace cbo::demo {

class DemoWindow : public QWidget {
  Q_OBJECT

public:
  DemoWindow(qt::QtPlatform& platform, ProcessState& shared, QWidget* parent = nullptr);

  static constexpr int kControlli = 3;
  CboVarno& Controllo(int stile) { return *controlli_[static_cast<size_t>(stile)]; }
  qt::QtContainer& Contenitore(int stile) { return *contenitori_[static_cast<size_t>(stile)]; }
  QLineEdit& Percorso() { return *percorso_; }
  // Saves or loads the three controls' settings; a failure shows in the
  // window's message line and is passed on.
  void Salva(const QString& path);
  void Carica(const QString& path);
  QString Messaggio() const { return messaggio_->text(); }
  QString Pannello() const;
  // Reads every control now; the window does it by itself once each
  // handler has finished.
  void AggiornaPannello();

private:
  void Riempi(CboVarno& c);
  void Annota(int stile, const QString& evento);
  void AggiornaPiuTardi();
  std::array<qt::QtContainer*, kControlli> contenitori_{};
  std::array<CboVarno*, kControlli> controlli_{};
  std::array<QLabel*, kControlli> stato_{};
  QListWidget* eventi_ = nullptr;
  QLineEdit* percorso_ = nullptr;
  QLabel* messaggio_ = nullptr;
  bool aggiornamentoPendente_ = false;
};

// The style's name as the demo shows it and as its settings are prefixed.
const char* NomeStile(int stile);

}  // namespace cbo::demo
