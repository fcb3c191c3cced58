// A form a host writes: a province and a town, the provinces read from a
// database through Qt SQL, the town's list a few thousand rows long, the
// choice shown as it is made, the settings kept in QSettings. With --check it
// plays a user offscreen and exits 0 when the form heard what it should have.
#include <QApplication>
#include <QFormLayout>
#include <QLabel>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <torb_cbo/cbo_varno_widget.hpp>

namespace {

class Form : public QWidget {
public:
  Form() {
    auto* layout = new QFormLayout(this);
    province = new cbo::CboVarnoWidget(this);
    town = new cbo::CboVarnoWidget(this);
    choice = new QLabel(this);
    layout->addRow(QStringLiteral("&Province"), province);
    layout->addRow(QStringLiteral("&Town"), town);
    layout->addRow(choice);

    // The provinces from a database (here one in memory): the fields are
    // filled from the query's columns of the same names.
    province->setStileCbo(cbo::CboVarnoWidget::ComboBox);
    province->control().AddField("Code", "Code", true, 800);
    province->control().AddField("Name", "Province", true, 2400);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(QStringLiteral(":memory:"));
    if (db.open()) {
      QSqlQuery query(db);
      query.exec(QStringLiteral("CREATE TABLE province (code TEXT, name TEXT)"));
      query.exec(
          QStringLiteral("INSERT INTO province VALUES ('AL', 'Alessandria'), ('BO', 'Bologna'), "
                         "('CO', 'Como'), ('TO', 'Torino')"));
      query.prepare(QStringLiteral("SELECT code, name FROM province ORDER BY name"));
      province->fillFromQuery(query);  // cbo::Error when the query fails
    }
    province->setText_Column(QStringLiteral("Name"));
    province->setBound_Column(QStringLiteral("Code"));

    town->setStileCbo(cbo::CboVarnoWidget::ListCombo);
    town->setRows_Count(12);
    town->control().AddField("Town", "Town", true, 2600);
    town->control().AddField("Zip", "Postcode", true, 1000, cbo::Linea_Grigia, "", cbo::Destra);
    for (int i = 1; i <= 3000; ++i) {
      town->control().ListItem("Town", cbo::Variant("Town " + std::to_string(i)));
      town->control().ListItem("Zip", cbo::Variant(std::to_string(10000 + i)));
      town->control().AddItem();
    }
    town->setText_Column(QStringLiteral("Town"));
    town->setBound_Column(QStringLiteral("Zip"));

    connect(town, &cbo::CboVarnoWidget::rowChosen, this, [this](int listIndex) {
      ++choices;
      choice->setText(QStringLiteral("Row %1: %2, postcode %3").arg(listIndex).arg(town->text(), town->value()));
    });
  }
  cbo::CboVarnoWidget* province;
  cbo::CboVarnoWidget* town;
  QLabel* choice;
  int choices = 0;
};

int Check(Form& form) {
  if (form.province->control().Record_Count() != 4) {
    std::fprintf(stderr, "qt-form: %d provinces were read from the database\n",
                 form.province->control().Record_Count());
    return 1;
  }
  form.choices = 0;
  form.town->setListIndex(1234);
  if (form.choices != 1 || form.town->text() != QStringLiteral("Town 1234")) {
    std::fprintf(stderr, "qt-form: the choice was not heard (%d signals, text %s)\n", form.choices,
                 qPrintable(form.town->text()));
    return 1;
  }
  QTemporaryDir dir;
  QSettings settings(dir.filePath("form.ini"), QSettings::IniFormat);
  form.town->setRows_Count(20);
  form.town->saveSettings(settings, QStringLiteral("Town"));
  cbo::CboVarnoWidget fresh;
  fresh.loadSettings(settings, QStringLiteral("Town"));
  if (fresh.rows_Count() != 20 || fresh.stileCbo() != cbo::CboVarnoWidget::ListCombo) {
    std::fprintf(stderr, "qt-form: the settings did not read back\n");
    return 1;
  }
  std::printf("qt-form: ok (%s)\n", qPrintable(form.choice->text()));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Form form;
  form.show();
  if (argc > 1 && std::strcmp(argv[1], "--check") == 0) return Check(form);
  return app.exec();
}
