// The demo's controls filled from a SQLite file through Qt SQL, one fill per
// control, behind a modal progress dialog: while a fill runs the list refuses
// to be changed and its drop-down does not open, so no input may reach the
// controls meanwhile.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QSqlError>
#include <QSqlQuery>

#include "apps/cbo-demo/demo_window.hpp"
#include "platform/error.hpp"

namespace cbo::demo {

namespace {

// How many rows `countQuery` counts; -1 when there is no such query.
qint64 CountRows(QSqlDatabase& db, const QString& countQuery) {
  if (countQuery.isEmpty()) return -1;
  QSqlQuery q(db);
  if (!q.exec(countQuery) || !q.next())
    throw Error(ErrorKind::Database,
                "query \"" + countQuery.toStdString() + "\": " + q.lastError().text().toStdString());
  return q.value(0).toLongLong();
}

constexpr int kSteps = 1000;     // the progress bar's range when the rows are counted
constexpr int kShowAfter = 400;  // ms of loading before the progress dialog shows

}  // namespace

bool DemoWindow::LoadRows(const DemoSource& source) {
  ReadOnlyConnection connection(source.file);
  const qint64 total = CountRows(connection.Database(), source.countQuery);
  const QString name = QFileInfo(source.file).fileName();
  if (source.sampleLayout) {
    for (CboVarnoWidget* c : controlli_) LayOutSampleColumns(*c);
  }

  // A bar from 0 to kSteps over the three fills when the rows were counted,
  // a busy bar otherwise. It shows once the load has taken kShowAfter; from
  // then on, being modal, it alone takes the user's input, and the events
  // are handled at each word of progress (so that Cancel can be clicked).
  QElapsedTimer clock;
  clock.start();
  QProgressDialog progress(this);
  progress.setWindowTitle(QStringLiteral("Caricamento"));
  progress.setCancelButtonText(QStringLiteral("Annulla"));
  progress.setWindowModality(Qt::ApplicationModal);
  progress.setMinimumDuration(kShowAfter);
  progress.setRange(0, total > 0 ? kSteps : 0);
  progress.setValue(0);
  loading_ = true;
  const auto loaded = qScopeGuard([this] { loading_ = false; });
  for (int stile = 0; stile < kControlli; ++stile) {
    CboVarnoWidget& c = Controllo(stile);
    // Both connections go with the dialog.
    connect(&c, &CboVarnoWidget::fillProgress, &progress, [&progress, &clock, name, total, stile](qint64 rows) {
      progress.setLabelText(
          QStringLiteral("%1: controllo %2 di %3, %L4 righe lette").arg(name).arg(stile + 1).arg(kControlli).arg(rows));
      if (total > 0)
        progress.setValue(static_cast<int>(kSteps * (static_cast<double>(stile) * total + rows) /
                                           (static_cast<double>(kControlli) * total)));
      if (!progress.isVisible() && clock.elapsed() >= kShowAfter) progress.show();
      if (progress.isVisible()) QCoreApplication::processEvents();
    });
    connect(&progress, &QProgressDialog::canceled, &c, &CboVarnoWidget::cancelFill);
    QSqlQuery query(connection.Database());
    query.prepare(source.query);  // a query that does not prepare fails the fill with the driver's message
    if (!c.fillFromQuery(query)) {
      ShowMessage(QStringLiteral("Caricamento annullato: %1 controlli di %2 riempiti da %3")
                      .arg(stile)
                      .arg(kControlli)
                      .arg(name));
      AggiornaPiuTardi();
      return false;
    }
  }
  if (source.sampleLayout) {
    for (CboVarnoWidget* c : controlli_) {
      c->setText_Column(QStringLiteral("Comune"));
      c->setBound_Column(QStringLiteral("Codice"));
    }
  }
  ShowMessage(QStringLiteral("%L1 righe da %2").arg(Controllo(0).control().Record_Count()).arg(source.file));
  AggiornaPiuTardi();
  return true;
}

}  // namespace cbo::demo
