// The once-per-day gate and the configuration pause that ends every start.
#include "launch_fixture.h"

#include <QtTest>

namespace {
bool near(double actual, double expected) { return qAbs(actual - expected) < 0.01; }
const QString kPausing = QStringLiteral("Pausing to allow user configuration changes");
}  // namespace

class TestGateAndPause : public QObject {
  Q_OBJECT

 private slots:
  void gate_data() {
    QTest::addColumn<QString>("onceOnly");
    QTest::addColumn<QString>("lastRun");  // "today", "yesterday", "<absent>" or a literal text
    QTest::addColumn<bool>("runs");
    QTest::newRow("every start, ran today") << "0" << "today" << true;
    QTest::newRow("first start") << "1" << "<absent>" << true;
    QTest::newRow("empty date") << "1" << "" << true;
    QTest::newRow("yesterday") << "1" << "yesterday" << true;
    QTest::newRow("today") << "1" << "today" << false;
    QTest::newRow("today with a blank") << "1" << "today " << true;  // text, not a date
    QTest::newRow("another date form") << "1" << "1999-01-01" << true;
  }
  void gate() {
    QFETCH(QString, onceOnly);
    QFETCH(QString, lastRun);
    QFETCH(bool, runs);
    LaunchFixture t;
    t.put("Start", "OnceOnly", onceOnly);
    const QString todayText = shortDateText(t.today());
    QString stored = lastRun;
    stored.replace("yesterday", shortDateText(t.today().addDays(-1))).replace("today", todayText);
    t.put("Start", "DateLastRun", stored);
    if (lastRun == "<absent>") {
      settings::MemoryStore fresh;
      for (const char* k : {"Letter", "Title", "BackupJobLetter", "StartDelay", "Default", "OnceOnly"})
        fresh.put("Start", k, t.stored("Start", k).toStdString());
      t.store = fresh;
    }
    QCOMPARE(t.start(), exit_status::kOk);
    QCOMPARE(t.desk.calls.contains("Shell TalvorStart.bat 2"), runs);
    QCOMPARE(t.stored("Start", "DateLastRun"), runs ? todayText : stored);
  }

  void skippedRunPausesFiveSecondsAndCloses() {
    LaunchFixture t;
    t.put("Start", "DateLastRun", shortDateText(t.today()));
    QCOMPARE(t.start(), exit_status::kOk);
    QVERIFY(t.desk.calls.isEmpty());
    QCOMPARE(t.messages.last(), kPausing);
    QCOMPARE(t.countDown.mid(t.countDown.indexOf(" 5")), LaunchFixture::countFrom(5));
    QVERIFY(near(t.desk.elapsed(), 5));
    QVERIFY(!t.frm->isVisible());
  }

  void pauseHeldThenFiveSecondsAfterRun() {
    LaunchFixture t;
    t.put("Start", "DateLastRun", shortDateText(t.today()));
    QStringList whileHeld;
    t.desk.at(2, [&] { t.frm->cmdPause->click(); });
    t.desk.at(10, [&] { whileHeld = t.countDown; });
    t.desk.at(32, [&] { t.frm->cmdPause->click(); });
    t.start();
    QCOMPARE(whileHeld.last(), QString(" 5"));
    QVERIFY(near(t.desk.elapsed(), 37));
    QCOMPARE(t.countDown.mid(t.countDown.size() - 5), LaunchFixture::countFrom(5));
  }

  // Pause pressed while the last keys go out stays in force: the pause
  // begins held and holds until Run.
  void pausePressedDuringTheRunHoldsThePause() {
    LaunchFixture t;
    t.desk.windowAppearsAfter = 0;
    t.put("Start", "StartDelay", "1");
    bool stillOpenAt60 = false;
    t.desk.keyFailure = [&](const QString& keys) {
      if (keys == "%S") t.frm->cmdPause->click();
      return Status::success();
    };
    t.desk.at(60, [&] {
      stillOpenAt60 = t.frm->isVisible();
      t.frm->cmdPause->click();
    });
    t.start();
    QVERIFY(stillOpenAt60);
    QVERIFY(near(t.desk.elapsed(), 65));
    QCOMPARE(t.frm->cmdPause->text(), QString("Pause"));
  }

  void boxOpenPastTheEndShowsANegativeCount() {
    LaunchFixture t;
    t.put("Start", "DateLastRun", shortDateText(t.today()));
    t.desk.at(1, [&] { t.frm->mPopAbout->trigger(); });
    t.desk.onBox = [&](const FakeDesktopServices::Box&) { t.desk.advance(11); };  // closed at 12
    t.start();
    QCOMPARE(t.desk.boxes.size(), 1);
    QCOMPARE(t.countDown.last(), QString("-7"));
    QVERIFY(near(t.desk.elapsed(), 12));
  }

  void closingDuringThePauseEndsAtOnceAndKeepsSettings() {
    LaunchFixture t;
    t.desk.windowAppearsAfter = 0;
    t.put("Start", "StartDelay", "1");
    t.desk.at(2, [&] {
      t.frm->txtTitle->setText("Other Backup");
      t.frm->close();
    });
    QCOMPARE(t.start(), exit_status::kOk);
    QVERIFY(near(t.desk.elapsed(), 2));
    QCOMPARE(t.stored("Start", "Title"), QString("Other Backup"));
    QCOMPARE(t.stored("Start", "DateLastRun"), shortDateText(t.today()));
    QVERIFY(!t.frm->isVisible());
  }

  void editsDuringThePauseAreStoredAtOnce() {
    LaunchFixture t;
    t.put("Start", "DateLastRun", shortDateText(t.today()));
    t.desk.at(1, [&] { t.frm->chkOnceOnly->click(); });
    t.start();
    QCOMPARE(t.stored("Start", "OnceOnly"), QString("0"));
  }
};

QTEST_MAIN(TestGateAndPause)
#include "test_gate_and_pause.moc"
