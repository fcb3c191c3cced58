// The control follows the application's text size: at the platform's default
// font it is as it always was; at a larger or smaller font its text is that
// much larger or smaller and so is every length of it and of its drop-down,
// so that nothing is clipped and the control is as tall as a combo box in
// the same font.
#include <QComboBox>
#include <QFontDatabase>
#include <QHeaderView>

#include "form.hpp"
#include "platform/qt/widgets.hpp"

using namespace cbo;
using namespace cbo::testing;

namespace {

// The application font at `points`, for as long as the object lives.
struct AppFont {
  explicit AppFont(double points) : saved(QApplication::font()) {
    QFont f = saved;
    f.setPointSizeF(points);
    QApplication::setFont(f);
  }
  ~AppFont() { QApplication::setFont(saved); }
  QFont saved;
};

double DefaultPoints() { return QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).pointSizeF(); }

// The line of text a font draws fits inside `box`, up and down.
bool LineFits(const QFont& font, int boxHeight) {
  const QFontMetrics fm(font);
  return fm.ascent() + fm.descent() <= boxHeight;
}

}  // namespace

class TextSizeTest : public QObject {
  Q_OBJECT

private slots:
  void atTheDefaultFontTheControlIsAsItWas() {
    QCOMPARE(QFontInfo(QApplication::font()).pointSizeF(), DefaultPoints());
    Form f(CboVarnoWidget::ComboBox);
    QCOMPARE(f.cbo->height(), 21);
    QCOMPARE(f.Edit()->height(), 17);
    QCOMPARE(f.Button()->width(), 17);
    QCOMPARE(f.Edit()->font().pointSizeF(), 8.25);
    QVERIFY(WithGridOpen(f, [&](QTableView* view) {
      QCOMPARE(view->rowHeight(0), 15);  // 225 twips
      QCOMPARE(view->columnWidth(0), 100);
      QCOMPARE(view->verticalHeader()->width(), 21);
      QCOMPARE(view->font().pointSizeF(), 8.25);
    }));
  }

  void theControlAndItsDropDownFollowTheTextSize_data() {
    QTest::addColumn<double>("points");
    for (double pt : {8.0, 12.0, 16.0, 24.0}) QTest::newRow(qPrintable(QString("%1 pt").arg(pt))) << pt;
  }
  void theControlAndItsDropDownFollowTheTextSize() {
    QFETCH(double, points);
    AppFont font(points);
    const double scale = points / DefaultPoints();
    Form f(CboVarnoWidget::ComboBox);
    auto* combo = new QComboBox(&f.window);
    combo->setEditable(true);
    f.window.layout()->addWidget(combo);
    f.cbo->setText(QStringLiteral("Cagliari"));
    QApplication::processEvents();

    // The text at the nominal size scaled, in a box that holds its line and
    // its width.
    QCOMPARE(f.Edit()->font().pointSizeF(), 8.25 * scale);
    QVERIFY(LineFits(f.Edit()->font(), f.Edit()->contentsRect().height() - 2));
    QVERIFY(QFontMetrics(f.Edit()->font()).horizontalAdvance(f.Edit()->text()) < f.Edit()->width());
    // The lengths scaled by as much.
    QVERIFY(qAbs(f.cbo->height() - 21 * scale) <= 1);
    QVERIFY(qAbs(f.Button()->width() - 17 * scale) <= 1);
    qInfo("%.0f pt: control %d px, combo box %d px", points, f.cbo->height(), combo->height());
    // Scaled as a whole, the control keeps its own margins in proportion,
    // where a combo box keeps its fixed ones: within a quarter of its height.
    QVERIFY2(qAbs(f.cbo->height() - combo->height()) <= qMax(4, combo->height() / 4),
             qPrintable(QString("%1 %2").arg(f.cbo->height()).arg(combo->height())));

    const QPoint controlBottomLeft = f.cbo->mapToGlobal(QPoint(0, f.cbo->height()));
    QVERIFY(WithGridOpen(f, [&](QTableView* view) {
      QWidget* window = view->window();
      // Placed in whole pixels of the scale: within one of the control.
      QVERIFY((window->pos() - controlBottomLeft).manhattanLength() <= 1);
      QCOMPARE(view->font().pointSizeF(), 8.25 * scale);
      QVERIFY(qAbs(view->columnWidth(0) - 100 * scale) <= 1);
      QVERIFY(qAbs(view->verticalHeader()->width() - 21 * scale) <= 1);
      // Every row holds its line, every cell its text.
      QVERIFY(LineFits(view->font(), view->rowHeight(0) - 1));
      const QFontMetrics cells(view->font());
      for (int r = 0; r < view->model()->rowCount(); ++r) {
        for (int c = 0; c < 2; ++c) {
          const QString text = view->model()->index(r, c).data().toString();
          QVERIFY2(cells.horizontalAdvance(text) + 4 <= view->columnWidth(c), qPrintable(text));
        }
      }
      // The header captions keep the font of the control, their boxes as
      // much larger as the rows.
      int captions = 0;
      for (auto* label : window->findChildren<qt::Label*>()) {
        if (!label->isVisible()) continue;
        ++captions;
        QCOMPARE(label->font().pointSizeF(), points);
        QVERIFY(qAbs(label->height() - 265 / 15.0 * scale) <= 1);
        QVERIFY(QFontMetrics(label->font()).horizontalAdvance(label->text()) + label->indent() <= label->width());
      }
      QCOMPARE(captions, 2);
      // The whole list is as wide as its columns.
      QVERIFY(window->width() >= view->columnWidth(0) + view->columnWidth(1) + view->verticalHeader()->width());
    }));
  }

  // The same control at run time: a larger application font makes it larger
  // at once, a font set back makes it as it was.
  void aChangeOfTheApplicationFontResizesTheControl() {
    Form f(CboVarnoWidget::ListCombo);
    const QSize before = f.cbo->size();
    {
      AppFont font(DefaultPoints() * 2);
      QApplication::processEvents();
      QTRY_COMPARE(f.cbo->height(), 43);  // 320 twips at twice 15 per pixel
      QCOMPARE(f.Edit()->font().pointSizeF(), 16.5);
      QVERIFY(f.Button()->x() + f.Button()->width() <= f.cbo->width());
    }
    QApplication::processEvents();
    QTRY_COMPARE(f.cbo->height(), before.height());
    QCOMPARE(f.Edit()->font().pointSizeF(), 8.25);
  }
};

QTEST_MAIN(TextSizeTest)
#include "text_size_test.moc"
