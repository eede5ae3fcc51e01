// Where the batch file is looked for, which one may run, and how it is started.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdlib>

#include "platform/x11/batch_start.h"

class TestBatchStart : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;

 private slots:
  // $D the test's folder, $P the program folder, $C the settings folder,
  // $F the file in the program folder, MARK the file the script makes.
  void start_data() {
    QTest::addColumn<QString>("where");  // the folders that get the file: P, C, D
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("runBit");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("why");  // the description
    QTest::addColumn<QString>("ran");  // the folder whose file ran; empty: none
    const QByteArray sh = "#!/bin/sh\ntouch 'MARK'\n";
    QTest::newRow("the program folder's first") << "PC" << sh << true << "" << 0 << ""
                                                << "P";
    QTest::newRow("else the settings folder's") << "C" << sh << true << "" << 0 << ""
                                                << "C";
    QTest::newRow("never the current folder's") << "D" << sh << true << "" << 53 << "File not found: TalvorStart.bat"
                                                << "";
    QTest::newRow("no run bit, no #!: the shell") << "P" << QByteArray("touch 'MARK'\n") << false << "" << 0 << ""
                                                  << "P";
    QTest::newRow("no interpreter") << "P" << QByteArray("#!/no/such/interpreter\n") << true << "" << -1
                                    << "No such file"
                                    << "";
    // Only a file that no one but the user (or root) may change is run.
    QTest::newRow("group may write") << "P" << sh << true << "chmod 775 $F && chgrp nogroup $F" << 70
                                     << "the group nogroup may change it; mend it with: chmod go-w $F"
                                     << "";
    // umask 002 with a group of the user's own: no one else is in it.
    QTest::newRow("the user's own group may write (root only)")
        << "P" << sh << true << "chmod 775 $F $P && chgrp $(id -g) $F $P" << 0 << ""
        << "P";
    QTest::newRow("every user may write")
        << "P" << sh << true << "chmod 777 $F" << 70 << "every user may change it; mend it with: chmod go-w $F"
        << "";
    QTest::newRow("sticky folder for all") << "P" << sh << true << "chmod 1777 $P" << 70
                                           << "every user may change the folder $P; mend it with: chmod go-w $P"
                                           << "";
    QTest::newRow("a link into a folder for all")
        << "P" << sh << true << "mkdir -m 1777 $D/shared && mv $F $D/shared/ && ln -s $D/shared/TalvorStart.bat $F"
        << 70 << "every user may change the folder $D/shared; mend it with: chmod go-w $D/shared"
        << "";
    QTest::newRow("another user's file (root only)")
        << "P" << sh << true << "chown 65534 $F" << 70
        << "it belongs to nobody, who may change it; use one of your own instead"
        << "";
    // Copied from Windows: lines end in CR LF.
    QTest::newRow("CR LF, #!/bin/sh") << "P" << QByteArray("#!/bin/sh\r\ntouch 'MARK'\r\n") << true << "" << 0 << ""
                                      << "P";
    QTest::newRow("CR LF, #!/usr/bin/env bash")
        << "P" << QByteArray("#!/usr/bin/env bash\r\n[[ 1 ]] && touch 'MARK'\r\n") << true << "" << 0 << ""
        << "P";
    QTest::newRow("CR LF, no #!") << "P" << QByteArray("echo x >/dev/null\r\ntouch 'MARK'\r\n") << false << "" << 0
                                  << ""
                                  << "P";
    QTest::newRow("CR LF, not a shell")
        << "P" << QByteArray("#!/usr/bin/python3\r\nopen('MARK', 'w')\r\n") << true << "" << 70
        << "it has Windows line ends (CR LF), which /usr/bin/python3 cannot read; convert it with: sed -i 's/\\r$//' $F"
        << "";
  }
  void start() {
    QFETCH(QString, where);
    QFETCH(QByteArray, text);
    QFETCH(bool, runBit);
    QFETCH(QString, setup);
    QFETCH(int, code);
    QFETCH(QString, why);
    QFETCH(QString, ran);
    if (QString(QTest::currentDataTag()).contains("root only") && getuid() != 0)
      QSKIP("SKIPPING: this case needs root");
    QTemporaryDir dir;
    const QMap<QString, QString> folders{
        {"P", dir.filePath("program")}, {"C", dir.filePath("config")}, {"D", dir.path()}};
    const QString file = folders["P"] + "/TalvorStart.bat";
    QDir().mkpath(folders["P"]);
    QDir().mkpath(folders["C"]);
    for (const QChar w : where) {
      const QString mark = dir.filePath(QString("ran-") + w);
      QFile f(folders[w] + "/TalvorStart.bat");
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write(QByteArray(text).replace("MARK", mark.toUtf8()));
      f.close();
      if (runBit) f.setPermissions(f.permissions() | QFile::ExeOwner);
    }
    auto expand = [&](QString s) {
      return s.replace("$F", file).replace("$P", folders["P"]).replace("$D", folders["D"]);
    };
    if (!setup.isEmpty()) QCOMPARE(std::system(("set -e; " + expand(setup)).toLocal8Bit().constData()), 0);
    const QString current = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const auto r = x11::startBatchFile("TalvorStart.bat", folders["P"].toStdString(), folders["C"].toStdString());
    QDir::setCurrent(current);
    const QString description = QString::fromStdString(r.description);
    if (code < 0 || code == 53) {
      QVERIFY(code == 53 ? r.code == 53 : r.code != 0 && r.code != 53);
      QVERIFY2(description.contains(why), qPrintable(description));
    } else {
      QCOMPARE(r.code, code);
      QCOMPARE(description, why.isEmpty() ? "" : file + " is not run: " + expand(why));
    }
    // A started script leaves its mark within 5 s; a wrong one has had as long as the right one took.
    const QString expected = ran.isEmpty() ? QString() : dir.filePath("ran-" + ran);
    for (int i = 0; i < 250 && !expected.isEmpty() && !QFile::exists(expected); ++i) QTest::qWait(20);
    if (ran.isEmpty()) QTest::qWait(50);
    for (const QChar w : QString("PCD")) QCOMPARE(QFile::exists(dir.filePath(QString("ran-") + w)), w == ran);
  }
};

QTEST_MAIN(TestBatchStart)
#include "test_batch_start.moc"
