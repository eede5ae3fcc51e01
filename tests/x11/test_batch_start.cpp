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
 private slots:
  void start() {
    const QByteArray sh = "#!/bin/sh\ntouch 'MARK'\n";
    // A name, the folders that get the file (Program, Config, the current D; a run bit with #!), its text, a set-up
    // ($F the program folder's file), the code (-1: a failure) and the description (a part of it for -1 and
    // 53), the folder whose file ran. Only a file no one but the user (or root) may change is run.
    const std::tuple<const char*, QString, QByteArray, QString, int, QString, QString> cases[] = {
        {"the program folder's first", "PC", sh, "", 0, "", "P"},
        {"else the settings folder's", "C", sh, "", 0, "", "C"},
        {"never the current folder's", "D", sh, "", 53, "File not found: TalvorStart.bat", ""},
        {"no run bit, no #!: the shell", "P", "touch 'MARK'\n", "", 0, "", "P"},
        {"no interpreter", "P", "#!/no/such/interpreter\n", "", -1, "No such file", ""},
        {"group may write", "P", sh, "chmod 775 $F && chgrp nogroup $F", 70,
         "the group nogroup may change it; mend it with: chmod go-w $F", ""},
        // umask 002 with a group of the user's own: no one else is in it.
        {"the user's own group may write (root only)", "P", sh, "chmod 775 $F $P && chgrp $(id -g) $F $P", 0, "", "P"},
        {"every user may write", "P", sh, "chmod 777 $F", 70, "every user may change it; mend it with: chmod go-w $F",
         ""},
        {"sticky folder for all", "P", sh, "chmod 1777 $P", 70,
         "every user may change the folder $P; mend it with: chmod go-w $P", ""},
        {"a link into a folder for all", "P", sh,
         "mkdir -m 1777 $D/shared && mv $F $D/shared/ && ln -s $D/shared/TalvorStart.bat $F", 70,
         "every user may change the folder $D/shared; mend it with: chmod go-w $D/shared", ""},
        {"another user's file (root only)", "P", sh, "chown 65534 $F", 70,
         "it belongs to nobody, who may change it; use one of your own instead", ""},
        // Copied from Windows: lines end in CR LF.
        {"CR LF, #!/usr/bin/env bash", "P", "#!/usr/bin/env bash\r\n[[ 1 ]] && touch 'MARK'\r\n", "", 0, "", "P"},
        {"CR LF, no #!", "P", "echo x >/dev/null\r\ntouch 'MARK'\r\n", "", 0, "", "P"},
        {"CR LF, not a shell", "P", "#!/usr/bin/python3\r\nopen('MARK', 'w')\r\n", "", 70,
         "it has Windows line ends (CR LF), which /usr/bin/python3 cannot read; convert it with: sed -i 's/\\r$//' $F",
         ""},
    };
    const QString current = QDir::currentPath();
    for (const auto& [what, where, text, setup, code, why, ran] : cases) {
      if (QString(what).contains("root only") && getuid() != 0) {
        qWarning("SKIPPING %s: this case needs root", what);
        continue;
      }
      QTemporaryDir dir;
      auto folder = [&](QChar w) { return w == 'D' ? dir.path() : dir.filePath(w == 'P' ? "program" : "config"); };
      const QString file = folder('P') + "/TalvorStart.bat";
      QVERIFY(QDir().mkpath(folder('P')) && QDir().mkpath(folder('C')));
      for (const QChar w : where) {
        QFile f(folder(w) + "/TalvorStart.bat");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(text).replace("MARK", dir.filePath(QString("ran-") + w).toUtf8()));
        f.close();
        if (text.startsWith("#!")) f.setPermissions(f.permissions() | QFile::ExeOwner);
      }
      auto expand = [&](QString s) {
        return s.replace("$F", file).replace("$P", folder('P')).replace("$D", dir.path());
      };
      if (!setup.isEmpty()) QCOMPARE(std::system(("set -e; " + expand(setup)).toLocal8Bit().constData()), 0);
      QDir::setCurrent(dir.path());
      const auto r = x11::startBatchFile("TalvorStart.bat", folder('P').toStdString(), folder('C').toStdString());
      QDir::setCurrent(current);
      const QString description = QString::fromStdString(r.description);
      QVERIFY2(code < 0 ? r.code != 0 && r.code != 53 : r.code == code, what);
      if (code < 0 || code == 53)
        QVERIFY2(description.contains(why), qPrintable(description));
      else
        QCOMPARE(description, why.isEmpty() ? "" : file + " is not run: " + expand(why));
      // A started script leaves its mark within 5 s; a wrong one has had as long as the right one took.
      for (int i = 0; i < 250 && !ran.isEmpty() && !QFile::exists(dir.filePath("ran-" + ran)); ++i) QTest::qWait(20);
      if (ran.isEmpty()) QTest::qWait(50);
      for (const QChar w : QString("PCD"))
        QVERIFY2(QFile::exists(dir.filePath(QString("ran-") + w)) == (w == ran), what);
    }
  }
};

QTEST_MAIN(TestBatchStart)
#include "test_batch_start.moc"
