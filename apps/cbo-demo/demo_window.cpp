#include "apps/cbo-demo/demo_window.hpp"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "apps/cbo-demo/sample_data.hpp"
#include "apps/cbo-demo/settings.hpp"
#include "control/type_library.hpp"
#include "platform/error.hpp"

namespace cbo::demo {

const char* NomeStile(int stile) {
  switch (stile) {
    case 0: return "TextBox";
    case 1: return "ComboBox";
    default: return "ListCombo";
  }
}

namespace {

QString Testo(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

DemoWindow::DemoWindow(qt::QtPlatform& platform, ProcessState& shared, QWidget* parent) : QWidget(parent) {
  setWindowTitle(QStringLiteral("CboVarno: tre stili"));
  auto* layout = new QVBoxLayout(this);
  auto* griglia = new QGridLayout();
  layout->addLayout(griglia);

  const char* descrizioni[kControlli] = {"TextBox: testo libero", "ComboBox: completa dal listino",
                                         "ListCombo: sempre una riga del listino"};
  for (int stile = 0; stile < kControlli; ++stile) {
    auto* contenitore = new qt::QtContainer(platform, this);
    contenitore->setObjectName(QString::fromLatin1(NomeStile(stile)));
    auto control = CreateObject("CboVarno", *contenitore, shared);
    CboVarno& c = contenitore->Adopt(std::move(control));
    contenitore->InitProperties();
    contenitore->SetWidth(5400);
    contenitore->setMinimumWidth(360);
    c.SetStileCbo(stile);
    c.SetTipoPulsante(stile == 2 ? 3 : 0);
    c.SetSeparatore_Record(stile == 2 ? 6 : 2);
    c.SetRows_Count(12);
    Riempi(c);
    contenitori_[static_cast<size_t>(stile)] = contenitore;
    controlli_[static_cast<size_t>(stile)] = &c;

    griglia->addWidget(new QLabel(QString::fromUtf8(descrizioni[stile]), this), stile * 2, 0);
    griglia->addWidget(contenitore, stile * 2, 1);
    auto* stato = new QLabel(this);
    stato->setStyleSheet(QStringLiteral("color: #335"));
    griglia->addWidget(stato, stile * 2 + 1, 1);
    stato_[static_cast<size_t>(stile)] = stato;

    connect(contenitore, &qt::QtContainer::eventRaised, this,
            [this, stile](int, const QString& name) { Annota(stile, name); });
    connect(contenitore, &qt::QtContainer::propertyChanged, this, [this](const QString&) { AggiornaPiuTardi(); });
    connect(contenitore, &qt::QtContainer::handlerError, this, [this, stile](const QString& m, const QString& msg) {
      messaggio_->setText(QString::fromLatin1(NomeStile(stile)) + QStringLiteral(" ") + m + QStringLiteral(": ") + msg);
    });
  }

  auto* riquadro = new QGroupBox(QStringLiteral("Ultimi eventi"), this);
  auto* riquadroLayout = new QVBoxLayout(riquadro);
  eventi_ = new QListWidget(riquadro);
  eventi_->setMinimumHeight(130);
  riquadroLayout->addWidget(eventi_);
  layout->addWidget(riquadro);

  auto* fila = new QHBoxLayout();
  percorso_ = new QLineEdit(QStringLiteral("cbo-demo.settings"), this);
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
    } catch (const Error&) {
    }
  });
  connect(carica, &QPushButton::clicked, this, [this] {
    try {
      Carica(percorso_->text());
    } catch (const Error&) {
    }
  });
  AggiornaPannello();
}

void DemoWindow::Riempi(CboVarno& c) {
  c.AddField("Comune", "Comune", true, 2300, 2);
  c.AddField("Provincia", "Provincia", true, 2100, 6);
  c.AddField("Regione", "Regione", true, 2000, 1);
  // The postal code is right-aligned and cannot be sorted by.
  c.AddField("CAP", "CAP", true, 800, 3, "", 1, false, false, false);
  c.AddField("Codice", "Codice", false, 900, 0);
  for (const Luogo& l : Luoghi()) {
    c.ListItem("Codice", Variant(l.Codice));
    c.ListItem("Comune", Variant(l.Comune));
    c.ListItem("Provincia", Variant(l.Provincia));
    c.ListItem("Regione", Variant(l.Regione));
    c.ListItem("CAP", Variant(l.Cap));
    c.AddItem();
  }
  c.SetText_Column("Comune");
  c.SetBound_Column("Codice");
}

void DemoWindow::Salva(const QString& path) {
  std::vector<ControlloSalvato> tutti;
  for (int stile = 0; stile < kControlli; ++stile) tutti.push_back({NomeStile(stile), &Controllo(stile)});
  try {
    SalvaImpostazioni(path.toStdString(), tutti);
    messaggio_->setText(QStringLiteral("Impostazioni salvate in ") + path);
  } catch (const Error& e) {
    messaggio_->setText(QString::fromUtf8(e.what()));
    throw;
  }
}

void DemoWindow::Carica(const QString& path) {
  std::vector<ControlloSalvato> tutti;
  for (int stile = 0; stile < kControlli; ++stile) tutti.push_back({NomeStile(stile), &Controllo(stile)});
  try {
    CaricaImpostazioni(path.toStdString(), tutti);
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
  for (int stile = 0; stile < kControlli; ++stile) {
    CboVarno& c = Controllo(stile);
    QString riga;
    try {
      riga = QStringLiteral("Text: «%1»  Value: «%2»  ListIndex: %3")
                 .arg(Testo(c.Text()), Testo(c.Value()), QString::number(c.ListIndex()));
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
