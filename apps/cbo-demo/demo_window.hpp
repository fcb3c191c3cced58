#pragma once
// The demo's window: one CboVarnoWidget per style over rows read from a
// SQLite file (the sample places, or a file of the user's), a fourth one
// over a million customers read where they lie in a database, a live panel of
// each control's Text, Value, ListIndex and its last events and choices, and
// buttons that save the three controls' settings to an INI file (one group
// per style) and load them. Everything here is what a host writes.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QWidget>
#include <array>

#include "apps/cbo-demo/demo_source.hpp"
#include "widget/cbo_varno_widget.hpp"

namespace cbo::demo {

class DemoWindow : public QWidget {
  Q_OBJECT

public:
  // The three controls start with no columns and no rows.
  explicit DemoWindow(QWidget* parent = nullptr);

  // Fills each control from `source` (the places get the demo's own column
  // layout), one fill each, behind a modal progress dialog whose Cancel
  // cancels the fill under way: the controls filled before it keep their
  // rows, the others stay as they were, and the result is false. A failure
  // is a cbo::Error, the control being filled left as it was.
  bool LoadRows(const DemoSource& source);
  // Makes the million customers' file when it is missing (a progress dialog
  // shows while it is made), then attaches its table to the fourth control
  // as a live list. A failure is a cbo::Error (Database).
  void LoadLive(const QString& file);
  CboVarnoWidget& Live() { return *live_; }
  void ShowMessage(const QString& text);

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
  void LayOutSampleColumns(CboVarnoWidget& c);
  void Ascolta(int stile, CboVarnoWidget& c);
  void Annota(int stile, const QString& evento);
  void AggiornaPiuTardi();
  std::array<CboVarnoWidget*, kControlli> controlli_{};
  CboVarnoWidget* live_ = nullptr;  // the live list of customers
  QLabel* statoLive_ = nullptr;     // where its rows are
  std::array<QLabel*, kControlli> stato_{};
  QListWidget* eventi_ = nullptr;
  QLineEdit* percorso_ = nullptr;
  QLabel* messaggio_ = nullptr;
  bool aggiornamentoPendente_ = false;
  bool loading_ = false;  // LoadRows is filling the controls
};

// The style's name as the demo shows it and as its settings group is named.
const char* NomeStile(int stile);

}  // namespace cbo::demo
