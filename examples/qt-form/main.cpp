// A form a host writes, made in Designer (form.ui): a province and a town.
// The provinces are read from a database through Qt SQL, the towns added row
// by row; the choice is shown as the user makes it, and the state of both
// controls (their settings and the user's choice) is kept in QSettings from
// one run to the next. With --check it plays a user offscreen and exits 0
// when the form heard what it should have.
#include <QApplication>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <torb_cbo/cbo_varno_widget.hpp>

#include "ui_form.h"

namespace {

class Form : public QWidget {
public:
  Form() {
    ui.setupUi(this);  // the styles and Rows_Count come from form.ui

    // The provinces from a database (here one in memory): a list with
    // columns is filled from the query's columns of the same names.
    ui.province->addColumn(QStringLiteral("code"), tr("Code"), 50);
    ui.province->addColumn(QStringLiteral("name"), tr("Province"), 160);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(QStringLiteral(":memory:"));
    if (db.open()) {
      QSqlQuery query(db);
      query.exec(QStringLiteral("CREATE TABLE province (code TEXT, name TEXT)"));
      query.exec(
          QStringLiteral("INSERT INTO province VALUES ('AL', 'Alessandria'), ('BO', 'Bologna'), "
                         "('CO', 'Como'), ('TO', 'Torino')"));
      query.prepare(QStringLiteral("SELECT code, name FROM province ORDER BY name"));
      ui.province->fillFromQuery(query);  // cbo::Error when the query fails
    }
    ui.province->setTextColumn(QStringLiteral("name"));
    ui.province->setBoundColumn(QStringLiteral("code"));

    // The towns, a few thousand rows, the postcode right-aligned.
    cbo::CboVarnoWidget::ColumnOptions right;
    right.alignment = Qt::AlignRight;
    ui.town->addColumn(QStringLiteral("town"), tr("Town"), 170);
    ui.town->addColumn(QStringLiteral("zip"), tr("Postcode"), 70, right);
    for (int i = 1; i <= 3000; ++i) ui.town->addRow({QStringLiteral("Town %1").arg(i), 10000 + i});
    ui.town->setTextColumn(QStringLiteral("town"));
    ui.town->setBoundColumn(QStringLiteral("zip"));

    connect(ui.town, &cbo::CboVarnoWidget::currentRowChanged, this, [this](int key) {
      ++rowChanges;
      ui.choice->setText(tr("Row %1: %2, postcode %3").arg(key).arg(ui.town->currentText(), ui.town->currentValue()));
    });
  }

  void saveState(QSettings& settings) const {
    settings.setValue(QStringLiteral("form/province"), ui.province->saveState());
    settings.setValue(QStringLiteral("form/town"), ui.town->saveState());
  }
  void restoreState(const QSettings& settings) {
    ui.province->restoreState(settings.value(QStringLiteral("form/province")).toByteArray());
    ui.town->restoreState(settings.value(QStringLiteral("form/town")).toByteArray());
  }

  Ui::Form ui;
  int rowChanges = 0;
};

int Fail(const char* why) {
  std::fprintf(stderr, "qt-form: %s\n", why);
  return 1;
}

int Check(Form& form) {
  if (form.ui.province->control().Record_Count() != 4) return Fail("the provinces were not read from the database");
  if (form.ui.town->visibleRows() != 12) return Fail("form.ui's Rows_Count did not reach the town");
  form.rowChanges = 0;
  form.ui.province->setCurrentText(QStringLiteral("Como"));
  form.ui.town->setCurrentKey(1234);
  form.ui.town->setCurrentKey(1234);  // the same row: no second signal
  if (form.rowChanges != 1 || form.ui.choice->text() != QStringLiteral("Row 1234: Town 1234, postcode 11234"))
    return Fail(qPrintable(
        QStringLiteral("the choice was not heard (%1 signals, %2)").arg(form.rowChanges).arg(form.ui.choice->text())));
  // The next run of the form finds the user's choices again.
  QTemporaryDir dir;
  QSettings settings(dir.filePath(QStringLiteral("form.ini")), QSettings::IniFormat);
  form.saveState(settings);
  Form next;
  next.restoreState(settings);
  if (next.ui.town->currentValue() != QStringLiteral("11234") ||
      next.ui.province->currentText() != QStringLiteral("Como"))
    return Fail("the state did not bring the choices back");
  std::printf("qt-form: ok (%s)\n", qPrintable(form.ui.choice->text()));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName(QStringLiteral("TORB_Cbo examples"));
  QCoreApplication::setApplicationName(QStringLiteral("qt-form"));
  const bool check = argc > 1 && std::strcmp(argv[1], "--check") == 0;
  Form form;
  if (!check) {
    QSettings settings;  // the choices of the last run
    form.restoreState(settings);
  }
  form.show();
  if (check) return Check(form);
  const int status = app.exec();
  QSettings settings;
  form.saveState(settings);
  return status;
}
