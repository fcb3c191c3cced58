// The Qt-named signals, each in the cases docs/qt.md's table gives for it:
// what fires once, what fires for every confirmed pick, what fires never.
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "form.hpp"

using namespace cbo;
using namespace cbo::testing;

namespace {

QList<int> Keys(const QSignalSpy& spy) {
  QList<int> out;
  for (const QList<QVariant>& call : spy) out << call.at(0).toInt();
  return out;
}

QStringList Texts(const QSignalSpy& spy) {
  QStringList out;
  for (const QList<QVariant>& call : spy) out << call.at(0).toString();
  return out;
}

// Opens the drop-down with its button, moves `downs` rows and presses Enter.
bool PickWithKeys(Form& f, int downs) {
  return WithGridOpen(f, [&](QTableView* view) {
    for (int i = 0; i < downs; ++i) QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Return);
  });
}

}  // namespace

class QtSignalsTest : public QObject {
  Q_OBJECT

private slots:
  void currentRowChangedOncePerRealChangeOfTheChoice() {
    Form f(CboVarnoWidget::ListCombo);
    QSignalSpy row(f.cbo, &CboVarnoWidget::currentRowChanged);
    // Typing: "M" forces Milano, "o" and "n" Monza; keys that keep the row
    // tell nothing.
    QTest::keyClicks(f.Edit(), "Mon");
    QCOMPARE(f.Edit()->text(), QString("Monza"));
    QCOMPARE(Keys(row), QList<int>({IndexOf("Milano"), IndexOf("Monza")}));
    QCOMPARE(f.cbo->currentKey(), IndexOf("Monza"));
    // The host: a new row once, the same row again nothing.
    row.clear();
    f.cbo->setValue(QStringLiteral("1009"));  // Torino
    f.cbo->setValue(QStringLiteral("1009"));
    f.cbo->setCurrentKey(IndexOf("Torino"));
    QCOMPARE(Keys(row), QList<int>({IndexOf("Torino")}));
    // The drop-down: another row once, the same row picked again nothing.
    row.clear();
    QVERIFY(PickWithKeys(f, 1));
    const int picked = f.cbo->currentKey();
    QVERIFY(picked != IndexOf("Torino"));
    QVERIFY(PickWithKeys(f, 0));
    QCOMPARE(Keys(row), QList<int>({picked}));
  }

  void currentRowChangedInComboBoxOnAnExactMatch() {
    Form f(CboVarnoWidget::ComboBox);
    QSignalSpy row(f.cbo, &CboVarnoWidget::currentRowChanged);
    QSignalSpy activated(f.cbo, &CboVarnoWidget::activated);
    QTest::keyClicks(f.Edit(), "Bari");
    QCOMPARE(Keys(row), QList<int>({IndexOf("Bari")}));
    // Typing is no confirmed pick in ComboBox.
    QCOMPARE(activated.count(), 0);
    // Free text keeps the last choice, as an editable QComboBox keeps its index.
    f.cbo->setText(QStringLiteral("Zzz"));
    QCOMPARE(row.count(), 1);
    QCOMPARE(f.cbo->currentKey(), IndexOf("Bari"));
  }

  void activatedForEveryConfirmedPick() {
    Form f(CboVarnoWidget::ListCombo);
    QSignalSpy activated(f.cbo, &CboVarnoWidget::activated);
    // Enter, twice on the same row: twice.
    QVERIFY(PickWithKeys(f, 2));
    const int picked = f.cbo->currentKey();
    QVERIFY(PickWithKeys(f, 0));
    QCOMPARE(Keys(activated), QList<int>({picked, picked}));
    // A click on a row.
    activated.clear();
    QString clicked;
    QVERIFY(WithGridOpen(f, [&](QTableView* view) {
      const QModelIndex fifth = view->model()->index(4, 0);
      clicked = fifth.data().toString();
      QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->visualRect(fifth).center());
    }));
    QCOMPARE(Keys(activated), QList<int>({IndexOf(clicked.toUtf8().constData())}));
    // Escape confirms nothing; the host's choices are not the user's.
    activated.clear();
    QVERIFY(WithGridOpen(f, [&](QTableView* view) {
      QTest::keyClick(view, Qt::Key_Down);
      QTest::keyClick(view, Qt::Key_Escape);
    }));
    f.cbo->setValue(QStringLiteral("1009"));
    f.cbo->setText(QStringLiteral("Bari"));
    QCOMPARE(activated.count(), 0);
    // ListCombo: once for each key that forces another row.
    f.cbo->setText(QString());
    f.Edit()->selectAll();
    QTest::keyClicks(f.Edit(), "Mon");
    QCOMPARE(Keys(activated), QList<int>({IndexOf("Milano"), IndexOf("Monza")}));
  }

  void currentTextChangedOnceAChangeWithTheCompletion() {
    Form f(CboVarnoWidget::ComboBox);
    QSignalSpy text(f.cbo, &CboVarnoWidget::currentTextChanged);
    QSignalSpy edited(f.cbo, &CboVarnoWidget::textEdited);
    f.Edit()->selectAll();
    QTest::keyClick(f.Edit(), Qt::Key_N);  // completes to Napoli
    QCOMPARE(f.Edit()->text(), QString("Napoli"));
    QCOMPARE(Texts(text), QStringList({"Napoli"}));
    QCOMPARE(Texts(edited), QStringList({"Napoli"}));
    QCOMPARE(f.cbo->currentText(), QString("Napoli"));
    // The code: currentTextChanged once, textEdited never; the same text
    // again nothing.
    text.clear();
    edited.clear();
    f.cbo->setCurrentText(QStringLiteral("Free text"));
    f.cbo->setCurrentText(QStringLiteral("Free text"));
    QCOMPARE(Texts(text), QStringList({"Free text"}));
    QCOMPARE(edited.count(), 0);
    // A pick in the drop-down writes the row's text: no user edit.
    text.clear();
    QVERIFY(PickWithKeys(f, 1));
    QCOMPARE(Texts(text), QStringList({f.Edit()->text()}));
    QCOMPARE(edited.count(), 0);
    // Backspace is an edit too.
    f.cbo->setCurrentText(QStringLiteral("Zzz"));
    f.Edit()->end(false);
    text.clear();
    QTest::keyClick(f.Edit(), Qt::Key_Backspace);
    QCOMPARE(Texts(edited), QStringList({"Zz"}));
    QCOMPARE(Texts(text), QStringList({"Zz"}));
  }

  void propertyChangeSignalsOncePerRealChange() {
    Form f(CboVarnoWidget::ComboBox);
    QSignalSpy textColumn(f.cbo, &CboVarnoWidget::textColumnChanged);
    QSignalSpy boundColumn(f.cbo, &CboVarnoWidget::boundColumnChanged);
    QSignalSpy style(f.cbo, &CboVarnoWidget::comboStyleChanged);
    QSignalSpy rows(f.cbo, &CboVarnoWidget::visibleRowsChanged);
    QSignalSpy header(f.cbo, &CboVarnoWidget::headerHeightChanged);
    QSignalSpy band(f.cbo, &CboVarnoWidget::gridBackgroundColorChanged);
    QSignalSpy back(f.cbo, &CboVarnoWidget::backgroundColorChanged);
    QSignalSpy fore(f.cbo, &CboVarnoWidget::textColorChanged);
    QSignalSpy value(f.cbo, &CboVarnoWidget::currentValueChanged);
    f.cbo->setTextColumn(QStringLiteral("Code"));
    f.cbo->setTextColumn(QStringLiteral("Code"));
    f.cbo->setBoundColumn(QStringLiteral("Place"));
    f.cbo->setVisibleRows(12);
    f.cbo->setVisibleRows(12);
    f.cbo->setHeaderHeight(30);
    f.cbo->setGridBackgroundColor(QColor(10, 20, 30));
    f.cbo->setBackgroundColor(QColor(250, 250, 200));
    f.cbo->setTextColor(QColor(0, 0, 128));
    QCOMPARE(Texts(textColumn), QStringList({"Code"}));
    QCOMPARE(Texts(boundColumn), QStringList({"Place"}));
    QCOMPARE(Keys(rows), QList<int>({12}));
    QCOMPARE(Keys(header), QList<int>({30}));
    QCOMPARE(f.cbo->altezzaIntest(), 450);  // 15 twips a pixel
    QCOMPARE(band.count(), 1);
    QCOMPARE(band.at(0).at(0).value<QColor>(), QColor(10, 20, 30));
    QCOMPARE(back.count(), 1);
    QCOMPARE(fore.count(), 1);
    // Written under the persisted names, through the property system, or by
    // the control itself: the same signals.
    f.cbo->setProperty("Rows_Count", 5);
    f.cbo->control().SetText_Column("Place");
    QCOMPARE(Keys(rows), QList<int>({12, 5}));
    QCOMPARE(textColumn.count(), 2);
    // The style, and the value it brings: Value reads in ListCombo only.
    f.cbo->setComboStyle(CboVarnoWidget::ListCombo);
    QCOMPARE(style.count(), 1);
    QCOMPARE(style.at(0).at(0).value<CboVarnoWidget::StileCbo>(), CboVarnoWidget::ListCombo);
    value.clear();
    f.cbo->setCurrentValue(QStringLiteral("Como"));
    QCOMPARE(Texts(value), QStringList({"Como"}));
    QCOMPARE(f.cbo->currentValue(), QString("Como"));
    // A header height beyond 16 bits of twips is refused, naming the property.
    try {
      f.cbo->setHeaderHeight(3000);
      QFAIL("no error");
    } catch (const Error& e) {
      QVERIFY2(QString::fromUtf8(e.what()).contains("headerHeight"), e.what());
    }
    QCOMPARE(f.cbo->headerHeight(), 30);
  }

  void filterPropertiesSignalTheirChangesAndRefuseAFieldTheListLacks() {
    Form f(CboVarnoWidget::ComboBox);
    QSignalSpy mode(f.cbo, &CboVarnoWidget::filterModeChanged);
    QSignalSpy fields(f.cbo, &CboVarnoWidget::filterColumnsChanged);
    QSignalSpy errors(f.cbo, &CboVarnoWidget::errorOccurred);
    f.cbo->setFilterMode(CboVarnoWidget::FilterWordStart);
    f.cbo->setFilterMode(CboVarnoWidget::FilterWordStart);
    QVERIFY(f.cbo->setProperty("filterColumns", QStringLiteral("Place")));
    QCOMPARE(mode.count(), 1);
    QCOMPARE(mode.at(0).at(0).value<CboVarnoWidget::CboFilterMode>(), CboVarnoWidget::FilterWordStart);
    QCOMPARE(Texts(fields), QStringList({"Place"}));
    // Through the property system a refused field is reported, not thrown.
    f.cbo->setProperty("filterColumns", QStringLiteral("Town"));
    QCOMPARE(errors.count(), 1);
    QVERIFY(errors.at(0).at(1).toString().contains("Town"));
    QCOMPARE(f.cbo->filterColumns(), QString("Place"));
    QCOMPARE(fields.count(), 1);
  }

  void settingsReadBackTellTheValuesTheyChange() {
    QTemporaryDir dir;
    QSettings settings(dir.filePath("form.ini"), QSettings::IniFormat);
    {
      Form saved(CboVarnoWidget::ListCombo);
      saved.cbo->setVisibleRows(20);
      saved.cbo->setTextColumn(QStringLiteral("Code"));
      QVERIFY(saved.cbo->saveSettings(settings, QStringLiteral("City")));
    }
    Form f(CboVarnoWidget::ComboBox);
    QSignalSpy rows(f.cbo, &CboVarnoWidget::visibleRowsChanged);
    QSignalSpy style(f.cbo, &CboVarnoWidget::comboStyleChanged);
    QSignalSpy header(f.cbo, &CboVarnoWidget::headerHeightChanged);
    QVERIFY(f.cbo->loadSettings(settings, QStringLiteral("City")));
    QCOMPARE(Keys(rows), QList<int>({20}));
    QCOMPARE(style.count(), 1);
    QCOMPARE(header.count(), 0);  // the same in both
  }

  void qtNamedPropertiesAreQtPropertiesWithTheirSignal() {
    const QMetaObject& mo = CboVarnoWidget::staticMetaObject;
    for (const char* name : {"currentText", "currentValue", "currentKey", "textColumn", "boundColumn", "comboStyle",
                             "visibleRows", "headerHeight", "textColor", "backgroundColor", "gridBackgroundColor"}) {
      const QMetaProperty p = mo.property(mo.indexOfProperty(name));
      QVERIFY2(p.isValid() && p.hasNotifySignal() && p.isWritable(), name);
      // Designer and .ui files keep the persisted names only.
      QVERIFY2(!p.isDesignable() && !p.isStored(), name);
    }
    Form f(CboVarnoWidget::ListCombo);
    QSignalSpy errors(f.cbo, &CboVarnoWidget::errorOccurred);
    QVERIFY(f.cbo->setProperty("visibleRows", 300));  // refused, reported
    QCOMPARE(errors.count(), 1);
    QCOMPARE(f.cbo->visibleRows(), int(f.cbo->control().Rows_Count()));
    QVERIFY(f.cbo->setProperty("currentKey", IndexOf("Como")));
    QCOMPARE(f.cbo->property("currentText").toString(), QString("Como"));
  }
};

QTEST_MAIN(QtSignalsTest)
#include "qt_signals_test.moc"
