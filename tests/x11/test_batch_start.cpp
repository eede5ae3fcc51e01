// Where the batch file is looked for and how it is started.
#include "platform/x11/batch_start.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>
#include <unistd.h>

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
  for (int i = 0; i < 250 && !QFile::exists(path); ++i) QTest::qWait(20);
  return QFile::exists(path);
}
bool shell(const QString& folder, QString command, const QMap<QString, QString>& names) {
  for (auto it = names.begin(); it != names.end(); ++it) command.replace(it.key(), it.value());
  return std::system(("cd '" + folder + "' && " + command).toLocal8Bit().constData()) == 0;
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

  // Only a file that no one but the user (or root) may change is run.
  void fileOthersMayChangeIsNotRun_data() {
    QTest::addColumn<QString>("setup");  // $F the file, $P its folder
    QTest::addColumn<QString>("why");    // empty: it runs
    QTest::addColumn<bool>("needsRoot");
    QTest::newRow("the user's own") << "chmod 755 $F" << "" << false;
    QTest::newRow("group may write") << "chmod 775 $F && chgrp nogroup $F"
                                     << "the group nogroup may change it; mend it with: chmod go-w $F" << false;
    // umask 002 with a group of the user's own: no one else is in it.
    QTest::newRow("the user's own group may write") << "chmod 775 $F $P && chgrp $(id -g) $F $P" << "" << true;
    QTest::newRow("every user may write") << "chmod 777 $F" << "every user may change it; mend it with: chmod go-w $F"
                                          << false;
    QTest::newRow("sticky folder for all") << "chmod 1777 $P"
                                           << "every user may change the folder $P; mend it with: chmod go-w $P" << false;
    QTest::newRow("a link into a folder for all")
        << "mkdir -m 1777 ../shared && mv $F ../shared/ && ln -s ../shared/TalvorStart.bat $F"
        << "every user may change the folder $D/shared; mend it with: chmod go-w $D/shared" << false;
    QTest::newRow("another user's file") << "chown 65534 $F"
                                         << "it belongs to nobody, who may change it; use one of your own instead" << true;
  }
  void fileOthersMayChangeIsNotRun() {
    QFETCH(QString, setup);
    QFETCH(QString, why);
    QFETCH(bool, needsRoot);
    if (needsRoot && getuid() != 0) QSKIP("SKIPPING: another user's file needs root");
    QDir(dir_.filePath("shared")).removeRecursively();
    const QString mark = dir_.filePath("ran"), file = program() + "/TalvorStart.bat";
    QFile::remove(mark);
    writeFile(file, marking(mark, true), true);
    const QMap<QString, QString> names{{"$F", file}, {"$P", program()}, {"$D", dir_.path()}};
    QVERIFY(shell(program(), setup, names));
    for (auto it = names.begin(); it != names.end(); ++it) why.replace(it.key(), it.value());
    const auto r = x11::startBatchFile("TalvorStart.bat", program().toStdString(), config().toStdString());
    QCOMPARE(QString::fromStdString(r.description), why.isEmpty() ? "" : file + " is not run: " + why);
    QCOMPARE(r.code, why.isEmpty() ? 0 : 70);
    if (why.isEmpty()) QVERIFY(appears(mark));
    else QVERIFY(!QFile::exists(mark));
  }

  // A batch file copied from Windows: its lines end in CR LF.
  void windowsLineEnds_data() {
    QTest::addColumn<QByteArray>("text");  // MARK: the file it makes
    QTest::addColumn<bool>("runBit");
    QTest::addColumn<QString>("why");  // empty: it runs
    QTest::newRow("#!/bin/sh") << QByteArray("#!/bin/sh\r\ntouch 'MARK'\r\n") << true << "";
    QTest::newRow("#!/usr/bin/env bash") << QByteArray("#!/usr/bin/env bash\r\n[[ 1 ]] && touch 'MARK'\r\n")
                                         << true << "";
    QTest::newRow("no #! line") << QByteArray("echo x >/dev/null\r\ntouch 'MARK'\r\n") << false << "";
    QTest::newRow("not a shell") << QByteArray("#!/usr/bin/python3\r\nopen('MARK', 'w')\r\n") << true
                                 << "it has Windows line ends (CR LF), which /usr/bin/python3 cannot read; convert it "
                                    "with: sed -i 's/\\r$//' $F";
  }
  void windowsLineEnds() {
    QFETCH(QByteArray, text);
    QFETCH(bool, runBit);
    QFETCH(QString, why);
    const QString mark = dir_.filePath("crlf-ran"), file = program() + "/TalvorStart.bat";
    QFile::remove(mark);
    writeFile(file, text.replace("MARK", mark.toUtf8()), runBit);
    const auto r = x11::startBatchFile("TalvorStart.bat", program().toStdString(), config().toStdString());
    QCOMPARE(QString::fromStdString(r.description), why.isEmpty() ? "" : file + " is not run: " + why.replace("$F", file));
    if (why.isEmpty()) QVERIFY(appears(mark));
    else QVERIFY(!QFile::exists(mark));
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
