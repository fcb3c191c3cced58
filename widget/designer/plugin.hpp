#pragma once
// The Designer plugin: CboVarnoWidget in the widget box ("Input Widgets"),
// its properties in the property editor with the enumerations as drop-down
// choices, and the header that uic writes into the forms made with it.
#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

namespace cbo::designer {

class CboVarnoPlugin : public QObject, public QDesignerCustomWidgetInterface {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
  Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
  explicit CboVarnoPlugin(QObject* parent = nullptr) : QObject(parent) {}
  QString name() const override;
  QString group() const override;
  QString toolTip() const override;
  QString whatsThis() const override;
  QString includeFile() const override;
  QIcon icon() const override;
  bool isContainer() const override { return false; }
  QWidget* createWidget(QWidget* parent) override;
  QString domXml() const override;
};

}  // namespace cbo::designer
