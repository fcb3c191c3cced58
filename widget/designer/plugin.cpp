#include "widget/designer/plugin.hpp"

#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include "widget/cbo_varno_widget.hpp"

namespace cbo::designer {

QString CboVarnoPlugin::name() const { return QStringLiteral("cbo::CboVarnoWidget"); }

QString CboVarnoPlugin::group() const { return QStringLiteral("Input Widgets"); }

QString CboVarnoPlugin::toolTip() const { return QStringLiteral("Combo box with a multi-column drop-down grid"); }

QString CboVarnoPlugin::whatsThis() const {
  return QStringLiteral(
      "CboVarno: a combo box whose drop-down list is a grid with clickable column headers. Define its columns "
      "and rows in code through control(); its 24 persisted properties are set here.");
}

QString CboVarnoPlugin::includeFile() const { return QStringLiteral("torb_cbo/cbo_varno_widget.hpp"); }

// A text field with a drop-down button, drawn.
QIcon CboVarnoPlugin::icon() const {
  QPixmap pixmap(22, 22);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(Qt::darkGray);
  p.setBrush(Qt::white);
  p.drawRect(1, 6, 19, 9);
  p.setBrush(Qt::black);
  const QPoint arrow[] = {{14, 9}, {18, 9}, {16, 12}};
  p.drawPolygon(arrow, 3);
  return QIcon(pixmap);
}

QWidget* CboVarnoPlugin::createWidget(QWidget* parent) { return new CboVarnoWidget(parent); }

// The header goes into forms as a global include: #include <torb_cbo/...>.
QString CboVarnoPlugin::domXml() const {
  return QStringLiteral(
      "<ui language=\"c++\" displayname=\"CboVarno\">\n"
      " <widget class=\"cbo::CboVarnoWidget\" name=\"cboVarno\"/>\n"
      " <customwidgets>\n"
      "  <customwidget>\n"
      "   <class>cbo::CboVarnoWidget</class>\n"
      "   <extends>QWidget</extends>\n"
      "   <header location=\"global\">torb_cbo/cbo_varno_widget.hpp</header>\n"
      "  </customwidget>\n"
      " </customwidgets>\n"
      "</ui>\n");
}

}  // namespace cbo::designer
