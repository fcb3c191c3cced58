#pragma once
// What can go wrong with a QSettings that the widget loads from or saves to,
// in words. QSettings says some of it in its status (a format error, an
// access error); the rest only a look at its file tells: a folder, a device
// or a file that cannot be read where its file should be, a file cut short,
// and a file written short (QSettings reports a write that stops part way,
// as on a full disk, as a success).
#include <QSettings>
#include <QString>
#include <QStringList>

namespace cbo::widget {

// Why the settings cannot be loaded, before anything is read; empty when
// they can. A file that does not exist yet is no fault: it holds no values.
// An INI file that does not end with a line break (every one QSettings
// writes does) is taken as cut short.
QString WhyNotReadable(const QSettings& settings);
// Why the values of `keys` (in the current group) did not reach the storage:
// syncs, then reads the file back apart from `settings` and compares. Empty
// when they did.
QString WhyNotWritten(QSettings& settings, const QStringList& keys);

}  // namespace cbo::widget
