// The record of starts: its lines, its bound, what a start leaves in it and
// tells the user afterwards, and the options that read it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/command_line.h"
#include "app/dry_run.h"
#include "app/start_report.h"
#include "launch_fixture.h"

namespace {

namespace fs = std::filesystem;

struct HistoryFile {
  fs::path folder = fs::temp_directory_path() / ("talvor-history-" + std::to_string(std::rand()) + "-" +
                                                 std::to_string(reinterpret_cast<std::uintptr_t>(this)));
  RunHistory history{(folder / "state" / "history.log").string()};
  ~HistoryFile() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
  std::vector<RunRecord> all() {
    std::string reason;
    return history.last(RunHistory::kKept, reason);
  }
};

TEST(RunRecord, ReadsBackWhatItWroteAndRefusesHalfALine) {
  RunRecord r;
  r.began = "2026-12-07T08:01:02";
  r.ended = "2026-12-07T08:01:17";
  r.outcome = Outcome::NoWindow;
  r.reason = "The backup did not start: no window titled \"Microsoft Backup\" appeared.\nSecond line\t\\ end";
  r.title = "Microsoft Backup";
  r.window = "";
  r.chosenBy = "weekday";
  r.job = 3;
  r.keysSent = 2;
  r.keysPlanned = 25;
  const std::string line = formatRecord(r);
  EXPECT_EQ(line.find('\n'), std::string::npos);
  EXPECT_EQ(line.rfind("began=2026-12-07T08:01:02 ended=2026-12-07T08:01:17 outcome=no-window job=3 "
                       "chosen-by=weekday keys=2/25 title=\"Microsoft Backup\" window=\"\" reason=",
                       0),
            0u)
      << line;
  RunRecord back;
  ASSERT_TRUE(parseRecord(line, back));
  EXPECT_EQ(formatRecord(back), line);
  EXPECT_EQ(back.reason, r.reason);
  EXPECT_FALSE(parseRecord(line.substr(0, line.size() - 5), back));  // cut inside the reason
  EXPECT_FALSE(parseRecord("began=x ended=y outcome=exploded job=1 keys=0/0 reason=", back));
}

TEST(RunHistory, KeepsTheNewestRecordsWithinItsBound) {
  HistoryFile f;
  RunHistory small(f.history.path(), 5, 2000);
  std::string reason;
  bool trimmed = false;
  for (int i = 1; i <= 40; ++i) {
    RunRecord r;
    r.began = r.ended = "2026-12-07T08:00:00";
    r.job = i;
    const auto before = fs::exists(f.history.path()) ? fs::file_size(f.history.path()) : 0;
    ASSERT_TRUE(small.append(r, reason)) << reason;
    // Right after the file was shortened it holds exactly the newest five.
    if (fs::file_size(f.history.path()) < before) {
      trimmed = true;
      const std::vector<RunRecord> kept = small.last(100, reason);
      ASSERT_EQ(kept.size(), 5u);
      EXPECT_EQ(kept.back().job, i);
    }
  }
  EXPECT_TRUE(trimmed);
  EXPECT_LE(fs::file_size(f.history.path()), 2000u);
  EXPECT_EQ(small.last(1, reason).back().job, 40);
  // By default the file's size bounds it, not a count below the thousand runs --history shows.
  RunHistory thousand(f.history.path() + "2", RunHistory::kKept, 16000);
  RunRecord r;
  r.began = r.ended = "2026-12-07T08:00:00";
  for (int i = 1; i <= 130; ++i) ASSERT_TRUE(thousand.append(r, reason)) << reason;
  EXPECT_GT(thousand.last(1000, reason).size(), 110u);
}

TEST(RunHistory, EachStartLeavesItsRecordAndTheNextStartRemembersAFailure) {
  HistoryFile f;
  {
    LaunchFixture t;
    t.history = &f.history;
    t.desk.startsWindow.clear();  // the batch file brings up nothing
    EXPECT_EQ(t.start(), 7);
    ASSERT_EQ(t.desk.notifications.size(), 1u);
    EXPECT_EQ(t.desk.notifications[0].summary, "Talvor Start");
    EXPECT_EQ(t.desk.notifications[0].body.rfind(
                  "The backup did not start: no window titled \"Microsoft Backup\" appeared. Check that", 0),
              0u)
        << t.desk.notifications[0].body;
    ASSERT_EQ(t.desk.systemLogEntries.size(), 1u);
    EXPECT_TRUE(t.desk.systemLogEntries[0].problem);
  }
  {
    LaunchFixture t;
    t.history = &f.history;
    t.put("Wednesday", "Wednesday", "1");
    t.put("Wednesday", "Backup", "3");
    EXPECT_EQ(t.start(), 0);
    EXPECT_EQ(t.frm->lblProblem.caption().rfind(
                  "Last run, 2026-08-12 09:00: The backup did not start: no window titled \"Microsoft Backup\"", 0),
              0u)
        << t.frm->lblProblem.caption();
    EXPECT_TRUE(t.desk.notifications.empty());
    EXPECT_EQ(t.desk.systemLogEntries.at(0).message,
              "Backup job 3 started (weekday) in \"Microsoft Backup - Untitled\"");
  }
  {
    LaunchFixture t;  // once per day: skipped, and the failure is no news any more
    t.history = &f.history;
    t.put("Start", "DateLastRun", t.dateText());
    EXPECT_EQ(t.start(), 0);
    EXPECT_EQ(t.frm->lblProblem.caption(), "");
    EXPECT_TRUE(t.desk.notifications.empty());
  }
  const std::vector<RunRecord> runs = f.all();
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].outcome, Outcome::NoWindow);
  EXPECT_EQ(runs[0].began, "2026-08-12T09:00:00");
  EXPECT_EQ(runs[0].ended, "2026-08-12T09:00:40");  // the delay, two retry waits, one more for the keys
  EXPECT_EQ(runs[0].keysSent, 0);
  EXPECT_EQ(runs[1].outcome, Outcome::JobStarted);
  EXPECT_EQ(runs[1].job, 3);
  EXPECT_EQ(runs[1].chosenBy, "weekday");
  EXPECT_EQ(runs[1].title, "Microsoft Backup");
  EXPECT_EQ(runs[1].window, "Microsoft Backup - Untitled");
  EXPECT_EQ(runs[1].keysSent, 25);
  EXPECT_EQ(runs[1].keysPlanned, 25);
  EXPECT_EQ(runs[2].outcome, Outcome::SkippedOncePerDay);
}

TEST(RunHistory, AHistoryThatCannotBeWrittenIsSaidAndTheRunGoesOn) {
  HistoryFile f;
  fs::create_directories(f.folder);
  std::ofstream(f.folder / "state") << "a file where the folder should be";
  LaunchFixture t;
  t.history = &f.history;
  EXPECT_EQ(t.start(), 0);
  EXPECT_EQ(t.stored("Start", "DateLastRun"), t.dateText());
  EXPECT_EQ(t.frm->lblProblem.caption().rfind("This start could not be added to the run history: ", 0), 0u)
      << t.frm->lblProblem.caption();
}

TEST(CommandLine, OptionsAndWhatIsRefused) {
  using A = CommandLine::Action;
  struct Case {
    std::vector<std::string> args;
    A action;
    int count;
    const char* error;
  };
  const Case cases[] = {
      {{}, A::Run, 20, ""},
      {{"--help"}, A::Help, 20, ""},
      {{"-h"}, A::Help, 20, ""},
      {{"--version"}, A::Version, 20, ""},
      {{"--dry-run"}, A::DryRun, 20, ""},
      {{"--history"}, A::History, 20, ""},
      {{"--history", "5"}, A::History, 5, ""},
      {{"--history", "0"}, A::Error, 20, "--history takes a number of runs from 1 to 1000, not \"0\""},
      {{"--history", "1001"}, A::Error, 20, "--history takes a number of runs from 1 to 1000, not \"1001\""},
      {{"--start"}, A::Error, 20, "unknown option \"--start\""},
      {{"now"}, A::Error, 20, "unknown option \"now\""},
      {{"--version", "--help"}, A::Error, 20, "unexpected \"--help\" after --version"},
  };
  for (const Case& c : cases) {
    const CommandLine got = parseCommandLine(c.args);
    EXPECT_EQ(got.action, c.action) << c.error;
    EXPECT_EQ(got.error, c.error);
    if (c.action == A::History) {
      EXPECT_EQ(got.historyCount, c.count);
    }
  }
  EXPECT_EQ(kUsageError, 64);
  EXPECT_EQ(versionText(), "talvorstart 1.0.29\n");
}

TEST(DryRun, TellsTheTitleAndEveryKeyAndTouchesNothing) {
  LaunchFixture t;
  t.put("Wednesday", "Wednesday", "1");
  t.put("Wednesday", "Backup", "3");
  t.store.clearWrites();
  std::string out;
  const DryRunClock clock{[&] { return t.desk.clockStart; }, [&](const Date& d) { return t.desk.shortDateText(d); }};
  EXPECT_EQ(dryRun(t.store, clock, out), 0);
  std::string expected =
      "Today: 2026-08-12\nStart delay: 10 seconds\nWindow title looked for: \"Microsoft Backup\" (the exact title "
      "first, else one that begins with it)\nJob: 3 (weekday)\nKey strings, in order:\n  %B\n";
  for (int i = 0; i < 20; ++i) expected += "  {UP}\n";
  expected += "  {DOWN}\n  {DOWN}\n  {ENTER}\n  %S\n";
  EXPECT_EQ(out, expected);
  EXPECT_TRUE(t.writes().empty());
  EXPECT_TRUE(t.desk.calls.empty());
  EXPECT_TRUE(t.desk.prompts.empty());
}

}  // namespace
