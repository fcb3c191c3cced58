#include "widget/settings_status.hpp"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace cbo::widget {

namespace {

// The file's name to begin a message with; the native store has none.
QString Where(const QSettings& settings) {
  return settings.fileName().isEmpty() ? QStringLiteral("the settings") : settings.fileName();
}

// A file where the settings should be that is not one; empty when it is one
// or is not there.
QString WhatIsThere(const QSettings& settings) {
  if (settings.fileName().isEmpty()) return QString();
  const QFileInfo file(settings.fileName());
  if (!file.exists()) return QString();
  if (file.isDir()) return QStringLiteral("this is a folder, not a settings file");
  if (!file.isFile()) return QStringLiteral("this is a device, a pipe or a socket, not a settings file");
  return QString();
}

// Whether the file's last byte is a line break (an empty file has none and
// needs none).
bool EndsWholeLine(const QString& path, QString& why) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    why = QStringLiteral("the settings file cannot be read: ") + file.errorString();
    return false;
  }
  if (file.size() == 0) return true;
  char last = 0;
  if (!file.seek(file.size() - 1) || !file.getChar(&last)) {
    why = QStringLiteral("the settings file cannot be read: ") + file.errorString();
    return false;
  }
  if (last != '\n') why = QStringLiteral("the settings file is cut short: it does not end with a line break");
  return last == '\n';
}

// The values of `keys` as a second QSettings reads them from a copy of the
// file: the copy is new to Qt, so it is parsed afresh, not taken from what
// `settings` holds in memory.
QString ReadBack(const QSettings& settings, const QStringList& keys) {
  QFile original(settings.fileName());
  if (!original.open(QIODevice::ReadOnly)) return QStringLiteral("it cannot be read back: ") + original.errorString();
  const QByteArray bytes = original.readAll();
  QTemporaryFile copy;
  if (!copy.open() || copy.write(bytes) != bytes.size() || !copy.flush())
    return QStringLiteral("it cannot be read back to check it: ") + copy.errorString();
  QSettings again(copy.fileName(), settings.format());
  const QString group = settings.group().isEmpty() ? QString() : settings.group() + QLatin1Char('/');
  for (const QString& key : keys) {
    const QVariant value = again.value(group + key);
    if (!value.isValid())
      return QStringLiteral("the file written lacks ") + group + key + QStringLiteral(" (a full disk?)");
    if (value.toString() != settings.value(key).toString())
      return QStringLiteral("the file written holds another value of ") + group + key +
             QStringLiteral(" (a full disk?)");
  }
  return QString();
}

// Whether QSettings writes the file in its INI form, every line ended.
bool IniFile(const QSettings& settings) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
  if (settings.format() == QSettings::NativeFormat) return true;
#endif
  return settings.format() == QSettings::IniFormat;
}

}  // namespace

QString WhyNotReadable(const QSettings& settings) {
  QString why = WhatIsThere(settings);
  const QFileInfo file(settings.fileName());
  if (why.isEmpty() && IniFile(settings) && !settings.fileName().isEmpty() && file.exists())
    EndsWholeLine(settings.fileName(), why);
  if (why.isEmpty() && settings.status() == QSettings::FormatError)
    why = QStringLiteral("the settings file is damaged or is not in the settings format (a format error)");
  if (why.isEmpty() && settings.status() == QSettings::AccessError)
    why = QStringLiteral("the settings cannot be read (an access error)");
  return why.isEmpty() ? why : Where(settings) + QStringLiteral(": ") + why;
}

QString WhyNotWritten(QSettings& settings, const QStringList& keys) {
  QString why = WhatIsThere(settings);
  if (why.isEmpty()) {
    settings.sync();
    // A format error is what reading the file found before; the values are
    // written all the same, and the reading back below checks them.
    if (settings.status() == QSettings::AccessError)
      why = QStringLiteral("the settings cannot be written (an access error: no permission, a read-only or full disk)");
    else if (QFileInfo(settings.fileName()).isFile())
      why = ReadBack(settings, keys);
    if (!why.isEmpty() && !why.startsWith(QStringLiteral("the settings cannot")))
      why = QStringLiteral("the settings cannot be written: ") + why;
  }
  return why.isEmpty() ? why : Where(settings) + QStringLiteral(": ") + why;
}

}  // namespace cbo::widget
