#include "apps/cbo-demo/demo_window.hpp"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <QSettings>

#include "platform/error.hpp"

namespace cbo::demo {

const char* NomeStile(int stile) {
  switch (stile) {
    case 0: return "TextBox";
    case 1: return "ComboBox";
    default: return "ListCombo";
  }
}

DemoWindow::DemoWindow(QWidget* parent) : QWidget(parent) {
  setWindowTitle(QStringLiteral("CboVarno: tre stili"));
  auto* layout = new QVBoxLayout(this);
  auto* griglia = new QGridLayout();
  layout->addLayout(griglia);

  // The shortcut letters reach each control through its label.
  const char* descrizioni[kControlli] = {"&TextBox: testo libero", "C&omboBox: completa dal listino, filtra per parola",
                                         "&ListCombo: sempre una riga del listino"};
  for (int stile = 0; stile < kControlli; ++stile) {
    auto* c = new CboVarnoWidget(this);
    c->setObjectName(QString::fromLatin1(NomeStile(stile)));
    c->setMinimumWidth(360);
    c->setStileCbo(static_cast<CboVarnoWidget::StileCbo>(stile));
    c->setTipoPulsante(stile == 2 ? CboVarnoWidget::FrecciaBlu : CboVarnoWidget::FrecciaNera);
    c->setSeparatore_Record(stile == 2 ? CboVarnoWidget::Grigia_Illuminata : CboVarnoWidget::Linea_Grigia);
    c->setRows_Count(12);
    // The ComboBox's drop-down filters its rows by what the user types.
    if (stile == 1) c->setFilterMode(CboVarnoWidget::FilterContains);
    controlli_[static_cast<size_t>(stile)] = c;

    auto* etichetta = new QLabel(QString::fromUtf8(descrizioni[stile]), this);
    etichetta->setBuddy(c);
    griglia->addWidget(etichetta, stile * 2, 0);
    griglia->addWidget(c, stile * 2, 1);
    auto* stato = new QLabel(this);
    {
      // A quieter shade of the window's text, readable on a light window
      // and on a dark one.
      QPalette quiet = stato->palette();
      const QColor text = quiet.color(QPalette::WindowText), back = quiet.color(QPalette::Window);
      quiet.setColor(QPalette::WindowText,
                     QColor((text.red() * 3 + back.red()) / 4, (text.green() * 3 + back.green()) / 4,
                            (text.blue() * 3 + back.blue()) / 4));
      stato->setPalette(quiet);
    }
    griglia->addWidget(stato, stile * 2 + 1, 1);
    stato_[static_cast<size_t>(stile)] = stato;
    Ascolta(stile, *c);
  }

  // A million rows that stay in their database: the list reads the ones it
  // shows.
  live_ = new CboVarnoWidget(this);
  live_->setObjectName(QStringLiteral("Clienti"));
  live_->setMinimumWidth(360);
  live_->setStileCbo(CboVarnoWidget::ComboBox);
  live_->setRows_Count(12);
  // Its drop-down filters the million rows in the database too.
  live_->setFilterMode(CboVarnoWidget::FilterContains);
  auto* etichettaLive = new QLabel(QStringLiteral("Cl&ienti: un milione di righe lette dal database"), this);
  etichettaLive->setBuddy(live_);
  griglia->addWidget(etichettaLive, kControlli * 2, 0);
  griglia->addWidget(live_, kControlli * 2, 1);
  statoLive_ = new QLabel(this);
  statoLive_->setPalette(stato_[0]->palette());
  griglia->addWidget(statoLive_, kControlli * 2 + 1, 1);

  auto* riquadro = new QGroupBox(QStringLiteral("Ultimi eventi"), this);
  auto* riquadroLayout = new QVBoxLayout(riquadro);
  eventi_ = new QListWidget(riquadro);
  eventi_->setMinimumHeight(130);
  riquadroLayout->addWidget(eventi_);
  layout->addWidget(riquadro);

  auto* fila = new QHBoxLayout();
  percorso_ = new QLineEdit(QStringLiteral("cbo-demo.ini"), this);
  auto* salva = new QPushButton(QStringLiteral("Salva impostazioni"), this);
  auto* carica = new QPushButton(QStringLiteral("Carica impostazioni"), this);
  fila->addWidget(new QLabel(QStringLiteral("File:"), this));
  fila->addWidget(percorso_, 1);
  fila->addWidget(salva);
  fila->addWidget(carica);
  layout->addLayout(fila);
  messaggio_ = new QLabel(this);
  layout->addWidget(messaggio_);

  // A failure is already in the message line; the button has nothing more to do.
  connect(salva, &QPushButton::clicked, this, [this] {
    try {
      Salva(percorso_->text());
    } catch (const Error&) {}
  });
  connect(carica, &QPushButton::clicked, this, [this] {
    try {
      Carica(percorso_->text());
    } catch (const Error&) {}
  });
  AggiornaPannello();
}

// What a host hears from a control: its events, the rows chosen, the
// properties changed and the failures of its handlers.
void DemoWindow::Ascolta(int stile, CboVarnoWidget& c) {
  auto nota = [this, stile](const char* evento) {
    return [this, stile, evento] { Annota(stile, QString::fromLatin1(evento)); };
  };
  connect(&c, &CboVarnoWidget::clicked, this, nota("Click"));
  connect(&c, &CboVarnoWidget::doubleClicked, this, nota("DblClick"));
  connect(&c, &CboVarnoWidget::keyDown, this, nota("KeyDown"));
  connect(&c, &CboVarnoWidget::keyPress, this, nota("KeyPress"));
  connect(&c, &CboVarnoWidget::keyUp, this, nota("KeyUp"));
  connect(&c, &CboVarnoWidget::mouseDown, this, nota("MouseDown"));
  connect(&c, &CboVarnoWidget::mouseUp, this, nota("MouseUp"));
  connect(&c, &CboVarnoWidget::changed, this, nota("Change"));
  connect(&c, &CboVarnoWidget::rowChosen, this,
          [this, stile](int listIndex) { Annota(stile, QStringLiteral("rowChosen(%1)").arg(listIndex)); });
  connect(&c, &CboVarnoWidget::propertyChanged, this, [this](const QString&) { AggiornaPiuTardi(); });
  connect(&c, &CboVarnoWidget::errorOccurred, this, [this, stile](const QString& m, const QString& msg) {
    messaggio_->setText(QString::fromLatin1(NomeStile(stile)) + QStringLiteral(" ") + m + QStringLiteral(": ") + msg);
  });
}

// The places' columns: the postal code right-aligned and not sortable, the
// code hidden.
void DemoWindow::LayOutSampleColumns(CboVarnoWidget& w) {
  CboVarno& c = w.control();
  c.AddField("Comune", "Comune", true, 2300, Linea_Grigia);
  c.AddField("Provincia", "Provincia", true, 2100, Grigia_Illuminata);
  c.AddField("Regione", "Regione", true, 2000, Linea_Nera);
  c.AddField("CAP", "CAP", true, 800, Raised, "", Destra, false, false, false);
  c.AddField("Codice", "Codice", false, 900, Nessuna_Divisione);
}

void DemoWindow::ShowMessage(const QString& text) { messaggio_->setText(text); }

// One INI group per style. Settings that cannot be written or read, and a
// value a control refuses, stop with an error that says why; a control whose
// settings cannot be read keeps its properties.
void DemoWindow::Salva(const QString& path) {
  QSettings file(path, QSettings::IniFormat);
  QString why;
  for (int stile = 0; stile < kControlli; ++stile) {
    QMetaObject::Connection reason = connect(&Controllo(stile), &CboVarnoWidget::errorOccurred, this,
                                             [&why](const QString&, const QString& message) { why = message; });
    const bool saved = Controllo(stile).saveSettings(file, QString::fromLatin1(NomeStile(stile)));
    disconnect(reason);
    if (!saved) {
      messaggio_->setText(QStringLiteral("Impossibile scrivere ") + path);
      throw Error(ErrorKind::Widget, "Salva: " + why.toStdString());
    }
  }
  messaggio_->setText(QStringLiteral("Impostazioni salvate in ") + path);
}

void DemoWindow::Carica(const QString& path) {
  QSettings file(path, QSettings::IniFormat);
  try {
    for (int stile = 0; stile < kControlli; ++stile) {
      QString why;
      QMetaObject::Connection reason = connect(&Controllo(stile), &CboVarnoWidget::errorOccurred, this,
                                               [&why](const QString&, const QString& message) { why = message; });
      const bool loaded = Controllo(stile).loadSettings(file, QString::fromLatin1(NomeStile(stile)));
      disconnect(reason);
      if (!loaded) throw Error(ErrorKind::Widget, "Carica: " + why.toStdString());
    }
    messaggio_->setText(QStringLiteral("Impostazioni caricate da ") + path);
  } catch (const Error& e) {
    messaggio_->setText(QString::fromUtf8(e.what()));
    throw;
  }
  AggiornaPiuTardi();
}

void DemoWindow::Annota(int stile, const QString& evento) {
  eventi_->insertItem(0, QString::fromLatin1(NomeStile(stile)) + QStringLiteral(": ") + evento);
  while (eventi_->count() > 40) delete eventi_->takeItem(eventi_->count() - 1);
  AggiornaPiuTardi();
}

// The panel reads the controls once their handlers have finished, never from
// inside one.
void DemoWindow::AggiornaPiuTardi() {
  if (aggiornamentoPendente_) return;
  aggiornamentoPendente_ = true;
  QTimer::singleShot(0, this, [this] {
    aggiornamentoPendente_ = false;
    AggiornaPannello();
  });
}

void DemoWindow::AggiornaPannello() {
  // Not while a list is being filled: LoadRows brings it up to date after.
  if (loading_) return;
  for (int stile = 0; stile < kControlli; ++stile) {
    CboVarnoWidget& c = Controllo(stile);
    QString riga;
    try {
      riga = QStringLiteral("Text: «%1»  Value: «%2»  ListIndex: %3")
                 .arg(c.text(), c.value(), QString::number(c.listIndex()));
    } catch (const Error& e) {
      riga = QString::fromUtf8(e.what());
    }
    stato_[static_cast<size_t>(stile)]->setText(riga);
  }
}

QString DemoWindow::Pannello() const {
  QStringList righe;
  for (QLabel* l : stato_) righe << l->text();
  return righe.join(QLatin1Char('\n'));
}

}  // namespace cbo::demo
