// The backup run on the fake desktop: the keys sent, the waits and their
// count-down, and what each kind of failure does to the run.
#include <gtest/gtest.h>

#include "app/backup_run.h"
#include "launch_fixture.h"

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
  EXPECT_EQ(t.frm->lblProblem.caption(),
            "The backup did not start: no window titled \"Microsoft Backup\" appeared. The keys were not sent: "
            "Terminal was there before the run");
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
  EXPECT_EQ(t.desk.callsStartingWith("SendKeys"), 23);                             // no retry, nothing after
  EXPECT_EQ(t.frm->lblProblem.caption(),
            "The backup did not start: another window took the keyboard focus from the backup program. The backup "
            "program lost the keyboard focus to the window \"Update ready\"");
  EXPECT_EQ(t.desk.callsStartingWith("AppActivate"), 1);
  EXPECT_EQ(t.stored("Start", "DateLastRun"), t.dateText(-1));
  EXPECT_TRUE(contains(t.messages, "Pausing to allow user configuration changes"));
}

TEST(BackupRun, StartLetterClearedDuringTheDelayLeavesTheDate) {
  LaunchFixture t;
  t.desk.at(1, [&] { t.frm->txtStartKey.setText(" "); });
  EXPECT_EQ(t.start(), 5);
  EXPECT_EQ(t.keys(), slice(LaunchFixture::jobSequence("B", 20, 0, "S"), 0, 22));
  EXPECT_EQ(t.stored("Start", "DateLastRun"), t.dateText(-1));
}

TEST(BackupRun, JobLetterClearedDuringTheDelaySendsNoJobKeys) {
  LaunchFixture t;
  t.desk.at(1, [&] { t.frm->txtBackupKey.setText(""); });
  EXPECT_EQ(t.start(), 5);
  EXPECT_TRUE(t.keys().empty());
}

TEST(BackupRun, NoKeyEverReachesTheToolsOwnWindow) {
  LaunchFixture t;
  t.desk.startsWindow.clear();  // nothing else on the desktop: only our window could get the keys
  t.start();
  EXPECT_TRUE(t.keys().empty());
  EXPECT_EQ(t.desk.callsStartingWith("SendKeys"), 1);  // refused once, the rest not tried
  EXPECT_EQ(t.stored("Start", "DateLastRun"), t.dateText(-1));
}

TEST(BackupRun, MissingBatchFileSaysSoAndEndsAfterThePause) {
  LaunchFixture t;
  t.desk.batchFilePresent = false;
  EXPECT_EQ(t.start(), 2);
  EXPECT_EQ(t.frm->lblProblem.caption(),
            "The file TalvorStart.bat could not be found.  This is included in the zip file and should be installed "
            "in the same folder as talvorstart.exe.  This application will now exit.");
  EXPECT_EQ(t.desk.calls, Texts({"BeginRun", "Shell TalvorStart.bat 6"}));
  EXPECT_NEAR(t.desk.elapsed(), 5.0, kSlack);  // only the pause, to read it
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
  EXPECT_EQ(t.start(), 3);
  EXPECT_EQ(t.countDown, Texts{" 1E+30"});
  EXPECT_EQ(t.desk.calls.size(), 2u);
  EXPECT_NEAR(t.desk.elapsed(), 60, kSlack);
}

// The slider would still show another day's job: no key at all.
TEST(BackupRun, UnreadableJobNumberForTodayStartsNoJob) {
  const char* broken[] = {"x", ""};
  for (const char* value : broken) {
    LaunchFixture t;
    t.put("Start", "BackupNumber", "2");
    t.put("Month", "12onoff", "1");
    t.put("Month", "12Backup", "5");
    t.desk.at(1, [&] { t.put("Month", "12Backup", value); });  // edited behind the tool's back
    EXPECT_EQ(t.start(), 12) << value;
    EXPECT_TRUE(t.keys().empty()) << value;
    EXPECT_EQ(t.frm->lblProblem.caption().rfind(" 13Type mismatch", 0), 0u) << t.frm->lblProblem.caption();
    EXPECT_NE(t.frm->lblProblem.caption().find(
                  "\nThe backup did not start: today's job number could not be read from the settings. Type mismatch"),
              std::string::npos)
        << t.frm->lblProblem.caption();
    EXPECT_TRUE(t.desk.boxes.empty());
  }
}

// Enter left out would start whatever job the list showed: a key string
// that fails three times stops the rest, the start key included.
TEST(BackupRun, AKeyThatCannotBeSentStopsTheRestAndIsSaidOnce) {
  LaunchFixture t;
  t.desk.keyFailure = [](const std::string& keys) {
    return keys == "{ENTER}" ? Status::failure(70, "Permission denied") : Status::success();
  };
  EXPECT_EQ(t.start(), 11);
  EXPECT_EQ(t.frm->lblProblem.caption(),
            " 70Permission denied\nThe backup did not start: this desktop does not let Talvor Start send keys to other "
            "programs. Permission denied");
  EXPECT_TRUE(t.desk.boxes.empty());
  EXPECT_EQ(t.desk.callsStartingWith("SendKeys {ENTER}"), BackupRun::kMaxAttemptsPerStep);
  EXPECT_EQ(t.desk.callsStartingWith("SendKeys %S"), 0);
  EXPECT_EQ(t.stored("Start", "DateLastRun"), t.dateText(-1));
}

TEST(BackupRun, AfterTwoCodeFiveFailuresOtherFailuresArePassedOverAtOnce) {
  LaunchFixture t;
  t.desk.startsWindow = "Backup Pro 9";
  t.desk.keyFailure = [](const std::string& keys) {
    return keys == "{ENTER}" ? Status::failure(70, "Permission denied") : Status::success();
  };
  t.start();
  EXPECT_EQ(t.desk.callsStartingWith("SendKeys {ENTER}"), 1);
  EXPECT_EQ(t.desk.callsStartingWith("SendKeys %S"), 0);
}

TEST(BackupRun, SpecialLettersAreEscaped) {
  LaunchFixture t;
  t.put("Start", "Letter", "{");
  t.start();
  EXPECT_EQ(t.keys().back(), "%{{}");
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
  EXPECT_EQ(t.start(), 3);
  EXPECT_EQ(t.desk.calls, Texts({"BeginRun", "Shell TalvorStart.bat 6"}));
  EXPECT_EQ(t.stored("Start", "DateLastRun"), t.dateText(-1));
  EXPECT_LT(t.desk.elapsed(), 3.1);
}

TEST(BackupRun, ClosingDuringARetryWaitStopsTheRun) {
  LaunchFixture t;
  t.desk.startsWindow.clear();
  t.desk.at(14, [&] { t.frm->close(); });
  EXPECT_EQ(t.start(), 3);
  EXPECT_TRUE(t.keys().empty());
  EXPECT_EQ(t.desk.callsStartingWith("SendKeys"), 0);
}

TEST(BackupRun, FailedDateWriteIsSaidOnceWithoutABox) {
  LaunchFixture t;
  t.desk.at(1, [&] { t.store.setFailWrites(true); });
  EXPECT_EQ(t.start(), 0);  // the job did start
  EXPECT_TRUE(t.desk.boxes.empty());
  EXPECT_EQ(t.frm->lblProblem.caption().rfind("The date of this run could not be stored", 0), 0u)
      << t.frm->lblProblem.caption();
  EXPECT_EQ(t.frm->lblProblem.caption().find('\n'), std::string::npos);
}

// Every way a run can end without a job: its own exit status, its reason
// in the window, no box, no date, and an end without anybody's help.
TEST(BackupRun, EachRunWithoutAJobSaysWhyAndEndsByItself) {
  auto stopWith = [](KeyStop why, const char* text) {
    return [why, text](LaunchFixture& t) {
      t.desk.keyFailure = [why, text](const std::string&) {
        Status s = Status::failure(5, text);
        s.stop = why;
        return s;
      };
    };
  };
  struct Case {
    const char* what;
    std::function<void(LaunchFixture&)> setUp;
    int status;
    std::string problem;
  };
  const Case cases[] = {
      {"the batch file brings up no window", [](LaunchFixture& t) { t.desk.startsWindow.clear(); }, 7,
       "The backup did not start: no window titled \"Microsoft Backup\" appeared. Check that TalvorStart.bat starts "
       "the "
       "backup program and that its window's title begins with that text; a slow program needs a longer start "
       "delay."},
      {"all three first-start questions cancelled",
       [](LaunchFixture& t) {
         for (const char* key : {"Letter", "Title", "BackupJobLetter"}) t.put("Start", key, "");
         t.desk.answers = {std::nullopt, std::nullopt, std::nullopt};
       },
       5,
       "The backup did not start: a setting the run needs is not set. Not set: the backup program's window title, the "
       "start letter, the backup job letter. Enter what is missing in the Talvor Start window; it is kept for the "
       "next start."},
      {"the batch file cannot be started",
       [](LaunchFixture& t) { t.desk.shellFailure = Status::failure(70, "Permission denied"); }, 6,
       " 70Permission denied\nThe backup did not start: TalvorStart.bat could not be started. Permission denied"},
      {"the backup program does not answer", stopWith(KeyStop::NotAnswering, "It did not answer within 3 seconds"), 9,
       "The backup did not start: the backup program did not take the keys in time. It did not answer within 3 "
       "seconds"},
      {"a key is held down", stopWith(KeyStop::KeyHeld, "The key Return was held down"), 10,
       "The backup did not start: a key was held down, which would have mixed with the keys sent. The key Return was "
       "held down"},
      {"the desktop cannot type",
       [](LaunchFixture& t) { t.desk.keyFailure = [](const std::string&) { return Status::failure(51, "No XTest"); }; },
       11, "The backup did not start: this desktop does not let Talvor Start send keys to other programs. No XTest"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LaunchFixture t;
    c.setUp(t);
    EXPECT_EQ(t.start(), c.status);
    EXPECT_EQ(t.frm->lblProblem.caption(), c.problem);
    EXPECT_TRUE(t.frm->lblProblem.visible());
    EXPECT_TRUE(t.desk.boxes.empty());
    EXPECT_EQ(t.stored("Start", "DateLastRun"), t.dateText(-1));
    EXPECT_EQ(t.frm->lblMessage.caption(), "Pausing to allow user configuration changes");
    // The delay, two retry waits, one more for the keys, the pause.
    EXPECT_LT(t.desk.elapsed(), 4 * 10 + 5 + kSlack);
    EXPECT_FALSE(t.frm->visible());
  }
}

// Each step's keys as the backup program needs them; a value without the
// notation keeps its meaning of old.
TEST(BackupRun, KeysPerStep) {
  struct Case {
    const char* what;
    std::vector<std::pair<const char*, const char*>> settings;  // Start section
    Texts first, last;                                          // the keys before the Ups, and after the Downs
    double pauses;                                              // seconds
  };
  const Case cases[] = {
      {"a setting of an existing install", {}, {"%B"}, {"{ENTER}", "%S"}, 0},
      {"Tab to the list, no Enter, Tab and Space to start",
       {{"BackupJobLetter", "{TAB}{TAB}"}, {"ConfirmKey", ""}, {"Letter", "{TAB}{SPACE}"}},
       {"{TAB}{TAB}"},
       {"{TAB}{SPACE}"},
       0},
      {"Ctrl+S starts, after a pause", {{"Letter", "{WAIT 250}^s"}}, {"%B"}, {"{ENTER}", "^s"}, 0.25},
      {"a pause inside the list key",
       {{"BackupJobLetter", "%j{WAIT 100}{HOME}"}},
       {"%j", "{HOME}"},
       {"{ENTER}", "%S"},
       0.1},
      {"letters with a blank and a tab, as before", {{"Letter", "S\t "}}, {"%B"}, {"{ENTER}", "%S\t "}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LaunchFixture t;
    for (const auto& [key, value] : c.settings) t.put("Start", key, value);
    t.put("Monday", "Monday", "1");
    t.put("Monday", "Backup", "3");
    t.desk.clockStart = {Date{2026, 12, 7}, 8 * 3600};  // a Monday
    EXPECT_EQ(t.start(), 0);
    Texts expected = c.first;
    for (int i = 0; i < 20; ++i) expected.push_back("{UP}");
    expected.insert(expected.end(), {"{DOWN}", "{DOWN}"});
    expected.insert(expected.end(), c.last.begin(), c.last.end());
    EXPECT_EQ(t.keys(), expected);
    EXPECT_NEAR(t.desk.elapsed(), 10 + 5 + c.pauses, kSlack);
    EXPECT_EQ(t.stored("Start", "DateLastRun"), t.dateText());
    // Nothing new is written to the settings of an install that has not set it.
    EXPECT_EQ(t.stored("Start", "TitleMatch"), "<absent>");
  }
}

// Keys that cannot be sent are refused before anything starts, never typed
// as text; so is a way of matching the title that does not exist.
TEST(BackupRun, SettingsThatCannotBeUsedStartNothing) {
  const std::pair<std::pair<const char*, const char*>, const char*> cases[] = {
      {{"Letter", "{STRAT}"}, "the start keys: unknown key {STRAT} in \"{STRAT}\""},
      {{"ConfirmKey", "{WAIT 99999}"},
       "the keys that confirm the job: the pause {WAIT 99999} is not 1 to 10000 milliseconds in \"{WAIT 99999}\""},
      {{"BackupJobLetter", "^^b"}, "the job list's keys: Ctrl (^) cannot be held for another Ctrl in \"^^b\""},
      {{"TitleMatch", "regex"}, "the way the title is matched: \"regex\" is none of start, end, contains or class"},
  };
  for (const auto& [setting, why] : cases) {
    SCOPED_TRACE(setting.first);
    LaunchFixture t;
    t.put("Start", setting.first, setting.second);
    EXPECT_EQ(t.start(), 13);
    EXPECT_EQ(t.frm->lblProblem.caption(),
              std::string("The backup did not start: a setting the run needs cannot be used. Not usable: ") + why +
                  ". Mend it in the Talvor Start window (menu Keys); it is kept for the next start.");
    EXPECT_TRUE(t.keys().empty());
    EXPECT_EQ(t.desk.calls.size(), 0u);
    EXPECT_EQ(t.stored("Start", "DateLastRun"), t.dateText(-1));
  }
}

// The title setting names the window in the way chosen.
TEST(BackupRun, TitleMatchModes) {
  struct Case {
    const char* match;
    const char* title;
    bool found;
  };
  const Case cases[] = {
      {"end", "Profile Backup", true}, {"contains", "nightly", true},      {"start", "/home", true},
      {"end", "/home", false},         {"class", "Profile Backup", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.match) + " " + c.title);
    LaunchFixture t;
    t.put("Start", "TitleMatch", c.match);
    t.put("Start", "Title", c.title);
    t.desk.startsWindow = "/home/user/nightly.profile \xE2\x80\x94 Profile Backup";
    t.start();
    // Without a match the run waits twice more for the window.
    const bool retried = std::find(t.messages.begin(), t.messages.end(), "Another  10 seconds") != t.messages.end();
    EXPECT_EQ(retried, !c.found);
  }
}

// Today's job over five weeks and two ends of February: each weekday reads
// its own row, each day of the month its own, and a ticked day wins over a
// ticked weekday.
TEST(BackupRun, TodaysJobOverTheCalendar) {
  const char* const weekdays[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
  struct Day {
    Date date;
    int weekday;  // 0 Monday
  };
  std::vector<Day> days{{{2026, 11, 30}, 0}};  // a Monday
  for (int d = 1; d <= 31; ++d) days.push_back({{2026, 12, d}, d % 7});
  for (int d = 1; d <= 3; ++d) days.push_back({{2027, 1, d}, (d + 3) % 7});
  days.push_back({{2027, 2, 28}, 6});
  days.push_back({{2028, 2, 29}, 1});
  auto weekdayJob = [](int w) { return w + 2; };
  auto dayJob = [](int d) { return d % 19 + 2; };
  for (const Day& day : days)
    for (const bool byWeekday : {true, false})
      for (const bool byDay : {false, true}) {
        if (!byWeekday && !byDay) continue;
        SCOPED_TRACE(std::to_string(day.date.year) + "-" + std::to_string(day.date.month) + "-" +
                     std::to_string(day.date.day) + (byWeekday ? " weekday" : "") + (byDay ? " day" : ""));
        LaunchFixture t;
        t.desk.clockStart = {day.date, 9 * 3600};
        t.put("Start", "DateLastRun", "");
        for (int w = 0; w < 7; ++w) {
          t.put(weekdays[w], weekdays[w], byWeekday ? "1" : "0");
          t.put(weekdays[w], "Backup", std::to_string(weekdayJob(w)));
        }
        for (int d = 1; d <= 31; ++d) {
          t.put("Month", std::to_string(d) + "onoff", byDay ? "1" : "0");
          t.put("Month", std::to_string(d) + "Backup", std::to_string(dayJob(d)));
        }
        ASSERT_EQ(t.start(), 0);
        const int job = byDay ? dayJob(day.date.day) : weekdayJob(day.weekday);
        EXPECT_EQ(t.keys(), LaunchFixture::jobSequence("B", 20, job - 1, "S"));
        EXPECT_EQ(t.desk.systemLogEntries.at(0).message, "Backup job " + std::to_string(job) + " started (" +
                                                             (byDay ? "day-of-month" : "weekday") +
                                                             ") in \"Microsoft Backup - Untitled\"");
      }
}

}  // namespace
