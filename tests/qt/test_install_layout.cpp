// Where an installed program finds its help file, and what it says on
// standard error when the batch file is missing.
#include "ui/qt/install_layout.h"
#include "ui/qt/help_viewer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void touch(const QString& path) {
  QDir().mkpath(QFileInfo(path).path());
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
}

}  // namespace

class TestInstallLayout : public QObject {
  Q_OBJECT
 private slots:
  void helpFileBesideTheProgramWinsOverTheInstalledOne() {
    QTemporaryDir prefix;
    const QString bin = prefix.filePath("bin");
    const QString shared = prefix.filePath("share/talvorstart/talvorstart.hlp");
    touch(shared);
    QDir().mkpath(bin);
    QCOMPARE(QFileInfo(HelpViewer::locate("talvorstart.hlp", bin)).canonicalFilePath(),
             QFileInfo(shared).canonicalFilePath());
    touch(bin + "/talvorstart.hlp");
    QCOMPARE(HelpViewer::locate("talvorstart.hlp", bin), bin + "/talvorstart.hlp");
  }

  void missingHelpFileIsNamedBesideTheProgram() {
    QTemporaryDir prefix;
    QCOMPARE(HelpViewer::locate("talvorstart.hlp", prefix.filePath("bin")), prefix.filePath("bin/talvorstart.hlp"));
  }

  void hintNamesBothFoldersTheUsersPlaceAndTheSample() {
    QTemporaryDir prefix;
    const QString bin = prefix.filePath("bin");
    const QString sample = prefix.filePath("share/talvorstart/TalvorStart.bat");
    QString hint = missingBatchFileHint("TalvorStart.bat", bin, "/home/u/.config/TalvorStart");
    QVERIFY2(hint.contains("not found in " + bin + " or in /home/u/.config/TalvorStart."), qPrintable(hint));
    QVERIFY2(hint.contains("in /home/u/.config/TalvorStart/\n"), qPrintable(hint));
    QVERIFY2(!hint.contains("sample"), qPrintable(hint));  // none installed: none named
    touch(sample);
    hint = missingBatchFileHint("TalvorStart.bat", bin, "/home/u/.config/TalvorStart");
    QVERIFY2(hint.contains("a sample to copy and edit is " + QDir::cleanPath(sample) + "\n"), qPrintable(hint));
    for (const QString& line : hint.split('\n', Qt::SkipEmptyParts)) QVERIFY(line.startsWith("talvorstart: "));
  }
};

QTEST_GUILESS_MAIN(TestInstallLayout)
#include "test_install_layout.moc"
