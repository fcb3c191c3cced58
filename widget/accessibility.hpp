#pragma once
// What assistive technology is told about a CboVarnoWidget: a combo box whose
// name and description are the widget's own (or its buddy label's text),
// whose value is its text, and whose text box carries the same name.
#include <QString>

class QWidget;

namespace cbo::widget {

// Installs the accessibility factory once per process.
void InstallAccessibility();
// The name the control is known by: its accessible name, or else the text of
// the label whose buddy it is, without the shortcut's ampersand.
QString AccessibleNameOf(QWidget* control);

}  // namespace cbo::widget
