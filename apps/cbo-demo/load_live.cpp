// The demo's live list: the customers' file made on the first run behind a
// progress dialog, then attached to the fourth control, which reads only the
// rows it shows.
#include <QCoreApplication>
#include <QFileInfo>
#include <QProgressDialog>

#include "apps/cbo-demo/demo_window.hpp"
#include "apps/cbo-demo/live_database.hpp"
#include "platform/error.hpp"
#include "sqlite/live_sqlite.hpp"

namespace cbo::demo {

void DemoWindow::LoadLive(const QString& file) {
  QProgressDialog progress(this);
  progress.setWindowTitle(QStringLiteral("Preparazione"));
  progress.setLabelText(QStringLiteral("Preparo un milione di clienti in %1 (solo la prima volta)").arg(file));
  progress.setCancelButton(nullptr);
  progress.setWindowModality(Qt::ApplicationModal);
  progress.setRange(0, static_cast<int>(kLiveRows / 1000) + 4);
  progress.setMinimumDuration(300);
  int indexes = 0;
  CreateLiveDatabase(file, [&](int64_t rows) {
    // The rows, then one step per index made, the filter's text index last.
    progress.setValue(static_cast<int>(rows / 1000) + (rows == kLiveRows ? indexes++ : 0));
    QCoreApplication::processEvents();
  });
  progress.reset();

  CboVarnoWidget& c = *live_;
  c.control().Combo_Clear(Tutto);
  c.control().AddField("Cliente", "Cliente", true, 2400, 2);
  c.control().AddField("Comune", "Comune", true, 2000, 2);
  c.control().AddField("Provincia", "Provincia", true, 1800, 2);
  AttachSqlite(c.control(), file.toStdString(), kLiveTable, "Codice", {"Cliente", "Comune", "Provincia"});
  statoLive_->setText(QStringLiteral("%L1 righe in %2, lette solo quelle che si vedono")
                          .arg(c.control().Record_Count())
                          .arg(QFileInfo(file).fileName()));
}

}  // namespace cbo::demo
