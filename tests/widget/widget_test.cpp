// The widget as a Qt developer meets it: ready when constructed, its 24
// persisted properties as Qt properties (setProperty, style sheets,
// enumerations by name), its events as signals whose by-reference arguments
// reach the control, its settings in QSettings and in a file, its focus and
// what assistive technology is told.
#include <QAccessible>
#include <QFile>
#include <QMetaEnum>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "control/property_table.hpp"
#include "control/type_library.hpp"
#include "form.hpp"
#include "platform/error.hpp"

using namespace cbo;
using namespace cbo::testing;

namespace {

// The names a control writes to its property bag, in order.
struct NamesBag : IPropertyBag {
  Variant Read(const std::string&, const Variant& d) override { return d; }
  void Write(const std::string& name, const Variant&, const Variant&) override {
    names << QString::fromStdString(name);
  }
  QStringList names;
};

QStringList PersistedNames() {
  CboVarnoWidget w;
  // The filter's properties are written only when they are not the defaults.
  w.control().SetFilterMode(FilterContains);
  w.control().SetFilterColumns("Place");
  NamesBag bag;
  w.control().WriteProperties(bag);
  return bag.names;
}

template <class F>
QString ErrorOf(F&& f) {
  try {
    f();
  } catch (const Error& e) {
    return QString::fromUtf8(e.what());
  }
  return QString();
}

}  // namespace

class WidgetTest : public QObject {
  Q_OBJECT

private slots:
  void aNewWidgetIsANewlyPlacedControl() {
    Form f(CboVarnoWidget::TextBox);
    QCOMPARE(f.cbo->rows_Count(), 8);
    QCOMPARE(f.cbo->rowHeight(), 225);
    QCOMPARE(f.cbo->altezzaIntest(), 300);
    QVERIFY(f.cbo->record_Selector());
    QVERIFY(!f.Button()->isVisible());
    // A style with a button shows it at once, and the list is there to open.
    f.cbo->setStileCbo(CboVarnoWidget::ComboBox);
    QVERIFY(f.Button()->isVisible());
    QCOMPARE(f.cbo->control().Record_Count(), kPlaceCount);
    QCOMPARE(f.cbo->height(), 21);
    QCOMPARE(f.cbo->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
  }

  void everyPersistedPropertyIsAQtPropertyUnderItsName() {
    const QStringList names = PersistedNames();
    QCOMPARE(names.size(), int(Properties().size()));
    const QMetaObject& mo = CboVarnoWidget::staticMetaObject;
    int k = 0;
    for (const PropertyInfo& entry : Properties()) {
      QCOMPARE(names.at(k++), QString::fromLatin1(entry.Name));
      const int i = mo.indexOfProperty(entry.QtName);
      QVERIFY2(i >= 0, entry.QtName);
      const QMetaProperty p = mo.property(i);
      QVERIFY2(p.isReadable() && p.isWritable() && p.isDesignable() && p.isStored(), entry.QtName);
    }
  }

  void theQtEnumerationsAreThePublishedOnes() {
    const QMetaObject& mo = CboVarnoWidget::staticMetaObject;
    QCOMPARE(int(Library().Enums.size()), 10);
    for (const EnumInfo& e : Library().Enums) {
      const int i = mo.indexOfEnumerator(e.Name.c_str());
      QVERIFY2(i >= 0, e.Name.c_str());
      const QMetaEnum me = mo.enumerator(i);
      QCOMPARE(me.keyCount(), int(e.Values.size()));
      for (const auto& [name, value] : e.Values) {
        bool ok = false;
        QCOMPARE(me.keyToValue(name.c_str(), &ok), int(value));
        QVERIFY2(ok, name.c_str());
      }
    }
  }

  void setPropertyReachesTheControlAndEnumerationsGoByName() {
    Form f(CboVarnoWidget::TextBox);
    QVERIFY(f.cbo->setProperty("StileCbo", QStringLiteral("ListCombo")));
    QCOMPARE(f.cbo->control().StileCbo(), int(ListCombo));
    QCOMPARE(f.cbo->property("StileCbo").toString(), QString("ListCombo"));
    QVERIFY(f.cbo->setProperty("Rows_Count", 12));
    QCOMPARE(int(f.cbo->control().Rows_Count()), 12);
    QVERIFY(f.cbo->setProperty("Separatore_Record", int(CboVarnoWidget::Raised)));
    QCOMPARE(f.cbo->control().Separatore_Record(), int(Raised));
    QVERIFY(f.cbo->setProperty("Bound_Column", QStringLiteral("Place")));
    QCOMPARE(f.cbo->control().Bound_Column(), std::string("Place"));
    QVERIFY(f.cbo->setProperty("Locked", true));
    QVERIFY(f.Edit()->isReadOnly());
    QVERIFY(f.cbo->setProperty("Text", QStringLiteral("Napoli")));
    QCOMPARE(f.Edit()->text(), QString("Napoli"));
  }

  void coloursReadAsShownAndAnInvalidColourIsTheSystemOne() {
    Form f(CboVarnoWidget::TextBox);
    // The default back colour is the system window background, resolved.
    QCOMPARE(f.cbo->backColor(), f.Edit()->palette().color(QPalette::Base));
    f.cbo->setProperty("BackColor", QColor(10, 20, 30));
    QCOMPARE(f.cbo->control().BackColor(), Rgb(10, 20, 30));
    QCOMPARE(f.cbo->property("BackColor").value<QColor>(), QColor(10, 20, 30));
    f.cbo->setBackColor(QColor());
    QCOMPARE(f.cbo->control().BackColor(), kWindowBackground);
    f.cbo->setForeColor(QColor(200, 0, 0));
    f.cbo->resetForeColor();
    QCOMPARE(f.cbo->control().ForeColor(), kWindowText);
  }

  void fontsAreQtFontsPinnedAtTheControlsSize() {
    Form f(CboVarnoWidget::TextBox);
    QFont big(QStringLiteral("DejaVu Serif"));
    big.setPointSizeF(14);
    big.setBold(true);
    f.cbo->setProperty("Font_Grid", big);
    const QFont grid = f.cbo->property("Font_Grid").value<QFont>();
    QCOMPARE(grid.family(), QString("DejaVu Serif"));
    QVERIFY(grid.bold());
    QCOMPARE(grid.pointSizeF(), 8.25);
    // The widget's own font is the control's text font, as uic sets it.
    f.cbo->setFont(big);
    QCOMPARE(f.cbo->control().Font()->Name, std::string("DejaVu Serif"));
    QCOMPARE(f.cbo->controlFont().pointSizeF(), 8.25);
    QCOMPARE(f.Edit()->font().family(), QString("DejaVu Serif"));
    // A font the parent hands down is not.
    QFont other(QStringLiteral("DejaVu Sans Mono"));
    f.window.setFont(other);
    QCOMPARE(f.cbo->control().Font()->Name, std::string("DejaVu Serif"));
  }

  void disablingTheWidgetDisablesTheControlButNotTheOtherWayRound() {
    Form f(CboVarnoWidget::ComboBox);
    f.cbo->setEnabled(false);
    QVERIFY(!f.cbo->control().Enabled());
    QVERIFY(!f.cbo->property("Enabled").toBool());
    QVERIFY(!f.Button()->isVisible());
    f.cbo->setProperty("Enabled", true);
    QVERIFY(f.cbo->control().Enabled());
    QVERIFY(f.Button()->isVisible());
    // A disabled parent leaves the control's own setting alone.
    f.window.setEnabled(false);
    f.window.setEnabled(true);
    QVERIFY(f.cbo->control().Enabled());
    f.cbo->control().SetEnabled(false);
    QVERIFY(f.cbo->isEnabled());
    QVERIFY(!f.Edit()->isEnabled());
  }

  void refusedValuesRaiseErrorsNamingThePropertyAndChangeNothing() {
    Form f(CboVarnoWidget::TextBox);
    QVERIFY(ErrorOf([&] { f.cbo->setRows_Count(300); }).contains("Rows_Count"));
    QCOMPARE(f.cbo->rows_Count(), 8);
    QVERIFY(ErrorOf([&] { f.cbo->setAltezzaIntest(40000); }).contains("AltezzaIntest"));
    QCOMPARE(f.cbo->altezzaIntest(), 300);
    QVERIFY(ErrorOf([&] {
              f.cbo->setTipoPulsante(static_cast<CboVarnoWidget::TipoPulsante>(300));
            }).contains("TipoPulsante"));
  }

  void styleSheetSelectorsMatchPropertiesByEnumerationName() {
    QWidget window;
    auto* list = new CboVarnoWidget(&window);
    auto* combo = new CboVarnoWidget(&window);
    list->setStileCbo(CboVarnoWidget::ListCombo);
    combo->setStileCbo(CboVarnoWidget::ComboBox);
    window.setStyleSheet(QStringLiteral("cbo--CboVarnoWidget[StileCbo=\"ListCombo\"] { qproperty-Rows_Count: 5; }"));
    window.show();
    list->ensurePolished();
    combo->ensurePolished();
    QCOMPARE(list->rows_Count(), 5);
    QCOMPARE(combo->rows_Count(), 8);
  }

  void keySignalsCanCancelOrReplaceAKey() {
    Form f(CboVarnoWidget::TextBox);
    connect(f.cbo, &CboVarnoWidget::keyPress, f.cbo, [](int* keyAscii) {
      if (*keyAscii == 'x')
        *keyAscii = 0;  // cancelled
      else if (*keyAscii == 'y')
        *keyAscii = 'Y';  // replaced
    });
    QList<Qt::KeyboardModifiers> downs;
    connect(f.cbo, &CboVarnoWidget::keyDown, f.cbo, [&](int* keyCode, Qt::KeyboardModifiers m) {
      downs << m;
      if (*keyCode == 46) *keyCode = 0;  // Delete does nothing
    });
    QTest::keyClicks(f.Edit(), "axy");
    QCOMPARE(f.Edit()->text(), QString("aY"));
    f.Edit()->setCursorPosition(0);
    QTest::keyClick(f.Edit(), Qt::Key_Delete);
    QCOMPARE(f.Edit()->text(), QString("aY"));
    QTest::keyClick(f.Edit(), Qt::Key_B, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(downs.last(), Qt::KeyboardModifiers(Qt::ShiftModifier | Qt::ControlModifier));
  }

  void mouseSignalsCarryButtonsAndThePositionInTheWidget() {
    Form f(CboVarnoWidget::TextBox);
    QSignalSpy downs(f.cbo, &CboVarnoWidget::mouseDown);
    QSignalSpy clicks(f.cbo, &CboVarnoWidget::clicked);
    const QPoint at(12, 6);
    QTest::mouseClick(f.Edit(), Qt::RightButton, Qt::NoModifier, at);
    QCOMPARE(downs.count(), 1);
    QCOMPARE(downs.at(0).at(0).value<Qt::MouseButtons>(), Qt::MouseButtons(Qt::RightButton));
    QCOMPARE(downs.at(0).at(2).toPointF(), QPointF(f.Edit()->mapTo(f.cbo, at)));
    QCOMPARE(clicks.count(), 0);  // only the left button clicks
    QTest::mouseClick(f.Edit(), Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(clicks.count(), 1);
  }

  void changeIsASignalAndAFailingSlotIsReported() {
    Form f(CboVarnoWidget::ComboBox);
    QSignalSpy changes(f.cbo, &CboVarnoWidget::changed);
    QSignalSpy errors(f.cbo, &CboVarnoWidget::errorOccurred);
    QTest::keyClicks(f.Edit(), "ro");
    QCOMPARE(f.Edit()->text(), QString("Roma"));
    QVERIFY(changes.count() > 0);
    // A slot that puts a key code beyond 16 bits back fails that key only.
    connect(f.cbo, &CboVarnoWidget::keyPress, f.cbo, [](int* k) {
      if (*k == 'q') *k = 70000;
    });
    f.Edit()->clear();
    QTest::keyClicks(f.Edit(), "qb");
    QCOMPARE(errors.count(), 1);
    QVERIFY(errors.at(0).at(1).toString().contains("KeyAscii"));
    QCOMPARE(f.Edit()->text(), QString("Bari"));
  }

  void aValueRefusedThroughThePropertySystemIsReportedNotThrown() {
    Form f(CboVarnoWidget::ComboBox);
    QSignalSpy errors(f.cbo, &CboVarnoWidget::errorOccurred);
    QVERIFY(f.cbo->setProperty("Rows_Count", 300));
    QVERIFY(f.cbo->setProperty("AltezzaIntest", 40000));
    QCOMPARE(f.cbo->property("Rows_Count").toInt(), 8);
    QCOMPARE(f.cbo->property("AltezzaIntest").toInt(), 300);
    QCOMPARE(errors.count(), 2);
    QCOMPARE(errors.at(0).at(0).toString(), QString("Rows_Count"));
    QVERIFY(errors.at(0).at(1).toString().startsWith("Overflow: "));
    // The C++ setter raises the error itself.
    QVERIFY(ErrorOf([&] { f.cbo->setRows_Count(300); }).contains("Rows_Count"));
    QVERIFY(f.cbo->setProperty("Rows_Count", 12));
    QCOMPARE(f.cbo->rows_Count(), 12);
    QCOMPARE(errors.count(), 2);
  }

  void settingsRoundTripThroughQSettingsUnderThe24Names() {
    QTemporaryDir dir;
    const QString path = dir.filePath("form.ini");
    {
      Form f(CboVarnoWidget::ListCombo);
      f.cbo->setTipoPulsante(CboVarnoWidget::AsteriscoVerde);
      f.cbo->setBackColor(QColor(1, 2, 3));
      f.cbo->setRows_Count(20);
      f.cbo->setGriglia_Centrata(true);
      QFont face(QStringLiteral("DejaVu Serif"));
      face.setItalic(true);
      f.cbo->setFont_Grid(face);
      f.cbo->setFilterMode(CboVarnoWidget::FilterWordStart);
      f.cbo->setFilterColumns(QStringLiteral("Place"));
      QSettings s(path, QSettings::IniFormat);
      f.cbo->saveSettings(s, QStringLiteral("City"));
      s.beginGroup(QStringLiteral("City"));
      QStringList keys = s.childKeys();
      QStringList names = PersistedNames();
      keys.sort();
      names.sort();
      QCOMPARE(keys, names);
    }
    QSettings s(path, QSettings::IniFormat);  // read back from text
    CboVarnoWidget fresh;
    fresh.loadSettings(s, QStringLiteral("City"));
    QCOMPARE(fresh.stileCbo(), CboVarnoWidget::ListCombo);
    QCOMPARE(fresh.tipoPulsante(), CboVarnoWidget::AsteriscoVerde);
    QCOMPARE(fresh.filterMode(), CboVarnoWidget::FilterWordStart);
    QCOMPARE(fresh.filterColumns(), QStringLiteral("Place"));
    QCOMPARE(fresh.control().BackColor(), Rgb(1, 2, 3));
    QCOMPARE(fresh.control().ForeColor(), kWindowText);  // a system colour stays one
    QCOMPARE(fresh.rows_Count(), 20);
    QVERIFY(fresh.griglia_Centrata());
    QCOMPARE(fresh.font_Grid().family(), QString("DejaVu Serif"));
    QVERIFY(fresh.font_Grid().italic());
    QVERIFY(s.group().isEmpty());  // the group is left again
  }

  void aRefusedSettingStopsTheLoadingAndNamesIt() {
    QTemporaryDir dir;
    QSettings s(dir.filePath("bad.ini"), QSettings::IniFormat);
    s.setValue(QStringLiteral("City/Appearance"), 0);
    s.setValue(QStringLiteral("City/TipoPulsante"), 300);
    s.setValue(QStringLiteral("City/Rows_Count"), 3);
    CboVarnoWidget w;
    const QString error = ErrorOf([&] { w.loadSettings(s, QStringLiteral("City")); });
    QVERIFY2(error.contains("TipoPulsante"), qPrintable(error));
    QCOMPARE(w.appearance(), CboVarnoWidget::Flat);  // read before the refused one
    QCOMPARE(w.rows_Count(), 8);                     // never read
    QVERIFY(s.group().isEmpty());
  }

  void settingsRoundTripThroughASettingsFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("form.settings");
    {
      Form f(CboVarnoWidget::ComboBox);
      f.cbo->setAlignment(CboVarnoWidget::All_Center);
      f.cbo->setText(QStringLiteral("Como"));
      f.cbo->saveSettings(path);
    }
    CboVarnoWidget fresh;
    fresh.loadSettings(path);
    QCOMPARE(fresh.stileCbo(), CboVarnoWidget::ComboBox);
    QCOMPARE(fresh.alignment(), CboVarnoWidget::All_Center);
    QVERIFY(ErrorOf([&] { fresh.loadSettings(dir.filePath("missing.settings")); }).contains("missing.settings"));
  }

  void theTextBoxIsTheFocusProxy() {
    Form f(CboVarnoWidget::ListCombo);
    // setFocus on the widget.
    f.cbo->setFocus();
    QVERIFY(f.Edit()->hasFocus());
    QVERIFY(f.cbo->hasFocus());
    // Tab order: before, the control, after.
    f.before->setFocus();
    QTest::keyClick(f.before, Qt::Key_Tab);
    QVERIFY(f.Edit()->hasFocus());
    QTest::keyClick(f.Edit(), Qt::Key_Tab);
    QVERIFY(f.after->hasFocus());
    // The buddy label's shortcut.
    QTest::keyClick(&f.window, Qt::Key_C, Qt::AltModifier);
    QVERIFY(f.Edit()->hasFocus());
  }

  void docsQtMdDescribesEveryPropertySignalAndSlot() {
    QFile file(QStringLiteral(CBO_SOURCE_DIR "/docs/qt.md"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString doc = QString::fromUtf8(file.readAll());
    const QMetaObject& mo = CboVarnoWidget::staticMetaObject;
    for (int i = mo.propertyOffset(); i < mo.propertyCount(); ++i) {
      const QString row = QStringLiteral("| `%1` |").arg(QLatin1String(mo.property(i).name()));
      QVERIFY2(doc.contains(row), qPrintable(row));
    }
    for (int i = mo.methodOffset(); i < mo.methodCount(); ++i) {
      const QMetaMethod m = mo.method(i);
      if (m.methodType() != QMetaMethod::Signal && m.access() != QMetaMethod::Public) continue;
      const QString entry = QStringLiteral("`%1(").arg(QLatin1String(m.name()));
      QVERIFY2(doc.contains(entry), qPrintable(entry));
    }
  }

  void assistiveTechnologySeesAComboBoxWithTheWidgetsName() {
    Form f(CboVarnoWidget::ListCombo);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(f.cbo);
    QVERIFY(a);
    QCOMPARE(a->role(), QAccessible::ComboBox);
    QCOMPARE(a->text(QAccessible::Name), QString("City"));  // from the buddy label
    f.cbo->setAccessibleName(QStringLiteral("Town of birth"));
    f.cbo->setAccessibleDescription(QStringLiteral("Where you were born"));
    QCOMPARE(a->text(QAccessible::Name), QString("Town of birth"));
    QCOMPARE(a->text(QAccessible::Description), QString("Where you were born"));
    QCOMPARE(a->text(QAccessible::Value), f.Edit()->text());
    // The text box, which takes the focus, is announced by the same name.
    f.after->setFocus();
    f.cbo->setFocus();
    QCOMPARE(f.Edit()->accessibleName(), QString("Town of birth"));
    QCOMPARE(f.Edit()->accessibleDescription(), QString("Where you were born"));
    QCOMPARE(f.Button()->accessibleName(), QString("Open the list"));
  }
};

QTEST_MAIN(WidgetTest)
#include "widget_test.moc"
