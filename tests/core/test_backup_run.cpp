// The backup run on the fake desktop: the keys sent, the waits and their count-down, the retries.
#include <gtest/gtest.h>

#include "app/backup_run.h"
#include "launch_fixture.h"

namespace {

TEST(BackupRun, TypicalStartSendsTheJobSequence) {
  LaunchFixture t;
  t.put("Wednesday", {{"Wednesday", "1"}, {"Backup", "2"}});
  t.put("Month", {{"12onoff", "1"}, {"12Backup", "4"}});
  t.put("Start", "BackupNumber", "6");
  EXPECT_EQ(t.start(), exit_status::kOk);

  EXPECT_EQ(slice(t.desk.calls, 0, 3), Texts({"BeginRun", "Shell TalvorStart.bat 6", "AppActivate Microsoft Backup"}));
  EXPECT_EQ(t.keys(), LaunchFixture::jobSequence("B", 20, 3, "S"));
  for (const auto& s : t.desk.sent) EXPECT_EQ(std::pair(s.wait, s.window), std::pair(true, t.desk.startsWindow));
  EXPECT_EQ(t.frm->SliderBackupNumber.value(), 4);
  EXPECT_EQ(t.stored("Start", "BackupNumber"), "6");  // the run's choice is not remembered
  EXPECT_EQ(t.countDown, LaunchFixture::countFrom(10) + LaunchFixture::countFrom(5));
  EXPECT_EQ(t.messages, Texts({"Waiting for backup program to start", "Pausing to allow user configuration changes"}));
  EXPECT_NEAR(t.desk.elapsed(), 15.0, kSlack);
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

// The count-down of each delay, rounded up; none without a number.
TEST(BackupRun, StartDelays) {
  // clang-format off
  const std::tuple<const char*, Texts, double> cases[] = {
      {"2.5", {" 3", " 2", " 1"}, 2.5}, {"0", {}, 0}, {"-3", {}, 0}, {"abc", {}, 0}, {"", {}, 0} /* asked, cancelled */,
      {"\t1 e1", LaunchFixture::countFrom(10), 10}};
  // clang-format on
  for (const auto& [delay, counted, seconds] : cases) {
    SCOPED_TRACE(delay);
    LaunchFixture t;
    t.desk.windowAppearsAfter = 0;
    t.put("Start", "StartDelay", delay);
    t.desk.answers = {std::string()};
    EXPECT_EQ(t.start(), exit_status::kOk);
    EXPECT_EQ(t.countDown, counted + LaunchFixture::countFrom(5));
    EXPECT_EQ(t.keys().size(), 23u);
    EXPECT_NEAR(t.desk.elapsed(), seconds + 5, kSlack);
  }
  LaunchFixture t;
  t.put("Start", "StartDelay", "1e30");
  t.desk.at(60, [&] { t.frm->close(); });
  EXPECT_EQ(t.start(), 3);
  EXPECT_EQ(t.countDown, Texts{" 1E+30"});
  EXPECT_NEAR(t.desk.elapsed(), 60, kSlack);
}

// A key string that keeps failing is tried three times, once only after two code-5 failures; the keys after it are not
// sent.
TEST(BackupRun, OtherFailuresAreTriedAgainUntilRetryCountIsTwo) {
  for (const auto& [window, tries] : {std::pair{"Microsoft Backup - Untitled", 3}, {"Backup Pro 9", 1}}) {
    LaunchFixture t;
    t.desk.startsWindow = window;
    t.desk.keyFailure = [](const std::string& keys) {
      return keys == "{ENTER}" ? Status::failure(70, "Permission denied") : Status::success();
    };
    t.start();
    EXPECT_EQ(t.desk.callsStartingWith("SendKeys {ENTER}"), tries) << window;
    EXPECT_EQ(t.desk.callsStartingWith("SendKeys %S"), 0);
  }
}

// The fake's timer restarts at 0 at midnight, as a seconds-since-midnight timer does: the wait must still end after its
// delay.
TEST(BackupRun, WaitAcrossMidnightEndsAfterItsDelay) {
  LaunchFixture t;
  t.desk.clockStart = {Date{2026, 8, 12}, 86400 - 2};     // 23:59:58
  t.put("Month", {{"13onoff", "1"}, {"13Backup", "3"}});  // tomorrow
  t.start();
  EXPECT_EQ(slice(t.countDown, 0, 10), LaunchFixture::countFrom(10));
  EXPECT_NEAR(t.desk.elapsed(), 15.0, kSlack);
  EXPECT_EQ(t.keys(), LaunchFixture::jobSequence("B", 20, 2, "S"));  // the job of the new day
  EXPECT_EQ(t.stored("Start", "DateLastRun"), t.desk.shortDateText(Date{2026, 8, 13}));
}

// Each step's keys as the backup program needs them; no setting added to an install that lacks it.
TEST(BackupRun, KeysPerStep) {
  // The settings job, confirm and start; the keys before the Ups, and after them; the pauses in seconds.
  const std::tuple<const char*, const char*, const char*, Texts, Texts, double> cases[] = {
      {"{TAB}{TAB}", "", "{TAB}{SPACE}", {"{TAB}{TAB}"}, {"{TAB}{SPACE}"}, 0},  // no Enter
      {"B", "{ENTER}", "{WAIT 250}^s", {"%B"}, {"{ENTER}", "^s"}, 0.25},
      {"%j{WAIT 100}{HOME}", "{ENTER}", "S", {"%j", "{HOME}"}, {"{ENTER}", "%S"}, 0.1}};
  for (const auto& [job, confirm, start, first, last, pauses] : cases) {
    SCOPED_TRACE(job);
    LaunchFixture t;
    t.put("Start", {{"BackupJobLetter", job}, {"ConfirmKey", confirm}, {"Letter", start}});
    EXPECT_EQ(t.start(), 0);
    EXPECT_EQ(t.keys(), first + Texts(20, "{UP}") + last);
    EXPECT_NEAR(t.desk.elapsed(), 10 + 5 + pauses, kSlack);
    EXPECT_EQ(t.stored("Start", "TitleMatch"), "<absent>");
  }
}

// The title setting names the window in the way chosen; without a match the run waits twice more for it.
TEST(BackupRun, TitleMatchModes) {
  for (const auto& [match, title, found] :
       {std::tuple{"end", "Profile Backup", true}, {"contains", "nightly", true}, {"end", "/home", false}}) {
    LaunchFixture t;
    t.put("Start", {{"TitleMatch", match}, {"Title", title}});
    t.desk.startsWindow = "/home/user/nightly.profile \xE2\x80\x94 Profile Backup";
    t.start();
    EXPECT_EQ(std::count(t.messages.begin(), t.messages.end(), "Another  10 seconds"), found ? 0 : 1) << title;
  }
}

}  // namespace
