// The demo over SQLite files: its own file of places made on first run and
// left alone afterwards, the file and query the command line picks, and the
// three controls filled behind a progress dialog whose Cancel leaves the
// control being filled as it was.
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include "apps/cbo-demo/demo_source.hpp"
#include "apps/cbo-demo/demo_window.hpp"
#include "apps/cbo-demo/sample_data.hpp"
#include "apps/cbo-demo/sample_database.hpp"
#include "platform/error.hpp"
#include "list/list_store.hpp"

using namespace cbo;
using namespace cbo::demo;

namespace {

template <class F>
QString ErrorOf(F&& f) {
  try {
    f();
  } catch (const Error& e) {
    return QString::fromUtf8(e.what());
  }
  return QString();
}

// Runs each statement on a new SQLite file (or one that exists).
bool Execute(const QString& file, const QStringList& statements) {
  bool ok = true;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test"));
    db.setDatabaseName(file);
    ok = db.open();
    for (const QString& sql : statements) {
      QSqlQuery q(db);
      if (ok && !q.exec(sql)) {
        qWarning() << sql << q.lastError().text();
        ok = false;
      }
    }
  }
  QSqlDatabase::removeDatabase(QStringLiteral("test"));
  return ok;
}

// The values of the first column of `query` on `file`.
QStringList Column(const QString& file, const QString& query) {
  QStringList out;
  ReadOnlyConnection connection(file);
  QSqlQuery q(connection.Database());
  if (!q.exec(query)) return {q.lastError().text()};
  while (q.next()) out << q.value(0).toString();
  return out;
}

// A control's rows by its text column, in the list's order.
QStringList Texts(CboVarnoWidget& w, const char* field) {
  QStringList out;
  const RecordsetRef& table = w.control().Lista().Rcset_Cbo();
  if (!table || table->State() != 1) return out;
  int f = 0;
  while (f < table->FieldCount() && table->FieldName(f) != field) ++f;
  for (int32_t r = 0; r < table->RecordCount(); ++r) out << QString::fromStdString(table->ValueAt(r, f).AsString());
  return out;
}

}  // namespace

class DemoDatabaseTest : public QObject {
  Q_OBJECT

private slots:
  void theSampleFileHoldsEveryPlaceInOrderAndIsMadeOnce() {
    QTemporaryDir dir;
    const QString file = SampleDatabasePath(dir.filePath("cbo-demo.ini"));
    QCOMPARE(file, dir.filePath("cbo-demo.db"));
    CreateSampleDatabase(file);
    const QStringList names = Column(file, "SELECT Comune FROM comuni ORDER BY rowid");
    QCOMPARE(names.size(), static_cast<qsizetype>(Luoghi().size()));
    for (size_t i = 0; i < Luoghi().size(); ++i) QCOMPARE(names[qsizetype(i)].toStdString(), Luoghi()[i].Comune);
    // Postal codes keep their leading zeros.
    QVERIFY(Column(file, "SELECT CAP FROM comuni WHERE Provincia = 'Roma (RM)'").first().startsWith("000"));
    QVERIFY(!QFile::exists(file + ".part"));
    // A file that is there is left as it is.
    QVERIFY(Execute(file, {"DELETE FROM comuni WHERE rowid > 1"}));
    CreateSampleDatabase(file);
    QCOMPARE(Column(file, "SELECT count(*) FROM comuni"), QStringList{"1"});
  }

  void aSampleFileThatCannotBeMadeIsAnErrorNamingItAndLeavesNothing() {
    QTemporaryDir dir;
    const QString file = dir.filePath("missing/folder/cbo-demo.db");
    const QString e = ErrorOf([&] { CreateSampleDatabase(file); });
    QVERIFY2(e.contains(file), qPrintable(e));
    QVERIFY(!QFile::exists(file));
    QVERIFY(!QFile::exists(file + ".part"));
  }

  void theCommandLinePicksTheFileAndTheQuery() {
    QTemporaryDir dir;
    const QString settings = dir.filePath("cbo-demo.ini");
    // Nothing asked: the demo's own file, made now, with its own layout.
    DemoSource own = ChooseSource("", "", settings);
    QCOMPARE(own.file, dir.filePath("cbo-demo.db"));
    QVERIFY(own.sampleLayout);
    QVERIFY(QFile::exists(own.file));
    // A query alone runs on the demo's own file, its columns from the query.
    DemoSource query = ChooseSource("", "SELECT Comune FROM comuni", settings);
    QCOMPARE(query.file, own.file);
    QCOMPARE(query.query, QString("SELECT Comune FROM comuni"));
    QVERIFY(!query.sampleLayout);
    QVERIFY(query.countQuery.isEmpty());
    // A file of the user's: its first table as created (not by name), its
    // name quoted, or the query given.
    const QString user = dir.filePath("user.db");
    QVERIFY(Execute(user, {"CREATE TABLE \"zeta \"\"z\"\"\" (a)", "CREATE TABLE alfa (b)",
                           "INSERT INTO \"zeta \"\"z\"\"\" VALUES (1), (2)"}));
    DemoSource first = ChooseSource(user, "", settings);
    QCOMPARE(first.query, QString("SELECT * FROM \"zeta \"\"z\"\"\""));
    QCOMPARE(Column(user, first.countQuery), QStringList{"2"});
    QVERIFY(!first.sampleLayout);
    QCOMPARE(ChooseSource(user, "SELECT b FROM alfa", settings).query, QString("SELECT b FROM alfa"));
  }

  void aFileThatIsMissingOrHasNoTableIsAnErrorNamingIt() {
    QTemporaryDir dir;
    const QString missing = dir.filePath("missing.db");
    QString e = ErrorOf([&] { ChooseSource(missing, "", ""); });
    QVERIFY2(e.contains(missing) && e.contains("no such file"), qPrintable(e));
    QVERIFY(!QFile::exists(missing));  // opened read-only, never made
    const QString empty = dir.filePath("empty.db");
    QVERIFY(Execute(empty, {"CREATE VIEW v AS SELECT 1"}));
    e = ErrorOf([&] { ChooseSource(empty, "", ""); });
    QVERIFY2(e.contains(empty) && e.contains("no table"), qPrintable(e));
  }

  void theSamplePlacesFillTheThreeControlsWithTheDemosLayout() {
    QTemporaryDir dir;
    DemoWindow window;
    QVERIFY(window.LoadRows(ChooseSource("", "", dir.filePath("cbo-demo.ini"))));
    for (int stile = 0; stile < DemoWindow::kControlli; ++stile) {
      CboVarnoWidget& c = window.Controllo(stile);
      QCOMPARE(c.control().Record_Count(), static_cast<int32_t>(Luoghi().size()));
      QCOMPARE(Texts(c, "Comune").first().toStdString(), Luoghi().front().Comune);
      QCOMPARE(c.text_Column(), QString("Comune"));
      QCOMPARE(c.bound_Column(), QString("Codice"));
      QVERIFY(!c.control().Lista().Matrice_Campi().back().Visualizza_Colonna);  // Codice is hidden
    }
    QVERIFY2(window.Messaggio().contains(dir.filePath("cbo-demo.db")), qPrintable(window.Messaggio()));
  }

  void cancelInTheProgressDialogStopsTheLoadWhereItIs() {
    QTemporaryDir dir;
    const QString user = dir.filePath("user.db");
    QVERIFY(Execute(user, {"CREATE TABLE t (name TEXT)",
                           "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000) "
                           "INSERT INTO t SELECT 'Town ' || i FROM n"}));
    DemoWindow window;
    window.Controllo(2).control().AddField("name");  // the third control had a column already
    // The user clicks Cancel as the second control's fill starts.
    connect(&window.Controllo(1), &CboVarnoWidget::fillProgress, &window, [&window] {
      if (auto* progress = window.findChild<QProgressDialog*>())
        if (auto* cancel = progress->findChild<QPushButton*>()) cancel->click();
    });
    QVERIFY(!window.LoadRows(ChooseSource(user, "", "")));
    QCOMPARE(window.Controllo(0).control().Record_Count(), 5000);
    QCOMPARE(window.Controllo(1).control().Lista().NumMtCol(), 0);  // as it was: no columns
    QCOMPARE(window.Controllo(2).control().Record_Count(), 0);
    QVERIFY2(window.Messaggio().contains("annullato"), qPrintable(window.Messaggio()));
  }

  void aQueryThatFailsIsAnErrorAndTheControlsStayAsTheyWere() {
    QTemporaryDir dir;
    const QString user = dir.filePath("user.db");
    QVERIFY(Execute(user, {"CREATE TABLE t (name TEXT)", "INSERT INTO t VALUES ('Roma')"}));
    DemoWindow window;
    const QString e = ErrorOf([&] { window.LoadRows(ChooseSource(user, "SELECT name FROM nowhere", "")); });
    QVERIFY2(e.contains("no such table"), qPrintable(e));
    QCOMPARE(window.Controllo(0).control().Lista().NumMtCol(), 0);
  }
};

QTEST_MAIN(DemoDatabaseTest)
#include "demo_database_test.moc"
