// A live list's grid scrolled far: the rows it shows are read on a thread
// of their own while the user-interface thread goes on, the grid says it is
// reading them when they are slow to come (another connection holds the
// database locked), and a read that fails is reported and asked for again.
#include <QAccessible>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "form.hpp"

using namespace cbo;
using namespace cbo::testing;

namespace {

constexpr int kRows = 3000;

void Exec(QSqlDatabase& db, const QString& sql) {
  QSqlQuery query(db);
  if (!query.exec(sql)) QFAIL(qPrintable(sql + ": " + query.lastError().text()));
}

QString ShownText(QTableView* view, int row) { return view->model()->index(row, 0).data().toString(); }

QLabel* BusyNotice(QTableView* view) { return view->viewport()->findChild<QLabel*>(); }

}  // namespace

class LivePagesTest : public QObject {
  Q_OBJECT

private:
  QTemporaryDir dir;
  QString file;

  // A connection to the file (the writer's can lock it).
  QSqlDatabase Open(const QString& name) {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
    db.setDatabaseName(file);
    if (!db.open()) qWarning() << db.lastError().text();
    return db;
  }

private slots:
  void initTestCase() {
    file = dir.filePath("pages.db");
    QSqlDatabase db = Open("writer");
    Exec(db, "CREATE TABLE t (id INTEGER PRIMARY KEY, Place TEXT, Code TEXT)");
    Exec(db, "BEGIN");
    QSqlQuery insert(db);
    insert.prepare("INSERT INTO t VALUES (?, ?, ?)");
    for (int id = 1; id <= kRows; ++id) {
      insert.addBindValue(id);
      insert.addBindValue(QStringLiteral("Place %1").arg(id));
      insert.addBindValue(QString::number(1000 + id));
      QVERIFY(insert.exec());
    }
    Exec(db, "COMMIT");
  }

  void rowsScrolledToAreReadWhileTheGridSaysItIsReadingThem() {
    QSqlDatabase db = Open("pages");
    Form f(CboVarnoWidget::ListCombo, false);
    f.cbo->attachTable(db, "t", "id", {"Place", "Code"});
    QVERIFY(WithGridOpen(f, [&](QTableView* view) {
      QCOMPARE(ShownText(view, 0), QStringLiteral("Place 1"));
      QSqlDatabase writer = QSqlDatabase::database("writer");
      Exec(writer, "BEGIN EXCLUSIVE");  // no one reads until it ends
      view->verticalScrollBar()->setSliderPosition(2000);
      QTRY_VERIFY(BusyNotice(view) && BusyNotice(view)->isVisible());
      QCOMPARE(BusyNotice(view)->text(), QStringLiteral("Reading rows\u2026"));
      QCOMPARE(view->viewport()->cursor().shape(), Qt::BusyCursor);
      QCOMPARE(ShownText(view, 0), QString());  // not there yet
      QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(view);
      QVERIFY(accessible && accessible->state().busy);
      Exec(writer, "ROLLBACK");
      QTRY_COMPARE(ShownText(view, 0), QStringLiteral("Place 2001"));
      QVERIFY(!BusyNotice(view)->isVisible());
      QCOMPARE(view->viewport()->cursor().shape(), Qt::ArrowCursor);
      QVERIFY(!accessible->state().busy);
    }));
  }

  void aReadThatFailsIsReportedAndAskedForAgainWhenTheGridMoves() {
    // The page reads wait for a lock no longer than the time limit.
    QSqlDatabase db = Open("impatient");
    Form f(CboVarnoWidget::ListCombo, false);
    f.cbo->setTimeLimit(300);
    f.cbo->attachTable(db, "t", "id", {"Place", "Code"});
    QSignalSpy errors(f.cbo, &CboVarnoWidget::errorOccurred);
    QVERIFY(WithGridOpen(f, [&](QTableView* view) {
      QSqlDatabase writer = QSqlDatabase::database("writer");
      Exec(writer, "BEGIN EXCLUSIVE");
      view->verticalScrollBar()->setSliderPosition(1500);
      QTRY_COMPARE(errors.count(), 1);
      QCOMPARE(errors[0][0].toString(), QStringLiteral("ReadRows"));
      QVERIFY2(errors[0][1].toString().startsWith("Database: ") && errors[0][1].toString().contains("locked"),
               qPrintable(errors[0][1].toString()));
      QTRY_VERIFY(!BusyNotice(view) || !BusyNotice(view)->isVisible());
      QCOMPARE(ShownText(view, 0), QString());
      Exec(writer, "ROLLBACK");
      view->verticalScrollBar()->setSliderPosition(1501);
      QTRY_COMPARE(ShownText(view, 0), QStringLiteral("Place 1502"));
      QCOMPARE(errors.count(), 1);
    }));
  }
};

QTEST_MAIN(LivePagesTest)
#include "live_pages_test.moc"
