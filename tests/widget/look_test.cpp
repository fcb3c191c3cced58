// The look, read from the pixels of offscreen screenshots: header captions
// with their descenders, headers over their own columns in a right-to-left
// application, a drop-down that fits the screen, and a palette change that
// restyles the text box, the button and the grid. The program runs at
// device-pixel ratios 1, 1.5 and 2 (QT_SCALE_FACTOR).
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <optional>

#include "form.hpp"

using namespace cbo;
using namespace cbo::testing;

namespace {

// A widget's pixels in device pixels, and how many there are to a logical one.
struct Shot {
  explicit Shot(QWidget* w) : image(w->grab().toImage()), ratio(image.devicePixelRatio()) {}
  QRgb At(QPoint logical) const {
    return image.pixel(qBound(0, int(logical.x() * ratio), image.width() - 1),
                       qBound(0, int(logical.y() * ratio), image.height() - 1));
  }
  QImage image;
  qreal ratio;
};

bool Dark(QRgb c) { return qGray(c) < 110; }

// The lowest row (device pixels) in `area` that holds a dark pixel.
std::optional<int> LowestInk(const QImage& image, QRect area) {
  area &= image.rect();
  for (int y = area.bottom(); y >= area.top(); --y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (Dark(image.pixel(x, y))) return y;
  return std::nullopt;
}

int InkCount(const QImage& image, QRect area) {
  area &= image.rect();
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += Dark(image.pixel(x, y));
  return n;
}

// A rectangle of `w`'s in the device pixels of the shot of `top`.
QRect InShot(const Shot& shot, QWidget* w, QRect r, QWidget* top) {
  const QPoint at = w->mapTo(top, r.topLeft());
  return QRect(qRound(at.x() * shot.ratio), qRound(at.y() * shot.ratio), qRound(r.width() * shot.ratio),
               qRound(r.height() * shot.ratio));
}

// The drop-down window holding `view`.
QWidget* DropDown(QTableView* view) { return view->window(); }

QLabel* HeaderLabel(QWidget* dropDown, const QString& caption) {
  for (QLabel* l : dropDown->findChildren<QLabel*>())
    if (l->isVisible() && l->text() == caption) return l;
  return nullptr;
}

// The part of a header label that its box lets show.
QRect VisiblePart(QWidget* label) {
  QRect r = label->rect();
  for (QWidget* p = label->parentWidget(); p; p = p->parentWidget()) {
    r &= QRect(label->mapFrom(p, QPoint(0, 0)), p->size());
    if (p->isWindow()) break;
  }
  return r;
}

}  // namespace

class LookTest : public QObject {
  Q_OBJECT

private slots:
  void cleanup() {
    QApplication::setLayoutDirection(Qt::LeftToRight);
    QApplication::setPalette(QPalette());
    QApplication::setFont(QFont());
  }

  void headerCaptionsKeepTheirDescenders_data() {
    QTest::addColumn<double>("points");
    QTest::addColumn<int>("headerHeight");
    QTest::newRow("9 pt") << 9.0 << 300;
    QTest::newRow("16 pt") << 16.0 << 300;
    QTest::newRow("9 pt, low band") << 9.0 << 250;
  }
  void headerCaptionsKeepTheirDescenders() {
    QFETCH(double, points);
    QFETCH(int, headerHeight);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(points);
    QApplication::setFont(font);
    Form f(CboVarnoWidget::ComboBox, false);
    f.cbo->setAltezzaIntest(headerHeight);
    CboVarno& c = f.cbo->control();
    c.AddField("Low", "ggjy", true, 1500);
    c.AddField("High", "aaec", true, 1500);
    c.ListItem("Low", Variant("x"));
    c.ListItem("High", Variant("x"));
    c.AddItem();
    QVERIFY(WithGridOpen(f, [&](QTableView* view) {
      QWidget* grid = DropDown(view);
      QLabel* low = HeaderLabel(grid, "ggjy");
      QLabel* high = HeaderLabel(grid, "aaec");
      QVERIFY(low && high);
      Shot shot(grid);
      const QRect lowArea = InShot(shot, low, VisiblePart(low), grid);
      const QRect highArea = InShot(shot, high, VisiblePart(high), grid);
      const auto lowInk = LowestInk(shot.image, lowArea);
      const auto highInk = LowestInk(shot.image, highArea);
      QVERIFY(lowInk && highInk);
      // The descenders reach below the baseline that "aaec" sits on...
      QVERIFY2(*lowInk - *highInk >= qMax(1, int(shot.ratio)), qPrintable(QString("%1 %2").arg(*lowInk).arg(*highInk)));
      // ...and end inside the box, with its background below them.
      QVERIFY2(*lowInk < lowArea.bottom(), qPrintable(QString("%1 %2").arg(*lowInk).arg(lowArea.bottom())));
    }));
  }

  void inARightToLeftApplicationHeadersSitOverTheirColumns() {
    QApplication::setLayoutDirection(Qt::RightToLeft);
    Form f(CboVarnoWidget::ComboBox, false);
    CboVarno& c = f.cbo->control();
    c.AddField("Name", "WWWW", true, 1800);
    c.AddField("Code", "i", true, 1800);
    c.ListItem("Name", Variant("x"));
    c.ListItem("Code", Variant("x"));
    c.AddItem();
    QVERIFY(WithGridOpen(f, [&](QTableView* view) {
      QWidget* grid = DropDown(view);
      Shot shot(grid);
      // The rows of the header captions, inside their boxes.
      QLabel* caption = HeaderLabel(grid, "WWWW");
      QVERIFY(caption);
      const QRect line = InShot(shot, caption, VisiblePart(caption), grid);
      const int bandTop = line.top();
      const int bandBottom = line.bottom();
      // Each column's span from the cells it draws.
      QRect first = view->visualRect(view->model()->index(0, 0));
      QRect second = view->visualRect(view->model()->index(0, 1));
      const QRect firstSpan = InShot(shot, view->viewport(), first, grid);
      const QRect secondSpan = InShot(shot, view->viewport(), second, grid);
      const QRect overFirst(firstSpan.left(), bandTop, firstSpan.width(), bandBottom - bandTop);
      const QRect overSecond(secondSpan.left(), bandTop, secondSpan.width(), bandBottom - bandTop);
      // Each caption is over the column it names: the wide one over the
      // first column, the thin one over the second.
      const int edge = qRound(4 * shot.ratio);  // the boxes' own edges
      const int inkFirst = InkCount(shot.image, overFirst.adjusted(edge, 0, -edge, 0));
      const int inkSecond = InkCount(shot.image, overSecond.adjusted(edge, 0, -edge, 0));
      QVERIFY2(inkSecond > 0 && inkFirst > 4 * inkSecond, qPrintable(QString("%1 %2").arg(inkFirst).arg(inkSecond)));
      // Mirrored, as the cells: the first column on the right.
      QVERIFY(firstSpan.left() > secondSpan.left());
    }));
  }

  void theDropDownFitsTheScreen() {
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect avail = screen->availableGeometry();
    Form f(CboVarnoWidget::ComboBox, false);
    CboVarno& c = f.cbo->control();
    c.AddField("Wide", "Wide", true, 3000);
    for (const char* place : kPlaces) {
      c.ListItem("Wide", Variant(place));
      c.AddItem();
    }
    // The control starts 100 pixels from the screen's right edge: the
    // drop-down, wider than that, must sit flush with the edge.
    f.window.move(avail.right() - 100, avail.top() + 10);
    QVERIFY(WithGridOpen(f, [&](QTableView* view) {
      QWidget* grid = DropDown(view);
      const QRect at = grid->frameGeometry();
      QVERIFY2(avail.contains(at), qPrintable(QString("%1,%2 %3x%4 in %5x%6")
                                                  .arg(at.x())
                                                  .arg(at.y())
                                                  .arg(at.width())
                                                  .arg(at.height())
                                                  .arg(avail.width())
                                                  .arg(avail.height())));
      // On the screen's own pixels, the window's right frame (the dark band
      // around the grid) is there, not cut off.
      const QImage desktop = screen->grabWindow(0).toImage();
      const qreal ratio = desktop.devicePixelRatio();
      const Shot shot(grid);
      const QPoint probe(at.right() - 1, at.center().y());
      const QRgb onScreen = desktop.pixel(qMin(desktop.width() - 1, int((probe.x() - avail.left()) * ratio)),
                                          int((probe.y() - avail.top()) * ratio));
      QCOMPARE(onScreen, shot.At(grid->mapFromGlobal(probe)));
    }));
  }

  void aPaletteChangeRestylesTheTextBoxTheButtonAndTheGrid() {
    Form f(CboVarnoWidget::ComboBox);
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(20, 30, 40));
    dark.setColor(QPalette::Text, QColor(240, 240, 240));
    dark.setColor(QPalette::Window, QColor(50, 50, 60));
    dark.setColor(QPalette::Button, QColor(70, 20, 90));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    QApplication::setPalette(dark);
    f.Edit()->clear();
    {
      Shot shot(f.cbo);
      // The text box's background, away from its text.
      QCOMPARE(QColor(shot.At(f.Edit()->mapTo(f.cbo, QPoint(f.Edit()->width() - 3, f.Edit()->height() / 2)))),
               QColor(20, 30, 40));
      // The button's face, away from its picture.
      const QColor face(shot.At(f.Button()->mapTo(f.cbo, QPoint(3, f.Button()->height() / 2))));
      QVERIFY2(qAbs(face.red() - 70) < 40 && qAbs(face.green() - 20) < 40 && qAbs(face.blue() - 90) < 40,
               qPrintable(face.name()));
    }
    QVERIFY(WithGridOpen(f, [&](QTableView* view) {
      Shot shot(view);
      const QRect cell = view->visualRect(view->model()->index(1, 0));
      QCOMPARE(QColor(shot.At(view->viewport()->mapTo(view, QPoint(cell.right() - 3, cell.center().y())))),
               QColor(20, 30, 40));
    }));
  }
};

QTEST_MAIN(LookTest)
#include "look_test.moc"
