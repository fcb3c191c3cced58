// A form made in Designer, loaded at run time with QUiLoader and the plugin
// from the build: the plugin offers the widget and every property it sets
// reaches the control. The program does not link the library: the plugin
// brings it.
#include <QFile>
#include <QUiLoader>

#include "checks.hpp"

class LoaderTest : public QObject {
  Q_OBJECT

private slots:
  void thePluginOffersTheWidget() {
    QUiLoader loader;
    loader.addPluginPath(QStringLiteral(CBO_DESIGNER_PLUGIN_DIR));
    QVERIFY2(loader.availableWidgets().contains(QStringLiteral("cbo::CboVarnoWidget")),
             qPrintable(loader.availableWidgets().join(QLatin1Char(' '))));
  }

  void aFormMadeInDesignerLoadsWithItsProperties() {
    QUiLoader loader;
    loader.addPluginPath(QStringLiteral(CBO_DESIGNER_PLUGIN_DIR));
    QFile ui(QStringLiteral(CBO_FORM_UI));
    QVERIFY(ui.open(QIODevice::ReadOnly));
    std::unique_ptr<QWidget> form(loader.load(&ui));
    QVERIFY2(form, qPrintable(loader.errorString()));
    CheckFormUi(form.get());
  }
};

QTEST_MAIN(LoaderTest)
#include "loader_test.moc"
