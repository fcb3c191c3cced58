// The widget's settings through QSettings report every failure: settings that
// cannot be read (damaged, a folder or a device in the file's place) are not
// read at all and the properties stay; a save that does not reach the disk
// says so. Each failure returns false and emits errorOccurred with the file
// and the reason.
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

#include "widget/cbo_varno_widget.hpp"

using namespace cbo;

namespace {

QByteArray Contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Put(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes);
}

// A control whose properties are not the defaults.
void Customise(CboVarnoWidget& w) {
  w.setStileCbo(CboVarnoWidget::ListCombo);
  w.setRows_Count(20);
  w.setText_Column(QStringLiteral("Comune"));
}

void IsCustomised(CboVarnoWidget& w) {
  QCOMPARE(w.stileCbo(), CboVarnoWidget::ListCombo);
  QCOMPARE(w.rows_Count(), 20);
  QCOMPARE(w.text_Column(), QStringLiteral("Comune"));
}

}  // namespace

class SettingsTest : public QObject {
  Q_OBJECT

  // Loads from `path` into a customised control: false, one errorOccurred
  // naming the file and saying `why`, the properties as they were.
  void Refused(const QString& path, const QString& why) {
    QSettings s(path, QSettings::IniFormat);
    CboVarnoWidget w;
    Customise(w);
    QSignalSpy errors(&w, &CboVarnoWidget::errorOccurred);
    QVERIFY(!w.loadSettings(s, QStringLiteral("City")));
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("loadSettings"));
    const QString message = errors.at(0).at(1).toString();
    QVERIFY2(message.startsWith("Widget: " + path + ": "), qPrintable(message));
    QVERIFY2(message.contains(why), qPrintable(message));
    IsCustomised(w);
  }

private slots:
  void aSaveAndALoadThatWorkReturnTrueAndSayNothing() {
    QTemporaryDir dir;
    const QString path = dir.filePath("form.ini");
    CboVarnoWidget a;
    Customise(a);
    QSignalSpy errors(&a, &CboVarnoWidget::errorOccurred);
    QSettings out(path, QSettings::IniFormat);
    QVERIFY(a.saveSettings(out, QStringLiteral("City")));
    QVERIFY(QFile::exists(path));  // synced: on disk before the QSettings goes
    QSettings in(path, QSettings::IniFormat);
    CboVarnoWidget b;
    QVERIFY(b.loadSettings(in, QStringLiteral("City")));
    IsCustomised(b);
    QCOMPARE(errors.count(), 0);
  }

  void aMissingFileGivesTheDefaults() {
    QTemporaryDir dir;
    QSettings s(dir.filePath("none.ini"), QSettings::IniFormat);
    CboVarnoWidget w;
    Customise(w);
    QVERIFY(w.loadSettings(s, QStringLiteral("City")));
    QCOMPARE(w.stileCbo(), CboVarnoWidget::TextBox);
    QCOMPARE(w.rows_Count(), 8);
  }

  void aDamagedFileIsNotRead() {
    QTemporaryDir dir;
    const QString path = dir.filePath("form.ini");
    QByteArray garbage;
    for (int i = 0; i < 4000; ++i) garbage.append(static_cast<char>((i * 7919) % 251 + 1));
    Put(path, garbage);
    Refused(path, "cut short");
    Put(path, "[City\nRows_Count=3\n");  // a group's header without its ]
    Refused(path, "format error");
    // A saved file cut inside a line: a key, a value, its group's header.
    const QString saved = dir.filePath("saved.ini");
    {
      CboVarnoWidget a;
      Customise(a);
      QSettings out(saved, QSettings::IniFormat);
      QVERIFY(a.saveSettings(out, QStringLiteral("City")));
    }
    const QByteArray whole = Contents(saved);
    int refused = 0;
    for (int cut = 1; cut < whole.size(); ++cut) {
      if (whole.at(cut - 1) == '\n') continue;  // a cut between lines leaves a file of fewer keys
      const QString path = dir.filePath(QStringLiteral("cut%1.ini").arg(cut));
      Put(path, whole.left(cut));
      Refused(path, "cut short");
      ++refused;
    }
    QVERIFY(refused > 300);
  }

  void aFolderOrADeviceInTheFilesPlaceIsNotRead() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("form.ini"));
    Refused(dir.filePath("form.ini"), "is a folder");
    Refused(QStringLiteral("/dev/null"), "is a device");
  }

  void aSaveThatDoesNotReachTheDiskSaysSo() {
    QTemporaryDir dir;
    const QString path = dir.filePath("form.ini");
    {
      CboVarnoWidget a;
      QSettings out(path, QSettings::IniFormat);
      QVERIFY(a.saveSettings(out, QStringLiteral("City")));
    }
    const QByteArray before = Contents(path);
    CboVarnoWidget w;
    Customise(w);
    w.setText(QString(400, QChar('x')));  // more than the disk takes
    QSignalSpy errors(&w, &CboVarnoWidget::errorOccurred);
    bool saved = true;
    {
      // A full disk: the process may write no file past 256 bytes.
      struct rlimit old;
      ::getrlimit(RLIMIT_FSIZE, &old);
      auto* previous = std::signal(SIGXFSZ, SIG_IGN);
      struct rlimit tiny = old;
      tiny.rlim_cur = 256;
      QCOMPARE(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
      QSettings out(path, QSettings::IniFormat);
      saved = w.saveSettings(out, QStringLiteral("City"));
      ::setrlimit(RLIMIT_FSIZE, &old);
      std::signal(SIGXFSZ, previous);
    }
    QVERIFY(!saved);
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.at(0).at(0).toString(), QStringLiteral("saveSettings"));
    QVERIFY2(errors.at(0).at(1).toString().contains(path + ": the settings cannot be written"),
             qPrintable(errors.at(0).at(1).toString()));
    // QSettings wrote what fitted over the old file: what it holds now is
    // no longer taken for whole settings.
    QVERIFY(Contents(path) != before);
    Refused(path, "cut short");

    // A folder in the file's place.
    QVERIFY(QDir(dir.path()).mkdir("folder.ini"));
    QSettings folder(dir.filePath("folder.ini"), QSettings::IniFormat);
    QVERIFY(!w.saveSettings(folder, QStringLiteral("City")));
    QCOMPARE(errors.count(), 2);
    QVERIFY(errors.at(1).at(1).toString().contains("is a folder"));
  }
};

QTEST_MAIN(SettingsTest)
#include "settings_test.moc"
