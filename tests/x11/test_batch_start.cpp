// Where the batch file is looked for and how it is started.
#include "platform/x11/batch_start.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
void writeFile(const QString& path, const QByteArray& text, bool executable) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(text);
  f.close();
  if (executable) f.setPermissions(f.permissions() | QFile::ExeOwner);
}
// A script that leaves a mark file once it ran.
QByteArray marking(const QString& mark, bool shebang) {
  return (shebang ? "#!/bin/sh\n" : "") + ("touch '" + mark + "'\n").toUtf8();
}
bool appears(const QString& path) {
  for (int i = 0; i < 100 && !QFile::exists(path); ++i) QTest::qWait(20);
  return QFile::exists(path);
}
}  // namespace

class TestBatchStart : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;
  QString program() const { return dir_.filePath("program"); }
  QString config() const { return dir_.filePath("config"); }

 private slots:
  void init() {
    QDir(program()).removeRecursively();
    QDir(config()).removeRecursively();
    QDir().mkpath(program());
    QDir().mkpath(config());
  }

  void plantedFileInTheCurrentFolderNeverRuns() {
    const QString mark = dir_.filePath("planted-ran");
    writeFile(dir_.filePath("TalvorStart.bat"), marking(mark, true), true);
    QDir::setCurrent(dir_.path());
    const auto r = x11::startBatchFile("TalvorStart.bat", program().toStdString(), config().toStdString());
    QCOMPARE(r.code, 53);
    QTest::qWait(200);
    QVERIFY(!QFile::exists(mark));
  }

  void programFolderFirstThenSettingsFolder() {
    const QString inProgram = dir_.filePath("program-ran"), inConfig = dir_.filePath("config-ran");
    writeFile(config() + "/TalvorStart.bat", marking(inConfig, true), true);
    auto r = x11::startBatchFile("TalvorStart.bat", program().toStdString(), config().toStdString());
    QCOMPARE(r.code, 0);
    QVERIFY(appears(inConfig));
    writeFile(program() + "/TalvorStart.bat", marking(inProgram, true), true);
    QFile::remove(inConfig);
    r = x11::startBatchFile("TalvorStart.bat", program().toStdString(), config().toStdString());
    QCOMPARE(r.code, 0);
    QVERIFY(appears(inProgram));
    QVERIFY(!QFile::exists(inConfig));
  }

  void fileWithoutRunBitOrShebangIsReadByTheShell() {
    const QString mark = dir_.filePath("sh-ran");
    writeFile(program() + "/TalvorStart.bat", marking(mark, false), false);
    const auto r = x11::startBatchFile("TalvorStart.bat", program().toStdString(), config().toStdString());
    QCOMPARE(r.code, 0);
    QVERIFY(appears(mark));
  }

  void missingInterpreterIsAFailureWithTheReason() {
    writeFile(program() + "/TalvorStart.bat", "#!/no/such/interpreter\n", true);
    const auto r = x11::startBatchFile("TalvorStart.bat", program().toStdString(), config().toStdString());
    QVERIFY(r.code != 0 && r.code != 53);
    QVERIFY(QString::fromStdString(r.description).contains("No such file"));
  }
};

QTEST_MAIN(TestBatchStart)
#include "test_batch_start.moc"
