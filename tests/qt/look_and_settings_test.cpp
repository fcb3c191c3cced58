// What the control looks like on screen (the button's picture in a grab of
// the control, the system colours resolved from the palette), and the
// settings file the demo saves, read back into a fresh control.
#include <QSettings>
#include <QTemporaryDir>

#include "apps/cbo-demo/demo_window.hpp"
#include "control/image_list.hpp"
#include "fixture.hpp"
#include "platform/qt/convert.hpp"

using namespace cbo;
using namespace cbo::testing;

class LookAndSettingsTest : public QObject {
  Q_OBJECT

private slots:
  void theGrabShowsTheChosenPictureOnTheButton() {
    for (int tipo : {3, 9, 12}) {
      Host h(ComboBox);
      h.control->SetTipoPulsante(tipo);
      const Picture* picture = ImageList::Pulsanti().ListImages(IndiceImmaginePulsante(tipo));
      QVERIFY(picture);
      const QImage shot = h.container->grab().toImage();
      QWidget* button = h.Button();
      const QPoint origin = button->mapTo(h.container, QPoint((button->width() - 11) / 2, (button->height() - 11) / 2));
      int opaque = 0;
      for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 11; ++x) {
          const uint32_t px = picture->Pixels[y][x];
          if ((px >> 24) == 0) continue;
          ++opaque;
          QCOMPARE(shot.pixel(origin + QPoint(x, y)) & 0xFFFFFFu, px & 0xFFFFFFu);
        }
      }
      QVERIFY(opaque > 0);
    }
  }

  // On a dark button face (a dark palette) the default black arrow is
  // drawn light: it would not be seen otherwise.
  void onADarkButtonTheArrowIsDrawnLight() {
    Host h(ComboBox);
    QWidget* button = h.Button();
    QPalette dark = button->palette();
    dark.setColor(QPalette::Button, QColor(0x3c, 0x3c, 0x3c));
    button->setPalette(dark);
    const Picture* picture = ImageList::Pulsanti().ListImages(IndiceImmaginePulsante(h.control->TipoPulsante()));
    QVERIFY(picture);
    const QImage shot = button->grab().toImage();
    const QPoint origin((button->width() - 11) / 2, (button->height() - 11) / 2);
    int opaque = 0;
    for (int y = 0; y < 11; ++y) {
      for (int x = 0; x < 11; ++x) {
        if ((picture->Pixels[y][x] >> 24) == 0) continue;
        ++opaque;
        QVERIFY2(QColor(shot.pixel(origin + QPoint(x, y))).lightness() >= 160, "a dark pixel on the dark face");
      }
    }
    QVERIFY(opaque > 0);
  }

  void systemColoursComeFromThePaletteAndRgbValuesAsTheyAre() {
    QPalette p;
    p.setColor(QPalette::Base, QColor(1, 2, 3));
    p.setColor(QPalette::Text, QColor(4, 5, 6));
    p.setColor(QPalette::Button, QColor(7, 8, 9));
    QCOMPARE(qt::ResolveColour(0x80000005u, p), QColor(1, 2, 3));
    QCOMPARE(qt::ResolveColour(0x80000008u, p), QColor(4, 5, 6));
    QCOMPARE(qt::ResolveColour(0x8000000Fu, p), QColor(7, 8, 9));
    QCOMPARE(qt::ResolveColour(Rgb(0x12, 0x34, 0x56), p), QColor(0x12, 0x34, 0x56));
  }

  void theDemosSavedSettingsReadBackIntoAFreshControl() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("demo.ini");
    {
      demo::DemoWindow window;
      CboVarnoWidget& combo = window.Controllo(1);
      combo.setTipoPulsante(CboVarnoWidget::PuntoGiallo);
      combo.setRows_Count(7);
      combo.setBackColor(QColor(250, 240, 200));
      combo.setAlignment(CboVarnoWidget::All_Right);
      window.Salva(path);
      QVERIFY(window.Messaggio().contains(path));
    }
    CboVarnoWidget fresh;
    QSettings file(path, QSettings::IniFormat);
    fresh.loadSettings(file, "ComboBox");
    QCOMPARE(fresh.stileCbo(), CboVarnoWidget::ComboBox);
    QCOMPARE(fresh.tipoPulsante(), CboVarnoWidget::PuntoGiallo);
    QCOMPARE(fresh.rows_Count(), 7);
    QCOMPARE(fresh.control().BackColor(), Rgb(250, 240, 200));
    auto* edit = qobject_cast<QLineEdit*>(fresh.focusProxy());
    QVERIFY(edit);
    QVERIFY(edit->alignment() & Qt::AlignRight);
    QCOMPARE(edit->palette().color(QPalette::Base), QColor(250, 240, 200));
  }

  // Right to left the leading edge is the right one, for Latin text too,
  // and a change of direction mirrors the alignment either way.
  void rightToLeftTheTextStartsFromTheRight() {
    CboVarnoWidget combo;
    auto* edit = qobject_cast<QLineEdit*>(combo.focusProxy());
    QVERIFY(edit);
    combo.setAlignment(CboVarnoWidget::All_Left);
    QCOMPARE(edit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft | Qt::AlignAbsolute);
    combo.setLayoutDirection(Qt::RightToLeft);
    QCOMPARE(edit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight | Qt::AlignAbsolute);
    combo.setAlignment(CboVarnoWidget::All_Right);
    QCOMPARE(edit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft | Qt::AlignAbsolute);
    combo.setLayoutDirection(Qt::LeftToRight);
    QCOMPARE(edit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight | Qt::AlignAbsolute);
  }
};

QTEST_MAIN(LookAndSettingsTest)
#include "look_and_settings_test.moc"
