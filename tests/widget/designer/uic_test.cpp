// The same form compiled with uic: the code uic writes for the widget builds
// against <torb_cbo/cbo_varno_widget.hpp> and sets every property.
#include "checks.hpp"
#include "ui_form.h"

class UicTest : public QObject {
  Q_OBJECT

private slots:
  void aFormCompiledWithUicHasItsProperties() {
    QWidget form;
    Ui::Form ui;
    ui.setupUi(&form);
    CheckFormUi(&form);
    QCOMPARE(ui.city->stileCbo(), cbo::CboVarnoWidget::ListCombo);
    QCOMPARE(ui.city->control().Rows_Count(), 12);
  }
};

QTEST_MAIN(UicTest)
#include "uic_test.moc"
