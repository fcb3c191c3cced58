#pragma once
// What form.ui sets, checked through the property system, whoever built the
// form (uic's code or QUiLoader with the plugin).
#include <QColor>
#include <QFont>
#include <QLabel>
#include <QTest>
#include <QWidget>

inline void CheckFormUi(QWidget* form) {
  QWidget* city = form->findChild<QWidget*>(QStringLiteral("city"));
  QWidget* code = form->findChild<QWidget*>(QStringLiteral("code"));
  QVERIFY(city && code);
  QCOMPARE(QByteArray(city->metaObject()->className()), QByteArray("cbo::CboVarnoWidget"));
  QCOMPARE(city->property("TipoPulsante").toString(), QString("PuntoVerde"));
  QCOMPARE(city->property("StileCbo").toString(), QString("ListCombo"));
  QCOMPARE(city->property("BackColor").value<QColor>(), QColor(255, 250, 205));
  QCOMPARE(city->property("Separatore_Record").toString(), QString("Grigia_Illuminata"));
  QCOMPARE(city->property("Record_Selector").toBool(), false);
  QCOMPARE(city->property("Text_Column").toString(), QString("Name"));
  QCOMPARE(city->property("Rows_Count").toInt(), 12);
  const QFont grid = city->property("Font_Grid").value<QFont>();
  QCOMPARE(grid.family(), QString("DejaVu Serif"));
  QVERIFY(grid.italic());
  QCOMPARE(city->property("Griglia_Centrata").toBool(), true);
  QCOMPARE(city->property("AltezzaIntest").toInt(), 400);
  // Properties the form leaves alone keep a new control's defaults.
  QCOMPARE(city->property("RowHeight").toInt(), 225);
  QCOMPARE(code->property("Enabled").toBool(), false);
  QCOMPARE(code->property("Alignment").toString(), QString("All_Right"));
  QCOMPARE(code->property("StileCbo").toString(), QString("TextBox"));
  auto* label = form->findChild<QLabel*>(QStringLiteral("cityLabel"));
  QVERIFY(label);
  QCOMPARE(label->buddy(), city);
}
