// saveState and restoreState: the design-time settings and the user's
// choice, which saveSettings does not keep, restored at once into a filled
// list and once a list still empty is filled.
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "form.hpp"

using namespace cbo;
using namespace cbo::testing;

class StateTest : public QObject {
  Q_OBJECT

private slots:
  void theUsersChoiceComesBackInAFilledList() {
    QByteArray state;
    {
      Form f(CboVarnoWidget::ListCombo);
      f.cbo->setVisibleRows(14);
      QTest::keyClicks(f.Edit(), "To");  // the user chooses Torino
      QCOMPARE(f.cbo->currentValue(), QString("1009"));
      state = f.cbo->saveState();
    }
    Form g(CboVarnoWidget::ComboBox);
    QSignalSpy row(g.cbo, &CboVarnoWidget::currentRowChanged);
    QVERIFY(g.cbo->restoreState(state));
    QCOMPARE(g.cbo->comboStyle(), CboVarnoWidget::ListCombo);
    QCOMPARE(g.cbo->visibleRows(), 14);
    QCOMPARE(g.cbo->currentText(), QString("Torino"));
    QCOMPARE(g.cbo->currentValue(), QString("1009"));
    QCOMPARE(row.count(), 1);
  }

  void aChoiceForAnEmptyListWaitsForItsFill() {
    QByteArray state;
    {
      Form f(CboVarnoWidget::ListCombo);
      f.cbo->setValue(QStringLiteral("1012"));  // Bologna
      state = f.cbo->saveState();
    }
    Form g(CboVarnoWidget::ListCombo, false);
    QVERIFY(g.cbo->restoreState(state));
    QCOMPARE(g.cbo->currentText(), QString());
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("state"));
    db.setDatabaseName(QStringLiteral(":memory:"));
    QVERIFY(db.open());
    {
      QSqlQuery q(db);
      QVERIFY(q.exec(QStringLiteral("CREATE TABLE p (Place TEXT, Code TEXT)")));
      QVERIFY(q.exec(QStringLiteral("INSERT INTO p VALUES ('Roma','1000'), ('Bologna','1012'), ('Bari','1011')")));
      QVERIFY(q.prepare(QStringLiteral("SELECT Place, Code FROM p")));
      QVERIFY(g.cbo->fillFromQuery(q));
    }
    g.cbo->setBoundColumn(QStringLiteral("Code"));
    // The state's Bound_Column is the saved one; the fill brought the row.
    QCOMPARE(g.cbo->currentText(), QString("Bologna"));
    // Only once: a later fill does not choose it again.
    g.cbo->setValue(QStringLiteral("1000"));
    QSqlQuery again(db);
    QVERIFY(again.prepare(QStringLiteral("SELECT Place, Code FROM p")));
    QVERIFY(g.cbo->fillFromQuery(again));
    QCOMPARE(g.cbo->currentText(), QString("Roma"));
    db.close();
  }

  void freeTextInComboBoxComesBack() {
    Form f(CboVarnoWidget::ComboBox);
    f.cbo->setCurrentText(QStringLiteral("Not in the list"));
    const QByteArray state = f.cbo->saveState();
    Form g(CboVarnoWidget::ComboBox);
    QVERIFY(g.cbo->restoreState(state));
    QCOMPARE(g.cbo->currentText(), QString("Not in the list"));
  }

  void dataThatIsNoStateChangesNothing() {
    Form f(CboVarnoWidget::ListCombo);
    f.cbo->setVisibleRows(9);
    QByteArray state = f.cbo->saveState();
    Form g(CboVarnoWidget::ComboBox);
    QVERIFY(!g.cbo->restoreState(QByteArray("not a state")));
    QVERIFY(!g.cbo->restoreState(QByteArray()));
    QVERIFY(!g.cbo->restoreState(state.left(state.size() / 2)));     // cut short
    state[state.size() / 2] = char(state[state.size() / 2] ^ 0x20);  // changed inside the settings
    QVERIFY(!g.cbo->restoreState(state));
    QCOMPARE(g.cbo->comboStyle(), CboVarnoWidget::ComboBox);
    QCOMPARE(g.cbo->visibleRows(), int(Form(CboVarnoWidget::ComboBox).cbo->visibleRows()));
  }
};

QTEST_MAIN(StateTest)
#include "state_test.moc"
