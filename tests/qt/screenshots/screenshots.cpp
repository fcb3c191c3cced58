// Screenshots of a test form and of the demo's window, each with the control
// closed and with its drop-down open, in one look given on the command line:
//   qt_screenshots LOOK DIR
//   qt_screenshots --docs DIR DOCS   (copies the pictures docs/qt.md shows)
// LOOK is light, dark (a dark palette), big (a 16 pt application font), rtl
// (right to left) or scale2 (run with QT_SCALE_FACTOR=2: the same picture
// at twice the pixels). Writes DIR/LOOK-form-closed.png, -form-open.png,
// -demo-closed.png and -demo-open.png: the window and the drop-down over it,
// cropped to both.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QStyleFactory>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <cstdio>

#include "apps/cbo-demo/demo_source.hpp"
#include "apps/cbo-demo/demo_window.hpp"
#include "platform/error.hpp"
#include "widget/cbo_varno_widget.hpp"

namespace {

QStringList errors;

QWidget* OpenGrid() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible() && w->findChild<QTableView*>()) return w;
  }
  return nullptr;
}

// The window and, when open, the drop-down over it, at the screen's pixels.
void Shot(QWidget& window, const QString& path) {
  QWidget* grid = OpenGrid();
  QRect area = window.frameGeometry();
  if (grid) area |= grid->geometry();
  area.adjust(-8, -8, 8, 8);
  const qreal dpr = window.devicePixelRatioF();
  QPixmap picture(area.size() * dpr);
  picture.setDevicePixelRatio(dpr);
  picture.fill(QColor(0x3a, 0x4a, 0x5c));
  QPainter painter(&picture);
  painter.drawPixmap(window.geometry().topLeft() - area.topLeft(), window.grab());
  if (grid) painter.drawPixmap(grid->geometry().topLeft() - area.topLeft(), grid->grab());
  painter.end();
  if (!picture.save(path)) errors << QStringLiteral("cannot write ") + path;
}

// Opens `control`'s drop-down with its button, shoots the window with it and
// closes it with Escape; the drop-down runs its own loop meanwhile.
void ShotOpen(QWidget& window, cbo::CboVarnoWidget& control, const QString& path) {
  QTimer::singleShot(0, &window, [&window, path] {
    QWidget* grid = OpenGrid();
    if (!grid) {
      errors << QStringLiteral("the drop-down did not open for ") + path;
      return;
    }
    auto* view = grid->findChild<QTableView*>();
    for (int i = 0; i < 2; ++i) {
      QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
      QApplication::sendEvent(view, &down);
    }
    Shot(window, path);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(view, &escape);
  });
  auto* button = control.findChild<QToolButton*>();
  const QPointF at = QRectF(button->rect()).center();
  QMouseEvent press(QEvent::MouseButtonPress, at, button->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(button, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, at, button->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(button, &release);
}

QPalette DarkPalette() {
  QPalette p;
  const QColor window(0x2b, 0x2b, 0x2b), base(0x1e, 0x1e, 0x1e), text(0xe6, 0xe6, 0xe6);
  p.setColor(QPalette::Window, window);
  p.setColor(QPalette::WindowText, text);
  p.setColor(QPalette::Base, base);
  p.setColor(QPalette::AlternateBase, window);
  p.setColor(QPalette::Text, text);
  p.setColor(QPalette::Button, QColor(0x3c, 0x3c, 0x3c));
  p.setColor(QPalette::ButtonText, text);
  p.setColor(QPalette::Highlight, QColor(0x2f, 0x6f, 0xb7));
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::ToolTipBase, window);
  p.setColor(QPalette::ToolTipText, text);
  p.setColor(QPalette::PlaceholderText, QColor(0x90, 0x90, 0x90));
  p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
  p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
  p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
  return p;
}

}  // namespace

// The pictures docs/qt.md shows: the form open in every look, the demo
// open in the light, dark and right-to-left ones (the larger demo pictures
// stay out of the repository), each under 100 KB.
int CopyForDocs(char** argv) {
  const QDir from(QString::fromLocal8Bit(argv[2])), to(QString::fromLocal8Bit(argv[3]));
  QDir().mkpath(to.path());
  QStringList names;
  for (const char* look : {"light", "dark", "big", "rtl", "scale2"})
    names << QStringLiteral("%1-form-open.png").arg(QLatin1String(look));
  for (const char* look : {"light", "dark", "rtl"})
    names << QStringLiteral("%1-demo-open.png").arg(QLatin1String(look));
  int failures = 0;
  for (const QString& name : names) {
    QFile::remove(to.filePath(name));
    if (QFileInfo(from.filePath(name)).size() >= 100 * 1024 || !QFile::copy(from.filePath(name), to.filePath(name))) {
      std::fprintf(stderr, "error: %s is missing or not under 100 KB\n", name.toLocal8Bit().constData());
      ++failures;
    }
  }
  return failures ? 1 : 0;
}

int main(int argc, char** argv) {
  if (argc == 4 && QLatin1String(argv[1]) == QLatin1String("--docs")) return CopyForDocs(argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: qt_screenshots light|dark|big|rtl|scale2 DIR\n");
    return 2;
  }
  const QString look = QString::fromLocal8Bit(argv[1]);
  const QString dir = QString::fromLocal8Bit(argv[2]);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QFont font(QStringLiteral("DejaVu Sans"), 10);
  if (look == QLatin1String("dark")) {
    QApplication::setPalette(DarkPalette());
  } else if (look == QLatin1String("big")) {
    font.setPointSize(16);
  } else if (look == QLatin1String("rtl")) {
    QApplication::setLayoutDirection(Qt::RightToLeft);
  } else if (look != QLatin1String("light") && look != QLatin1String("scale2")) {
    std::fprintf(stderr, "qt_screenshots: unknown look %s\n", argv[1]);
    return 2;
  }
  QApplication::setFont(font);
  QDir().mkpath(dir);
  const QString prefix = QDir(dir).filePath(look + QLatin1Char('-'));

  // The test form: a labelled control over customers, three columns shown.
  {
    QWidget form;
    form.setWindowTitle(QStringLiteral("Order form"));
    auto* layout = new QVBoxLayout(&form);
    auto* label = new QLabel(QStringLiteral("&Customer"), &form);
    auto* customer = new cbo::CboVarnoWidget(&form);
    label->setBuddy(customer);
    layout->addWidget(label);
    layout->addWidget(customer);
    layout->addStretch();
    customer->setStileCbo(cbo::CboVarnoWidget::ListCombo);
    customer->setRows_Count(6);
    cbo::CboVarno& c = customer->control();
    c.AddField("Name", "Customer name", true, 1800);
    c.AddField("Code", "Code", true, 900);
    c.AddField("City", "City", true, 1200);
    const char* const names[] = {"Bianchi Anna", "Colombo Luca", "Esposito Sara", "Ferrari Marco", "Gallo Elena",
                                 "Rossi Mario",  "Russo Paolo",  "Romano Giulia", "Ricci Davide",  "Marino Chiara"};
    const char* const cities[] = {"Milano", "Roma", "Napoli", "Genova", "Bari"};
    for (int i = 0; i < 10; ++i) {
      c.ListItem("Name", cbo::Variant(std::string(names[i])));
      c.ListItem("Code", cbo::Variant("C00" + std::to_string(10 + i)));
      c.ListItem("City", cbo::Variant(std::string(cities[i % 5])));
      c.AddItem();
    }
    customer->setText_Column(QStringLiteral("Name"));
    customer->setListIndex(3);
    form.resize(form.sizeHint().expandedTo(QSize(360, 0)) + QSize(0, 8 * font.pointSize() * 2));
    form.move(20, 20);
    form.show();
    customer->setFocus();
    QApplication::processEvents();
    Shot(form, prefix + QStringLiteral("form-closed.png"));
    ShotOpen(form, *customer, prefix + QStringLiteral("form-open.png"));
  }

  // The demo's window over its own sample places.
  {
    cbo::demo::DemoWindow window;
    window.move(20, 20);
    window.show();
    try {
      window.LoadRows(cbo::demo::ChooseSource(QString(), QString(), window.Percorso().text()));
    } catch (const cbo::Error& e) {
      errors << QString::fromUtf8(e.what());
    }
    QApplication::processEvents();
    Shot(window, prefix + QStringLiteral("demo-closed.png"));
    ShotOpen(window, window.Controllo(2), prefix + QStringLiteral("demo-open.png"));
  }

  for (const QString& e : errors) std::fprintf(stderr, "error: %s\n", e.toLocal8Bit().constData());
  return errors.isEmpty() ? 0 : 1;
}
