// The backup run on the fake desktop: the keys sent, the waits and their
// count-down, and what each kind of failure does to the run.
#include "launch_fixture.h"

#include "app/backup_run.h"

#include <gtest/gtest.h>

namespace {

// Waits end on the millisecond after they are due.
constexpr double kSlack = 0.01;

TEST(BackupRun, TypicalStartSendsTheJobSequence) {
  LaunchFixture t;
  t.put("Wednesday", "Wednesday", "1");
  t.put("Wednesday", "Backup", "2");
  t.put("Month", "12onoff", "1");
  t.put("Month", "12Backup", "4");
  t.put("Start", "BackupNumber", "6");
  EXPECT_EQ(t.start(), exit_status::kOk);

  EXPECT_EQ(slice(t.desk.calls, 0, 3), Texts({"BeginRun", "Shell TalvorStart.bat 6", "AppActivate Microsoft Backup"}));
  EXPECT_EQ(t.keys(), LaunchFixture::jobSequence("B", 20, 3, "S"));
  for (const auto& s : t.desk.sent) {
    EXPECT_TRUE(s.wait);
    EXPECT_EQ(s.window, "Microsoft Backup - Untitled");
  }
  EXPECT_EQ(t.frm->SliderBackupNumber.value(), 4);
  EXPECT_EQ(t.stored("Start", "BackupNumber"), "6");  // the run's choice is not remembered
  EXPECT_EQ(t.stored("Start", "DateLastRun"), t.dateText());
  EXPECT_EQ(t.countDown, LaunchFixture::countFrom(10) + LaunchFixture::countFrom(5));
  EXPECT_EQ(t.messages, Texts({"Waiting for backup program to start", "Pausing to allow user configuration changes"}));
  EXPECT_NEAR(t.desk.elapsed(), 15.0, kSlack);
  EXPECT_TRUE(t.desk.boxes.empty());
  EXPECT_FALSE(t.frm->visible());
}

TEST(BackupRun, LastBackupTickedSendsOnlyTheStartKey) {
  LaunchFixture t;
  t.put("Start", "Default", "1");
  t.put("Month", "12onoff", "1");
  t.put("Month", "12Backup", "4");
  // Job selection is not consulted: a broken number for today does no harm.
  t.desk.at(1, [&] { t.put("Month", "12Backup", "x"); });
  t.start();
  EXPECT_EQ(t.keys(), Texts{"%S"});
  EXPECT_TRUE(t.desk.boxes.empty());
}

TEST(BackupRun, JobOneSendsNoDown) {
  LaunchFixture t;
  t.start();
  EXPECT_EQ(t.keys(), LaunchFixture::jobSequence("B", 20, 0, "S"));
}

TEST(BackupRun, EditsDuringTheWaitTakeEffectInTheSameRun) {
  LaunchFixture t;
  t.desk.at(2, [&] {
    t.frm->txtBackupKey.setText("J");
    t.frm->SliderBackupNumber.userMoved(3);
    t.frm->txtStartDelay.setText("1");  // the delay of this run is already taken
  });
  t.start();
  EXPECT_EQ(t.keys(), LaunchFixture::jobSequence("J", 20, 2, "S"));
  EXPECT_EQ(t.stored("Start", "BackupJobLetter"), "J");
  EXPECT_NEAR(t.desk.elapsed(), 15.0, kSlack);
}

TEST(BackupRun, MissingWindowWaitsTwiceThenNeverTypesIntoAnOlderWindow) {
  LaunchFixture t;
  t.desk.startsWindow.clear();
  t.desk.windows = {"Terminal"};
  t.desk.activeWindow = "Terminal";
  t.start();
  EXPECT_EQ(t.desk.callsStartingWith("AppActivate"), 2);
  EXPECT_EQ(t.messages, Texts({"Waiting for backup program to start", "Another  10 seconds",
                               "Pausing to allow user configuration changes"}));
  EXPECT_EQ(t.countDown, LaunchFixture::countFrom(10) + LaunchFixture::countFrom(10) + LaunchFixture::countFrom(10) +
                             LaunchFixture::countFrom(5));
  EXPECT_TRUE(t.keys().empty());
  EXPECT_EQ(t.desk.callsStartingWith("SendKeys"), 1);  // refused once, nothing more tried
  ASSERT_EQ(t.desk.boxes.size(), 1u);
  EXPECT_EQ(t.desk.boxes[0].text.rfind(" 5The keys were not sent: Terminal", 0), 0u) << t.desk.boxes[0].text;
  EXPECT_EQ(t.stored("Start", "DateLastRun"), t.dateText(-1));
}

TEST(BackupRun, MissingTitleButANewWindowInFrontGetsTheKeys) {
  LaunchFixture t;
  t.desk.startsWindow = "Backup Pro 9";  // the backup program, titled otherwise than configured
  t.desk.windows = {"Terminal"};
  t.desk.activeWindow = "Terminal";
  t.start();
  EXPECT_EQ(t.desk.callsStartingWith("AppActivate"), 2);
  EXPECT_EQ(t.keys(), LaunchFixture::jobSequence("B", 20, 0, "S"));
  EXPECT_EQ(t.desk.sent.front().window, "Backup Pro 9");
  EXPECT_EQ(t.stored("Start", "DateLastRun"), t.dateText());
}

TEST(BackupRun, KeysThatCouldGoAstrayStopTheRunWithoutTheDate) {
  LaunchFixture t;
  int downs = 0;
  t.desk.keyFailure = [&](const std::string& keys) {
    if (keys != "{DOWN}" || ++downs < 2) return Status::success();
    Status s = Status::failure(5, "The backup program lost the keyboard focus to the window \"Update ready\"");
    s.stop = KeyStop::FocusLost;
    return s;
  };
  t.put("Month", "12onoff", "1");
  t.put("Month", "12Backup", "4");
  t.start();
  EXPECT_EQ(t.keys(), slice(LaunchFixture::jobSequence("B", 20, 1, "S"), 0, 22));  // up to the first Down
  EXPECT_EQ(t.desk.callsStartingWith("SendKeys"), 23);  // no retry, nothing after
  ASSERT_EQ(t.desk.boxes.size(), 1u);
  EXPECT_EQ(t.desk.boxes[0].text, " 5The backup program lost the keyboard focus to the window \"Update ready\"");
  EXPECT_EQ(t.desk.callsStartingWith("AppActivate"), 1);
  EXPECT_EQ(t.stored("Start", "DateLastRun"), t.dateText(-1));
  EXPECT_TRUE(contains(t.messages, "Pausing to allow user configuration changes"));
}

TEST(BackupRun, BlankStartLetterLeavesTheDate) {
  LaunchFixture t;
  t.put("Start", "Letter", " ");
  t.desk.at(0, [&] { t.frm->txtStartKey.setText(" "); });
  t.start();
  EXPECT_EQ(t.keys(), slice(LaunchFixture::jobSequence("B", 20, 0, "S"), 0, 22));
  EXPECT_EQ(t.stored("Start", "DateLastRun"), t.dateText(-1));
}

TEST(BackupRun, NoKeyEverReachesTheToolsOwnWindow) {
  LaunchFixture t;
  t.desk.startsWindow.clear();  // nothing else on the desktop: only our window could get the keys
  t.start();
  EXPECT_TRUE(t.keys().empty());
  EXPECT_EQ(t.desk.callsStartingWith("SendKeys"), 1);  // refused once, the rest not tried
  EXPECT_EQ(t.stored("Start", "DateLastRun"), t.dateText(-1));
}

TEST(BackupRun, EmptyTitleMatchesNoWindow) {
  LaunchFixture t;
  t.put("Start", "Title", " ");
  t.desk.at(0, [&] { t.frm->txtTitle.setText(""); });
  t.start();
  EXPECT_EQ(t.desk.callsStartingWith("AppActivate"), 2);
  EXPECT_EQ(t.desk.sent.front().window, "Microsoft Backup - Untitled");  // new since the run began
}

TEST(BackupRun, MissingBatchFileEndsTheProgram) {
  LaunchFixture t;
  t.desk.batchFilePresent = false;
  EXPECT_EQ(t.start(), exit_status::kBatchFileMissing);
  ASSERT_EQ(t.desk.boxes.size(), 1u);
  EXPECT_EQ(t.desk.boxes[0].text,
            "The file TalvorStart.bat could not be found.  This is included in the zip file and should be installed "
            "in the same folder as talvorstart.exe.  This application will now exit.");
  EXPECT_EQ(t.desk.boxes[0].style, 16);
  EXPECT_EQ(t.desk.boxes[0].title, "File Not Found");
  EXPECT_EQ(t.desk.calls, Texts({"BeginRun", "Shell TalvorStart.bat 6"}));
  EXPECT_NEAR(t.desk.elapsed(), 0.0, kSlack);  // no pause
  EXPECT_FALSE(contains(t.messages, "Pausing to allow user configuration changes"));
  EXPECT_EQ(t.stored("Start", "DateLastRun"), t.dateText(-1));
  EXPECT_FALSE(t.frm->visible());
}

TEST(BackupRun, PauseHoldsTheStartDelay) {
  LaunchFixture t;
  size_t changesWhenHeld = 0;
  Texts held;
  t.desk.at(1, [&] { t.frm->cmdPause.click(); });
  t.desk.at(2, [&] { changesWhenHeld = t.countDown.size(); });
  t.desk.at(31, [&] {
    held = slice(t.countDown, changesWhenHeld - 1);
    t.frm->cmdPause.click();
  });
  t.start();
  EXPECT_EQ(t.frm->cmdPause.caption(), "Pause");
  EXPECT_EQ(held, Texts{" 10"});  // never moved while held
  // " 9" showed at the pause; holding restarts the delay from " 10"
  EXPECT_EQ(t.countDown, (Texts{" 10", " 9"} + LaunchFixture::countFrom(10) + LaunchFixture::countFrom(5)));
  EXPECT_NEAR(t.desk.elapsed(), 31 + 10 + 5, kSlack);
}

TEST(BackupRun, FractionalDelayCountsUp) {
  LaunchFixture t;
  t.put("Start", "StartDelay", "2.5");
  t.desk.windowAppearsAfter = 0;
  t.start();
  EXPECT_EQ(slice(t.countDown, 0, 3), Texts({" 3", " 2", " 1"}));
  EXPECT_NEAR(t.desk.elapsed(), 7.5, kSlack);
}

TEST(BackupRun, DelaysWithoutAWait) {
  for (const char* delay : {"0", "-3", "abc", ""}) {
    SCOPED_TRACE(delay);
    LaunchFixture t;
    t.desk.windowAppearsAfter = 0;
    t.put("Start", "StartDelay", delay);
    t.desk.answers = {std::string()};  // an empty delay prompts; cancel it
    EXPECT_EQ(t.start(), exit_status::kOk);
    EXPECT_EQ(t.countDown, LaunchFixture::countFrom(5));  // the label was first written by the pause
    EXPECT_EQ(t.keys().size(), 23u);
    EXPECT_NEAR(t.desk.elapsed(), 5.0, kSlack);
  }
}

TEST(BackupRun, HugeDelayWaitsUntilClosed) {
  LaunchFixture t;
  t.put("Start", "StartDelay", "1e30");
  t.desk.at(60, [&] { t.frm->close(); });
  EXPECT_EQ(t.start(), exit_status::kClosedBeforeBackup);
  EXPECT_EQ(t.countDown, Texts{" 1E+30"});
  EXPECT_EQ(t.desk.calls.size(), 2u);
  EXPECT_NEAR(t.desk.elapsed(), 60, kSlack);
}

TEST(BackupRun, BrokenJobNumberForTodayIsReportedAtMostThreeTimes) {
  LaunchFixture t;
  t.put("Start", "BackupNumber", "2");
  t.put("Month", "12onoff", "1");
  t.put("Month", "12Backup", "5");
  t.desk.at(1, [&] { t.put("Month", "12Backup", "x"); });  // edited behind the tool's back
  t.start();
  ASSERT_EQ(t.desk.boxes.size(), 3u);
  for (const auto& b : t.desk.boxes) {
    EXPECT_EQ(b.text.rfind(" 13Type mismatch", 0), 0u) << b.text;
    EXPECT_EQ(b.style, 0);
    EXPECT_EQ(b.title, "talvorstart");  // the application's title, given by the run
  }
  EXPECT_EQ(t.keys(), LaunchFixture::jobSequence("B", 20, 1, "S"));  // the slider kept 2
}

TEST(BackupRun, MissingJobNumberForTodayFailsAsWell) {
  LaunchFixture t;
  t.put("Friday", "Friday", "1");
  t.desk.clockStart = {Date{2026, 8, 14}, 9 * 3600.0};  // a Friday
  t.desk.at(1, [&] { t.put("Friday", "Backup", ""); });
  t.start();
  ASSERT_EQ(t.desk.boxes.size(), 3u);
  EXPECT_EQ(t.desk.boxes[0].text.rfind(" 13", 0), 0u);
}

TEST(BackupRun, OtherFailuresAreReportedAndBounded) {
  LaunchFixture t;
  t.desk.keyFailure = [](const std::string& keys) {
    return keys == "{ENTER}" ? Status::failure(70, "Permission denied") : Status::success();
  };
  t.start();
  ASSERT_EQ(t.desk.boxes.size(), size_t(BackupRun::kMaxAttemptsPerStep));
  EXPECT_EQ(t.desk.boxes[0].text, " 70Permission denied");
  EXPECT_EQ(t.desk.boxes[0].title, "talvorstart");
  EXPECT_EQ(t.desk.callsStartingWith("SendKeys {ENTER}"), 3);
  EXPECT_EQ(t.keys().back(), "%S");
  EXPECT_EQ(t.stored("Start", "DateLastRun"), t.dateText());
}

TEST(BackupRun, AfterTwoCodeFiveFailuresOtherFailuresArePassedOver) {
  LaunchFixture t;
  t.desk.startsWindow = "Backup Pro 9";
  t.desk.keyFailure = [](const std::string& keys) {
    return keys == "{ENTER}" ? Status::failure(70, "Permission denied") : Status::success();
  };
  t.start();
  EXPECT_EQ(t.desk.boxes.size(), 1u);
}

TEST(BackupRun, BlankLettersAreRefusedAndSpecialLettersEscaped) {
  LaunchFixture t;
  t.put("Start", "BackupJobLetter", " ");
  t.put("Start", "Letter", "{");
  t.start();
  EXPECT_EQ(t.desk.callsStartingWith("SendKeys %"), 1);
  EXPECT_FALSE(contains(t.keys(), "% "));
  EXPECT_EQ(t.keys().front(), "{UP}");
  EXPECT_EQ(t.keys().back(), "%{{}");
  EXPECT_TRUE(contains(t.messages, "Another  10 seconds"));
}

TEST(BackupRun, MultiLetterTextKeepsItsReading) {
  LaunchFixture t;
  t.put("Start", "Letter", "AB");
  t.start();
  EXPECT_EQ(t.keys().back(), "%AB");
}

// The fake's timer restarts at 0 at midnight, as a seconds-since-midnight
// timer does: the wait must still end after its delay.
TEST(BackupRun, WaitAcrossMidnightEndsAfterItsDelay) {
  LaunchFixture t;
  t.desk.clockStart = {Date{2026, 8, 12}, 86400 - 2};  // 23:59:58
  t.put("Month", "13onoff", "1");                      // tomorrow
  t.put("Month", "13Backup", "3");
  t.start();
  EXPECT_EQ(slice(t.countDown, 0, 10), LaunchFixture::countFrom(10));
  EXPECT_NEAR(t.desk.elapsed(), 15.0, kSlack);
  EXPECT_EQ(t.keys(), LaunchFixture::jobSequence("B", 20, 2, "S"));  // the job of the new day
  EXPECT_EQ(t.stored("Start", "DateLastRun"), t.desk.shortDateText(Date{2026, 8, 13}));
}

TEST(BackupRun, ClosingDuringTheStartDelayStopsTheRun) {
  LaunchFixture t;
  t.desk.at(3, [&] { t.frm->close(); });
  EXPECT_EQ(t.start(), exit_status::kClosedBeforeBackup);
  EXPECT_EQ(t.desk.calls, Texts({"BeginRun", "Shell TalvorStart.bat 6"}));
  EXPECT_EQ(t.stored("Start", "DateLastRun"), t.dateText(-1));
  EXPECT_LT(t.desk.elapsed(), 3.1);
}

TEST(BackupRun, ClosingDuringARetryWaitStopsTheRun) {
  LaunchFixture t;
  t.desk.startsWindow.clear();
  t.desk.at(14, [&] { t.frm->close(); });
  EXPECT_EQ(t.start(), exit_status::kClosedBeforeBackup);
  EXPECT_TRUE(t.keys().empty());
  EXPECT_EQ(t.desk.callsStartingWith("SendKeys"), 0);
}

TEST(BackupRun, FailedDateWriteIsAFailureOfItsStep) {
  LaunchFixture t;
  t.desk.at(1, [&] { t.store.setFailWrites(true); });
  t.start();
  ASSERT_EQ(t.desk.boxes.size(), 3u);
  EXPECT_EQ(t.desk.boxes[0].text.rfind(" 75The date of this run could not be stored", 0), 0u) << t.desk.boxes[0].text;
}

}  // namespace
