#include "apps/cbo-demo/tour.hpp"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

#include "apps/cbo-demo/demo_window.hpp"

namespace cbo::demo {

namespace {

// The drop-down window while it is open.
QWidget* OpenGrid() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible() && w->findChild<QTableView*>()) return w;
  }
  return nullptr;
}

int KeyOf(QChar c) {
  const QChar u = c.toUpper();
  if (u >= QLatin1Char('A') && u <= QLatin1Char('Z')) return Qt::Key_A + (u.unicode() - 'A');
  if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) return Qt::Key_0 + (c.unicode() - '0');
  if (c == QLatin1Char(' ')) return Qt::Key_Space;
  return Qt::Key_unknown;
}

}  // namespace

Tour::Tour(DemoWindow& window, QString dir) : window_(window), dir_(std::move(dir)) {
  for (int stile = 0; stile < DemoWindow::kControlli; ++stile) {
    connect(
        &window_.Controllo(stile), &CboVarnoWidget::errorOccurred, this,
        [this](const QString& member, const QString& message) { errors_ << member + QStringLiteral(": ") + message; });
  }
}

void Tour::Start() {
  QDir().mkpath(dir_);
  QTimer::singleShot(0, this, [this] {
    Shot(QStringLiteral("01-tre-stili"));
    QWidget* testo = window_.Controllo(0).focusProxy();
    TypeInto(testo, QStringLiteral("Via Roma 1"));
    Shot(QStringLiteral("02-textbox-testo-libero"));
    QWidget* combo = window_.Controllo(1).focusProxy();
    TypeInto(combo, QStringLiteral("mon"));
    Shot(QStringLiteral("03-combobox-completamento"));
    QWidget* lista = window_.Controllo(2).focusProxy();
    TypeInto(lista, QStringLiteral("cas"));
    Shot(QStringLiteral("04-listcombo-forzato"));
    // The button's release opens the modal grid; the steps inside it run
    // from the queue once its own loop is running.
    QTimer::singleShot(0, this, [this] { InTheGrid(); });
    QWidget* pulsante = window_.Controllo(2).findChild<QToolButton*>();
    Click(pulsante, pulsante->rect().center(), Qt::LeftButton);
    Shot(QStringLiteral("09-scelta-confermata"));
    QTimer::singleShot(0, this, [this] { InTheFilteredGrid(); });
    QWidget* filtrato = window_.Controllo(1).findChild<QToolButton*>();
    Click(filtrato, filtrato->rect().center(), Qt::LeftButton);
    QTimer::singleShot(0, this, [this] { InTheLiveGrid(); });
    QWidget* clienti = window_.Live().findChild<QToolButton*>();
    Click(clienti, clienti->rect().center(), Qt::LeftButton);
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
  });
}

void Tour::InTheGrid() {
  QWidget* grid = OpenGrid();
  if (!grid) {
    errors_ << QStringLiteral("the grid window did not open");
    return;
  }
  Shot(QStringLiteral("05-griglia-aperta"));
  auto* view = grid->findChild<QTableView*>();
  TypeInto(view, QStringLiteral("ro"));
  Shot(QStringLiteral("06-ricerca-digitata"));
  for (QLabel* label : grid->findChildren<QLabel*>()) {
    if (label->isVisible() && label->text() == QStringLiteral("Provincia")) {
      Click(label, label->rect().center(), Qt::LeftButton);
      break;
    }
  }
  Shot(QStringLiteral("07-ordinata-per-provincia"));
  Key(view, Qt::Key_Down);
  Key(view, Qt::Key_Down);
  Shot(QStringLiteral("08-riga-scelta"));
  Key(view, Qt::Key_Return);
}

// The ComboBox's drop-down filters its rows: a word found anywhere in them,
// accents aside, and what matched marked.
void Tour::InTheFilteredGrid() {
  QWidget* grid = OpenGrid();
  if (!grid) {
    errors_ << QStringLiteral("the filtered grid window did not open");
    return;
  }
  auto* view = grid->findChild<QTableView*>();
  TypeInto(view, QStringLiteral("san"));
  Shot(QStringLiteral("10-filtro"));
  Key(view, Qt::Key_Escape);  // empties the filter line
  Key(view, Qt::Key_Escape);
}

// The live list's drop-down: the last of a million rows, read from the
// database only as they are shown.
void Tour::InTheLiveGrid() {
  QWidget* grid = OpenGrid();
  if (!grid) {
    errors_ << QStringLiteral("the live list's grid window did not open");
    return;
  }
  auto* view = grid->findChild<QTableView*>();
  Key(view, Qt::Key_End);
  Shot(QStringLiteral("11-clienti-dal-database"));
  TypeInto(view, QStringLiteral("gallo nicc"));
  Shot(QStringLiteral("12-clienti-filtrati"));
  Key(view, Qt::Key_Escape);  // empties the filter line
  Key(view, Qt::Key_Escape);
}

// The whole desktop as the user sees it: the demo's window and, when it is
// open, the grid window over it.
void Tour::Shot(const QString& name) {
  window_.AggiornaPannello();
  QScreen* screen = window_.screen() ? window_.screen() : QGuiApplication::primaryScreen();
  QPixmap desktop(screen->geometry().size());
  desktop.fill(QColor(0x3a, 0x4a, 0x5c));
  QPainter painter(&desktop);
  painter.drawPixmap(window_.geometry().topLeft(), window_.grab());
  if (QWidget* grid = OpenGrid()) painter.drawPixmap(grid->geometry().topLeft(), grid->grab());
  painter.end();
  const QString path = QDir(dir_).filePath(name + QStringLiteral(".png"));
  if (desktop.save(path))
    shots_ << path;
  else
    errors_ << QStringLiteral("cannot write ") + path;
}

void Tour::TypeInto(QWidget* target, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, KeyOf(c), Qt::NoModifier, QString(c));
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, KeyOf(c), Qt::NoModifier, QString(c));
    QApplication::sendEvent(target, &release);
  }
}

void Tour::Key(QWidget* target, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QApplication::sendEvent(target, &release);
}

void Tour::Click(QWidget* target, QPoint at, Qt::MouseButton button) {
  const QPointF local(at);
  const QPointF global(target->mapToGlobal(at));
  QMouseEvent press(QEvent::MouseButtonPress, local, global, button, button, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, button, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(target, &release);
}

}  // namespace cbo::demo
