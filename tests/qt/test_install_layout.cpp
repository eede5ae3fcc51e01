// Where an installed program finds its help file, and what it says on
// standard error when the batch file is missing.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "ui/qt/help_viewer.h"
#include "ui/qt/install_layout.h"

namespace {
void touch(const QString& path) {
  QDir().mkpath(QFileInfo(path).path());
  QVERIFY(QFile(path).open(QIODevice::WriteOnly));
}
}  // namespace

class TestInstallLayout : public QObject {
  Q_OBJECT
 private slots:
  // Beside the program first, else the installed one; missing from both, it is named beside the program.
  void helpFileBesideTheProgramWinsOverTheInstalledOne() {
    QTemporaryDir prefix;
    const QString bin = prefix.filePath("bin"), shared = prefix.filePath("share/talvorstart/talvorstart.hlp");
    QCOMPARE(HelpViewer::locate("talvorstart.hlp", bin), bin + "/talvorstart.hlp");
    touch(shared);
    QCOMPARE(QFileInfo(HelpViewer::locate("talvorstart.hlp", bin)).canonicalFilePath(),
             QFileInfo(shared).canonicalFilePath());
    touch(bin + "/talvorstart.hlp");
    QCOMPARE(HelpViewer::locate("talvorstart.hlp", bin), bin + "/talvorstart.hlp");
  }

  // The sample is named only when one is installed.
  void hintNamesBothFoldersTheUsersPlaceAndTheSample() {
    QTemporaryDir prefix;
    const QString bin = prefix.filePath("bin"), sample = prefix.filePath("share/talvorstart/TalvorStart.bat");
    auto hint = [&] { return missingBatchFileHint("TalvorStart.bat", bin, "/home/u/.config/TalvorStart"); };
    const QString want = "talvorstart: TalvorStart.bat was not found in " + bin +
                         " or in /home/u/.config/TalvorStart.\ntalvorstart: put your own TalvorStart.bat, which starts "
                         "your backup program, in /home/u/.config/TalvorStart/\n";
    QCOMPARE(hint(), want);
    touch(sample);
    QCOMPARE(hint(), want + "talvorstart: a sample to copy and edit is " + QDir::cleanPath(sample) + "\n");
  }
};

QTEST_GUILESS_MAIN(TestInstallLayout)
#include "test_install_layout.moc"
