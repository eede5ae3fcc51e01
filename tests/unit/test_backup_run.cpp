// The backup run on the fake desktop: the keys sent, the waits and their
// count-down, and what each kind of failure does to the run.
#include "launch_fixture.h"

#include "app/backup_run.h"
#include "app/count_down_wait.h"

#include <QtTest>

namespace {
// The virtual clock moves in whole milliseconds; a wait may end one later.
bool near(double actual, double expected) { return qAbs(actual - expected) < 0.01; }
}  // namespace

class TestBackupRun : public QObject {
  Q_OBJECT

 private slots:
  void typicalStartSendsTheJobSequence() {
    LaunchFixture t;
    t.put("Wednesday", "Wednesday", "1");
    t.put("Wednesday", "Backup", "2");
    t.put("Month", "12onoff", "1");
    t.put("Month", "12Backup", "4");
    t.put("Start", "BackupNumber", "6");
    QCOMPARE(t.start(), exit_status::kOk);

    QCOMPARE(t.desk.calls.mid(0, 3),
             QStringList({"BeginRun", "Shell TalvorStart.bat 2", "AppActivate Microsoft Backup"}));
    QCOMPARE(t.keys(), LaunchFixture::jobSequence("B", 20, 3, "S"));
    for (const auto& s : t.desk.sent) {
      QVERIFY(s.wait);
      QCOMPARE(s.window, QString("Microsoft Backup - Untitled"));
    }
    QCOMPARE(t.frm->SliderBackupNumber->value(), 4);
    QCOMPARE(t.stored("Start", "BackupNumber"), QString("6"));  // the run's choice is not remembered
    QCOMPARE(t.stored("Start", "DateLastRun"), shortDateText(t.today()));
    QCOMPARE(t.countDown, LaunchFixture::countFrom(10) + LaunchFixture::countFrom(5));
    QCOMPARE(t.messages, QStringList({"Waiting for backup program to start",
                                      "Pausing to allow user configuration changes"}));
    QVERIFY(near(t.desk.elapsed(), 15.0));
    QVERIFY(t.desk.boxes.isEmpty());
    QVERIFY(!t.frm->isVisible());
  }

  void lastBackupTickedSendsOnlyTheStartKey() {
    LaunchFixture t;
    t.put("Start", "Default", "1");
    t.put("Month", "12onoff", "1");
    t.put("Month", "12Backup", "4");
    // Job selection is not consulted: a broken number for today does no harm.
    t.desk.at(1, [&] { t.put("Month", "12Backup", "x"); });
    t.start();
    QCOMPARE(t.keys(), QStringList{"%S"});
    QVERIFY(t.desk.boxes.isEmpty());
  }

  void jobOneSendsNoDown() {
    LaunchFixture t;
    t.start();
    QCOMPARE(t.keys(), LaunchFixture::jobSequence("B", 20, 0, "S"));
  }

  void editsDuringTheWaitTakeEffectInTheSameRun() {
    LaunchFixture t;
    t.desk.at(2, [&] {
      t.frm->txtBackupKey->setText("J");
      t.frm->SliderBackupNumber->setValue(3);
      t.frm->txtStartDelay->setText("1");  // the delay of this run is already taken
    });
    t.start();
    QCOMPARE(t.keys(), LaunchFixture::jobSequence("J", 20, 2, "S"));
    QCOMPARE(t.stored("Start", "BackupJobLetter"), QString("J"));
    QVERIFY(near(t.desk.elapsed(), 15.0));
  }

  void missingWindowWaitsTwiceThenNeverTypesIntoAnOlderWindow() {
    LaunchFixture t;
    t.desk.startsWindow.clear();
    t.desk.windows << "Terminal";
    t.desk.activeWindow = "Terminal";
    t.start();
    QCOMPARE(t.desk.calls.filter("AppActivate").size(), 2);
    QCOMPARE(t.messages, QStringList({"Waiting for backup program to start", "Another  10 seconds",
                                      "Pausing to allow user configuration changes"}));
    QCOMPARE(t.countDown, LaunchFixture::countFrom(10) + LaunchFixture::countFrom(10) +
                              LaunchFixture::countFrom(10) + LaunchFixture::countFrom(5));
    QVERIFY(t.keys().isEmpty());
    QCOMPARE(t.desk.calls.filter("SendKeys").size(), 1);  // refused once, nothing more tried
    QCOMPARE(t.desk.boxes.size(), 1);
    QVERIFY2(t.desk.boxes[0].text.startsWith(" 5The keys were not sent: Terminal"), qPrintable(t.desk.boxes[0].text));
    QCOMPARE(t.stored("Start", "DateLastRun"), shortDateText(t.today().addDays(-1)));
  }

  void missingTitleButANewWindowInFrontGetsTheKeys() {
    LaunchFixture t;
    t.desk.startsWindow = "Backup Pro 9";  // the backup program, titled otherwise than configured
    t.desk.windows << "Terminal";
    t.desk.activeWindow = "Terminal";
    t.start();
    QCOMPARE(t.desk.calls.filter("AppActivate").size(), 2);
    QCOMPARE(t.keys(), LaunchFixture::jobSequence("B", 20, 0, "S"));
    QCOMPARE(t.desk.sent.first().window, QString("Backup Pro 9"));
    QCOMPARE(t.stored("Start", "DateLastRun"), shortDateText(t.today()));
  }

  void keysThatCouldGoAstrayStopTheRunWithoutTheDate() {
    LaunchFixture t;
    int downs = 0;
    t.desk.keyFailure = [&](const QString& keys) {
      if (keys != "{DOWN}" || ++downs < 2) return Status::success();
      Status s = Status::failure(5, "The backup program lost the keyboard focus to the window \"Update ready\"");
      s.stopsRun = true;
      return s;
    };
    t.put("Month", "12onoff", "1");
    t.put("Month", "12Backup", "4");
    t.start();
    QCOMPARE(t.keys(), LaunchFixture::jobSequence("B", 20, 1, "S").mid(0, 22));  // up to the first Down
    QCOMPARE(t.desk.calls.filter("SendKeys").size(), 23);  // no retry, nothing after
    QCOMPARE(t.desk.boxes.size(), 1);
    QCOMPARE(t.desk.boxes[0].text,
             QString(" 5The backup program lost the keyboard focus to the window \"Update ready\""));
    QCOMPARE(t.desk.calls.filter("AppActivate").size(), 1);
    QCOMPARE(t.stored("Start", "DateLastRun"), shortDateText(t.today().addDays(-1)));
    QVERIFY(t.messages.contains("Pausing to allow user configuration changes"));
  }

  void blankStartLetterLeavesTheDate() {
    LaunchFixture t;
    t.put("Start", "Letter", " ");
    t.desk.at(0, [&] { t.frm->txtStartKey->setText(" "); });
    t.start();
    QCOMPARE(t.keys(), LaunchFixture::jobSequence("B", 20, 0, "S").mid(0, 22));
    QCOMPARE(t.stored("Start", "DateLastRun"), shortDateText(t.today().addDays(-1)));
  }

  void noKeyEverReachesTheToolsOwnWindow() {
    LaunchFixture t;
    t.desk.startsWindow.clear();  // nothing else on the desktop: only our window could get the keys
    t.start();
    QVERIFY(t.keys().isEmpty());
    QCOMPARE(t.desk.calls.filter("SendKeys").size(), 1);  // refused once, the rest not tried
    QCOMPARE(t.stored("Start", "DateLastRun"), shortDateText(t.today().addDays(-1)));
  }

  void emptyTitleMatchesNoWindow() {
    LaunchFixture t;
    t.put("Start", "Title", " ");
    t.desk.at(0, [&] { t.frm->txtTitle->setText(""); });
    t.start();
    QCOMPARE(t.desk.calls.filter("AppActivate").size(), 2);
    QCOMPARE(t.desk.sent.first().window, QString("Microsoft Backup - Untitled"));  // new since the run began
  }

  void missingBatchFileEndsTheProgram() {
    LaunchFixture t;
    t.desk.batchFilePresent = false;
    QCOMPARE(t.start(), exit_status::kBatchFileMissing);
    QCOMPARE(t.desk.boxes.size(), 1);
    QCOMPARE(t.desk.boxes[0].text, BackupRun::kFileNotFoundText);
    QVERIFY(t.desk.boxes[0].text.contains("be found.  This is"));
    QCOMPARE(t.desk.boxes[0].style, 16);
    QCOMPARE(t.desk.boxes[0].title, QString("File Not Found"));
    QCOMPARE(t.desk.calls, QStringList({"BeginRun", "Shell TalvorStart.bat 2"}));
    QVERIFY(near(t.desk.elapsed(), 0.0));  // no pause
    QVERIFY(!t.messages.contains("Pausing to allow user configuration changes"));
    QCOMPARE(t.stored("Start", "DateLastRun"), shortDateText(t.today().addDays(-1)));
    QVERIFY(!t.frm->isVisible());
  }

  void pauseHoldsTheStartDelay() {
    LaunchFixture t;
    int changesWhenHeld = 0;
    QStringList held;
    t.desk.at(1, [&] { t.frm->cmdPause->click(); });
    t.desk.at(2, [&] { changesWhenHeld = t.countDown.size(); });
    t.desk.at(31, [&] {
      held = t.countDown.mid(changesWhenHeld - 1);
      t.frm->cmdPause->click();
    });
    t.start();
    QCOMPARE(t.frm->cmdPause->text(), QString("Pause"));
    QCOMPARE(held, QStringList{" 10"});  // never moved while held
    const int activate = t.desk.calls.indexOf("AppActivate Microsoft Backup");
    QVERIFY(activate > 0);
    // " 9" showed at the pause; holding restarts the delay from " 10"
    QCOMPARE(t.countDown,
             QStringList{" 10"} + LaunchFixture::countFrom(9).mid(0, 1) +
                 LaunchFixture::countFrom(10) + LaunchFixture::countFrom(5));
    QVERIFY(near(t.desk.elapsed(), 31 + 10 + 5));
  }

  void fractionalDelayCountsUp() {
    LaunchFixture t;
    t.put("Start", "StartDelay", "2.5");
    t.desk.windowAppearsAfter = 0;
    t.start();
    QCOMPARE(t.countDown.mid(0, 3), QStringList({" 3", " 2", " 1"}));
    QVERIFY(near(t.desk.elapsed(), 7.5));
  }

  void delaysWithoutAWait_data() {
    QTest::addColumn<QString>("delay");
    QTest::newRow("zero") << "0";
    QTest::newRow("negative") << "-3";
    QTest::newRow("text") << "abc";
    QTest::newRow("empty answer") << "";
  }
  void delaysWithoutAWait() {
    QFETCH(QString, delay);
    LaunchFixture t;
    t.desk.windowAppearsAfter = 0;
    t.put("Start", "StartDelay", delay);
    t.desk.answers = {QString()};  // an empty delay prompts; cancel it
    QCOMPARE(t.start(), exit_status::kOk);
    QCOMPARE(t.countDown, LaunchFixture::countFrom(5));  // the label was first written by the pause
    QCOMPARE(t.keys().size(), 23);
    QVERIFY(near(t.desk.elapsed(), 5.0));
  }

  void hugeDelayWaitsUntilClosed() {
    LaunchFixture t;
    t.put("Start", "StartDelay", "1e30");
    t.desk.at(60, [&] { t.frm->close(); });
    QCOMPARE(t.start(), exit_status::kClosedBeforeBackup);
    QCOMPARE(t.countDown, QStringList{" 1E+30"});
    QCOMPARE(t.desk.calls.size(), 2);
  }

  void brokenJobNumberForTodayIsReportedAtMostThreeTimes() {
    LaunchFixture t;
    t.put("Start", "BackupNumber", "2");
    t.put("Month", "12onoff", "1");
    t.put("Month", "12Backup", "5");
    t.desk.at(1, [&] { t.put("Month", "12Backup", "x"); });  // edited behind the tool's back
    t.start();
    QCOMPARE(t.desk.boxes.size(), 3);
    for (const auto& b : t.desk.boxes) {
      QVERIFY2(b.text.startsWith(" 13Type mismatch"), qPrintable(b.text));
      QCOMPARE(b.style, 0);
      QCOMPARE(b.title, QString("talvorstart"));
    }
    QCOMPARE(t.keys(), LaunchFixture::jobSequence("B", 20, 1, "S"));  // the slider kept 2
  }

  void missingJobNumberForTodayFailsAsWell() {
    LaunchFixture t;
    t.put("Friday", "Friday", "1");
    t.desk.clockStart = QDateTime(QDate(2026, 8, 14), QTime(9, 0));  // a Friday
    t.desk.at(1, [&] { t.put("Friday", "Backup", ""); });
    t.start();
    QCOMPARE(t.desk.boxes.size(), 3);
    QVERIFY(t.desk.boxes[0].text.startsWith(" 13"));
  }

  void otherFailuresAreReportedAndBounded() {
    LaunchFixture t;
    t.desk.keyFailure = [](const QString& keys) {
      return keys == "{ENTER}" ? Status::failure(70, "Permission denied") : Status::success();
    };
    t.start();
    QCOMPARE(t.desk.boxes.size(), BackupRun::kMaxAttemptsPerStep);
    QCOMPARE(t.desk.boxes[0].text, QString(" 70Permission denied"));
    QCOMPARE(t.desk.calls.filter("SendKeys {ENTER}").size(), 3);
    QCOMPARE(t.keys().last(), QString("%S"));
    QCOMPARE(t.stored("Start", "DateLastRun"), shortDateText(t.today()));
  }

  void afterTwoCodeFiveFailuresOtherFailuresArePassedOver() {
    LaunchFixture t;
    t.desk.startsWindow = "Backup Pro 9";
    t.desk.keyFailure = [](const QString& keys) {
      return keys == "{ENTER}" ? Status::failure(70, "Permission denied") : Status::success();
    };
    t.start();
    QCOMPARE(t.desk.boxes.size(), 1);
  }

  void blankLettersAreRefusedAndSpecialLettersEscaped() {
    LaunchFixture t;
    t.put("Start", "BackupJobLetter", " ");
    t.put("Start", "Letter", "{");
    t.start();
    QCOMPARE(t.desk.calls.filter(QRegularExpression("^SendKeys %")).size(), 1);
    QVERIFY(!t.keys().contains("% "));
    QCOMPARE(t.keys().first(), QString("{UP}"));
    QCOMPARE(t.keys().last(), QString("%{{}"));
    QVERIFY(t.messages.contains("Another  10 seconds"));
  }

  void multiLetterTextKeepsItsReading() {
    LaunchFixture t;
    t.put("Start", "Letter", "AB");
    t.start();
    QCOMPARE(t.keys().last(), QString("%AB"));
  }

  void waitAcrossMidnightEndsAfterItsDelay() {
    LaunchFixture t;
    t.desk.clockStart = QDateTime(QDate(2026, 8, 12), QTime(23, 59, 58));
    t.put("Month", "13onoff", "1");  // tomorrow
    t.put("Month", "13Backup", "3");
    t.start();
    QCOMPARE(t.countDown.mid(0, 10), LaunchFixture::countFrom(10));
    QVERIFY(near(t.desk.elapsed(), 15.0));
    QCOMPARE(t.keys(), LaunchFixture::jobSequence("B", 20, 2, "S"));  // the job of the new day
    QCOMPARE(t.stored("Start", "DateLastRun"), shortDateText(QDate(2026, 8, 13)));
  }

  void closingDuringTheStartDelayStopsTheRun() {
    LaunchFixture t;
    t.desk.at(3, [&] { t.frm->close(); });
    QCOMPARE(t.start(), exit_status::kClosedBeforeBackup);
    QCOMPARE(t.desk.calls, QStringList({"BeginRun", "Shell TalvorStart.bat 2"}));
    QCOMPARE(t.stored("Start", "DateLastRun"), shortDateText(t.today().addDays(-1)));
    QVERIFY(t.desk.elapsed() < 3.1);
  }

  void closingDuringARetryWaitStopsTheRun() {
    LaunchFixture t;
    t.desk.startsWindow.clear();
    t.desk.at(14, [&] { t.frm->close(); });
    QCOMPARE(t.start(), exit_status::kClosedBeforeBackup);
    QVERIFY(t.keys().isEmpty());
    QCOMPARE(t.desk.calls.filter("SendKeys").size(), 0);
  }

  void failedDateWriteIsAFailureOfItsStep() {
    LaunchFixture t;
    t.desk.at(1, [&] { t.store.setFailWrites(true); });
    t.start();
    QCOMPARE(t.desk.boxes.size(), 3);
    QVERIFY2(t.desk.boxes[0].text.startsWith(" 75The date of this run could not be stored"),
             qPrintable(t.desk.boxes[0].text));
  }

  void doesNotSpinWhileWaiting() {
    LaunchFixture t;
    t.put("Start", "OnceOnly", "0");
    t.start();
    // 15 virtual seconds: at most one pass per tick and a few more around events.
    QVERIFY2(t.desk.pumps < 15000 / kWaitTickMs + 50, qPrintable(QString::number(t.desk.pumps)));
  }
};

QTEST_MAIN(TestBackupRun)
#include "test_backup_run.moc"
