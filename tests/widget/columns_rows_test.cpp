// Columns and rows the Qt way: addColumn in pixels with named options,
// addRow from a list or a map, fillFromModel; each converts as fillFromQuery
// does and goes in whole or not at all.
#include <QSignalSpy>
#include <QStandardItemModel>

#include "form.hpp"
#include "list/list_store.hpp"

using namespace cbo;
using namespace cbo::testing;

namespace {

QString CellText(CboVarnoWidget& w, int key, const char* field) {
  w.setListIndex(key);
  return QString::fromStdString(w.control().ListValue(field).AsString());
}

}  // namespace

class ColumnsRowsTest : public QObject {
  Q_OBJECT

private slots:
  void addColumnTakesPixelsAndNamedOptions() {
    Form f(CboVarnoWidget::ListCombo, false);
    CboVarnoWidget::ColumnOptions zip;
    zip.alignment = Qt::AlignRight;
    zip.sortable = false;
    zip.divider = CboVarnoWidget::Nessuna_Divisione;
    f.cbo->addColumn(QStringLiteral("Town"), QStringLiteral("Town"), 120);
    f.cbo->addColumn(QStringLiteral("Zip"), QString(), 60, zip);
    const std::vector<ColumnDef>& cols = f.cbo->control().Lista().Matrice_Campi();
    QCOMPARE(cols[0].Larghezza_Colonna, 1800.0);        // 15 twips a pixel
    QCOMPARE(cols[1].NomeColonna, std::string("Zip"));  // no caption: the name
    QCOMPARE(cols[1].Allineamento_Colonna, int(Destra));
    QCOMPARE(cols[1].Colonna_Ordinabile, false);
    QCOMPARE(cols[1].Separatore_Colonna, int(Nessuna_Divisione));
    QVERIFY_THROWS_EXCEPTION(Error, f.cbo->addColumn(QStringLiteral("Bad"), QString(), -1));
  }

  void addRowConvertsAsAQueryDoesAndGoesInWhole() {
    Form f(CboVarnoWidget::ListCombo, false);
    f.cbo->addColumn(QStringLiteral("Name"));
    f.cbo->addColumn(QStringLiteral("Born"));
    f.cbo->addColumn(QStringLiteral("Score"));
    f.cbo->setBoundColumn(QStringLiteral("Name"));
    f.cbo->addRow(QVariantList{QStringLiteral("Ada"), QDate(1815, 12, 10), 42});
    f.cbo->addRow(QVariantMap{{QStringLiteral("name"), QStringLiteral("Bea")}, {QStringLiteral("SCORE"), 0.5}});
    QCOMPARE(f.cbo->control().Record_Count(), 2);
    QCOMPARE(CellText(*f.cbo, 1, "Born"), QString("1815-12-10"));
    QCOMPARE(CellText(*f.cbo, 1, "Score"), QString("42"));
    QCOMPARE(CellText(*f.cbo, 2, "Score"), QString("0.5"));
    QVERIFY(f.cbo->control().ListValue("Born").IsNull());  // left out of the map: Null
    // Refused whole, naming what was wrong; the list as it was.
    auto refuses = [&](auto&& call, const char* named) {
      try {
        call();
        QFAIL("no error");
      } catch (const Error& e) {
        QVERIFY2(QString::fromUtf8(e.what()).contains(QLatin1String(named)), e.what());
      }
      QCOMPARE(f.cbo->control().Record_Count(), 2);
    };
    refuses([&] { f.cbo->addRow(QVariantList{QStringLiteral("Cy"), QVariant()}); }, "2 values for the 3 columns");
    refuses([&] { f.cbo->addRow(QVariantMap{{QStringLiteral("Nome"), QStringLiteral("Cy")}}); }, "\"Nome\"");
    refuses([&] { f.cbo->addRow(QVariantList{QByteArray("\x01"), 1, 2}); }, "\"Name\"");
    Form empty(CboVarnoWidget::ListCombo, false);
    QVERIFY_THROWS_EXCEPTION(Error, empty.cbo->addRow(QVariantList{1}));
  }

  void fillFromModelMakesOrMatchesColumnsAllOrNothing() {
    QStandardItemModel model(0, 2);
    model.setHorizontalHeaderLabels({QStringLiteral("Town"), QStringLiteral("Zip")});
    for (const auto& [town, zip] : {std::pair{"Asti", 14100}, {"Biella", 13900}, {"Cuneo", 12100}}) {
      auto* t = new QStandardItem(QString::fromUtf8(town));
      auto* z = new QStandardItem;
      z->setData(zip, Qt::DisplayRole);
      model.appendRow({t, z});
    }
    // A list without columns gets one per model column.
    Form f(CboVarnoWidget::ListCombo, false);
    QSignalSpy progress(f.cbo, &CboVarnoWidget::fillProgress);
    QSignalSpy row(f.cbo, &CboVarnoWidget::currentRowChanged);
    QVERIFY(f.cbo->fillFromModel(model));
    QCOMPARE(f.cbo->control().Record_Count(), 3);
    QCOMPARE(f.cbo->currentText(), QString("Asti"));  // the first column is the text column
    QVERIFY(!progress.isEmpty());
    QCOMPARE(row.count(), 1);  // the first row is the choice
    f.cbo->setBoundColumn(QStringLiteral("Zip"));
    f.cbo->setCurrentKey(2);
    QCOMPARE(f.cbo->currentValue(), QString("13900"));
    // A list with columns fills each by name; a model value the list refuses
    // leaves it as it was.
    model.item(2, 1)->setData(QByteArray("\x00\x01", 2), Qt::DisplayRole);
    try {
      f.cbo->fillFromModel(model);
      QFAIL("no error");
    } catch (const Error& e) {
      QVERIFY2(QString::fromUtf8(e.what()).contains("row 3, column \"Zip\""), e.what());
    }
    QCOMPARE(f.cbo->control().Record_Count(), 3);
    // Cancelled from fillProgress: nothing goes in.
    model.item(2, 1)->setData(12100, Qt::DisplayRole);
    connect(f.cbo, &CboVarnoWidget::fillProgress, f.cbo, &CboVarnoWidget::cancelFill);
    QVERIFY(!f.cbo->fillFromModel(model));
    QCOMPARE(f.cbo->control().Record_Count(), 3);
  }
};

QTEST_MAIN(ColumnsRowsTest)
#include "columns_rows_test.moc"
