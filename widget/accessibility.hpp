#pragma once
// What assistive technology is told about a CboVarnoWidget: a combo box whose
// name and description are the widget's own (or its buddy label's text),
// whose value is its text, whose text box carries the same name, which can
// be expanded and is while its drop-down is open, and whose action opens and
// closes it. The drop-down itself is accessible_grid.hpp.
#include <QString>

class QWidget;

namespace cbo::widget {

// Installs the accessibility factory once per process.
void InstallAccessibility();
// Whether the drop-down is open and `control`'s; the control whose text box
// the open drop-down took the focus from is told so (and readers with it),
// and told again when its text box has the focus back.
bool ListOpenFor(QWidget* control);
// The control whose list is open, once it has given the focus to it.
QWidget* ListOpener();
void NoteListOpened(QWidget* control);
void NoteListClosed(QWidget* control);
// The name the control is known by: its accessible name, or else the text of
// the label whose buddy it is, without the shortcut's ampersand.
QString AccessibleNameOf(QWidget* control);

}  // namespace cbo::widget
