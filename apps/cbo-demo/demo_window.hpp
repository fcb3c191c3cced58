#pragma once
// The demo's window: one CboVarnoWidget per style over the sample places, a
// live panel of each control's Text, Value, ListIndex and its last events and
// choices, and buttons that save the three controls' settings to an INI file
// (one group per style) and load them. Everything here is what a host writes.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QWidget>
#include <array>

#include "widget/cbo_varno_widget.hpp"

namespace cbo::demo {

class DemoWindow : public QWidget {
  Q_OBJECT

public:
  explicit DemoWindow(QWidget* parent = nullptr);

  static constexpr int kControlli = 3;
  CboVarnoWidget& Controllo(int stile) { return *controlli_[static_cast<size_t>(stile)]; }
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
  void Riempi(CboVarnoWidget& c);
  void Ascolta(int stile, CboVarnoWidget& c);
  void Annota(int stile, const QString& evento);
  void AggiornaPiuTardi();
  std::array<CboVarnoWidget*, kControlli> controlli_{};
  std::array<QLabel*, kControlli> stato_{};
  QListWidget* eventi_ = nullptr;
  QLineEdit* percorso_ = nullptr;
  QLabel* messaggio_ = nullptr;
  bool aggiornamentoPendente_ = false;
};

// The style's name as the demo shows it and as its settings group is named.
const char* NomeStile(int stile);

}  // namespace cbo::demo
