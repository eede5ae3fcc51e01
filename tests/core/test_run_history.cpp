// The record of starts: its lines, its bound, what a start leaves in it and tells the user afterwards, and the options
// that read it.
#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/dry_run.h"
#include "launch_fixture.h"
#include "temp_folder.h"

namespace {

TEST(RunRecord, ReadsBackWhatItWroteAndRefusesHalfALine) {
  // clang-format off
  const RunRecord r{"2026-12-07T08:01:02", "2026-12-07T08:01:17", Outcome::NoWindow,
                    "No window \"Microsoft Backup\".\nSecond line\t\\ end", 3, "weekday", "Microsoft Backup", "", 2, 25};
  // clang-format on
  const std::string line = formatRecord(r);
  EXPECT_EQ(line,
            "began=2026-12-07T08:01:02 ended=2026-12-07T08:01:17 outcome=no-window job=3 chosen-by=weekday keys=2/25 "
            "title=\"Microsoft Backup\" window=\"\" reason=\"No window \\\"Microsoft Backup\\\".\\nSecond "
            "line\\t\\\\ end\"");
  RunRecord back;
  ASSERT_TRUE(parseRecord(line, back));
  EXPECT_EQ(formatRecord(back), line);
  EXPECT_EQ(back.reason, r.reason);
  EXPECT_FALSE(parseRecord(line.substr(0, line.size() - 5), back));  // cut inside the reason
  EXPECT_FALSE(parseRecord("began=x ended=y outcome=exploded job=1 keys=0/0 reason=", back));
}

TEST(RunHistory, KeepsTheNewestRecordsWithinItsBound) {
  TempFolder f;
  RunHistory small(f / "small.log", 5, 2000);
  std::string reason;
  RunRecord r;
  r.began = r.ended = "2026-12-07T08:00:00";
  bool trimmed = false;
  for (r.job = 1; r.job <= 40; ++r.job) {
    const auto before = std::filesystem::exists(small.path()) ? std::filesystem::file_size(small.path()) : 0;
    ASSERT_TRUE(small.append(r, reason)) << reason;
    if (std::filesystem::file_size(small.path()) < before) {  // right after it was shortened: the newest five
      trimmed = true;
      const std::vector<RunRecord> kept = small.last(100, reason);
      ASSERT_EQ(kept.size(), 5u);
      EXPECT_EQ(kept.back().job, r.job);
    }
  }
  EXPECT_TRUE(trimmed);
  EXPECT_LE(std::filesystem::file_size(small.path()), 2000u);
  EXPECT_EQ(small.last(1, reason).back().job, 40);
  // By default the file's size bounds it, not a count below the thousand runs --history shows.
  RunHistory thousand(f / "big.log", RunHistory::kKept, 16000);
  for (int i = 1; i <= 130; ++i) ASSERT_TRUE(thousand.append(r, reason)) << reason;
  EXPECT_GT(thousand.last(1000, reason).size(), 110u);
}

TEST(RunHistory, EachStartLeavesItsRecordAndTheNextStartRemembersAFailure) {
  TempFolder f;
  RunHistory history(f / "state/history.log");
  std::vector<std::string> problems;
  for (int start = 0; start < 3; ++start) {
    LaunchFixture t;
    t.history = &history;
    if (start == 0) t.desk.startsWindow.clear();  // the batch file brings up nothing
    t.put("Wednesday", {{"Wednesday", "1"}, {"Backup", "3"}});
    if (start == 2) t.put("Start", "DateLastRun", t.dateText());  // once per day: skipped
    EXPECT_EQ(t.start(), start == 0 ? 7 : 0);
    problems.push_back(t.frm->lblProblem.caption());
    // Told at once when it failed, on the next start once, then no news any more.
    Texts summaries;
    for (const auto& n : t.desk.notifications) summaries.push_back(n.summary);
    EXPECT_EQ(summaries, start == 0 ? Texts{"Talvor Start"} : Texts{});
  }
  const std::string failure = "The backup did not start: no window titled \"Microsoft Backup\" appeared.";
  EXPECT_EQ(problems[0].rfind(failure, 0), 0u) << problems[0];
  EXPECT_EQ(problems[1].rfind("Last run, 2026-08-12 09:00: " + failure, 0), 0u) << problems[1];
  EXPECT_EQ(problems[2], "");
  std::string reason;
  const std::vector<RunRecord> runs = history.last(RunHistory::kKept, reason);
  ASSERT_EQ(runs.size(), 3u);
  // The failure took the delay, two retry waits and one more for the keys; a start ends with its keys.
  EXPECT_EQ(formatRecord(runs[0]),
            "began=2026-08-12T09:00:00 ended=2026-08-12T09:00:40 outcome=no-window job=3 chosen-by=weekday keys=0/25 "
            "title=\"Microsoft Backup\" window=\"\" reason=\"The backup did not start: no window titled \\\"Microsoft "
            "Backup\\\" appeared. Check that TalvorStart.bat starts the backup program and that its window's title "
            "begins with that text; a slow program needs a longer start delay.\"");
  EXPECT_EQ(formatRecord(runs[1]),
            "began=2026-08-12T09:00:00 ended=2026-08-12T09:00:10 outcome=job-started job=3 chosen-by=weekday "
            "keys=25/25 title=\"Microsoft Backup\" window=\"Microsoft Backup - Untitled\" reason=\"\"");
  EXPECT_EQ(runs[2].outcome, Outcome::SkippedOncePerDay);
}

TEST(RunHistory, AHistoryThatCannotBeWrittenIsSaidAndTheRunGoesOn) {
  TempFolder f;
  writeBytes(f / "state", "a file where the folder should be");
  RunHistory history(f / "state/history.log");
  LaunchFixture t;
  t.history = &history;
  EXPECT_EQ(t.start(), 0);
  EXPECT_EQ(t.stored("Start", "DateLastRun"), t.dateText());
  EXPECT_EQ(t.frm->lblProblem.caption().rfind("This start could not be added to the run history: ", 0), 0u)
      << t.frm->lblProblem.caption();
}

TEST(CommandLine, OptionsAndWhatIsRefused) {
  using A = CommandLine::Action;
  const std::string range = "--history takes a number of runs from 1 to 1000, not ";
  // With the count of --history.
  // clang-format off
  const std::tuple<std::vector<std::string>, A, int, std::string> cases[] = {
      {{}, A::Run, 0, ""}, {{"--help"}, A::Help, 0, ""}, {{"-h"}, A::Help, 0, ""}, {{"--version"}, A::Version, 0, ""},
      {{"--dry-run"}, A::DryRun, 0, ""}, {{"--history"}, A::History, 20, ""}, {{"--history", "5"}, A::History, 5, ""},
      {{"--history", "0"}, A::Error, 0, range + "\"0\""}, {{"--history", "1001"}, A::Error, 0, range + "\"1001\""},
      {{"--start"}, A::Error, 0, "unknown option \"--start\""}, {{"now"}, A::Error, 0, "unknown option \"now\""},
      {{"--version", "--help"}, A::Error, 0, "unexpected \"--help\" after --version"}};
  // clang-format on
  for (const auto& [args, action, count, error] : cases) {
    const CommandLine got = parseCommandLine(args);
    EXPECT_EQ(std::tuple(got.action, got.action == A::History ? got.historyCount : 0, got.error),
              std::tuple(action, count, error));
  }
  EXPECT_EQ(kUsageError, 64);
  EXPECT_EQ(versionText(), "talvorstart 1.0.29\n");
}

TEST(DryRun, TellsTheTitleAndEveryKeyAndTouchesNothing) {
  LaunchFixture t;
  t.put("Wednesday", {{"Wednesday", "1"}, {"Backup", "3"}});
  t.store.clearWrites();
  std::string out;
  const DryRunClock clock{[&] { return t.desk.clockStart; }, [&](const Date& d) { return t.desk.shortDateText(d); }};
  EXPECT_EQ(dryRun(t.store, clock, out), 0);
  std::string expected =
      "Today: 2026-08-12\nStart delay: 10 seconds\nWindow title looked for: \"Microsoft Backup\" (the exact title "
      "first, else one that begins with it)\nJob: 3 (weekday)\nKey strings, in order:\n  %B\n";
  for (int i = 0; i < 20; ++i) expected += "  {UP}\n";
  EXPECT_EQ(out, expected + "  {DOWN}\n  {DOWN}\n  {ENTER}\n  %S\n");
  EXPECT_TRUE(t.writes().empty());
  EXPECT_TRUE(t.desk.calls.empty());
  EXPECT_TRUE(t.desk.prompts.empty());
}

}  // namespace
