// Whether a start runs today and which job: each weekday reads its own row, each day of the month its own, a ticked day
// wins over a ticked weekday, and a day the month does not have never applies.
#include <gtest/gtest.h>

#include "launch_fixture.h"

namespace {

const char* const kWeekdays[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

// The keys sent on that date; "chosen by" is what the system log says.
void expectJob(LaunchFixture& t, const Date& date, int job, const std::string& chosenBy) {
  t.desk.clockStart = {date, 9 * 3600};
  t.put("Start", "DateLastRun", "");
  ASSERT_EQ(t.start(), 0);
  EXPECT_EQ(t.keys(), LaunchFixture::jobSequence("B", 20, job - 1, "S"));
  EXPECT_EQ(t.desk.systemLogEntries.at(0).message,
            "Backup job " + std::to_string(job) + " started (" + chosenBy + ") in \"Microsoft Backup - Untitled\"");
}

TEST(Schedule, EveryWeekdayAndEveryDay) {
  // Each date with its weekday, 0 Monday.
  std::vector<std::pair<Date, int>> days{
      {{2026, 11, 30}, 0}, {{2027, 1, 1}, 4}, {{2027, 2, 28}, 6}, {{2028, 2, 29}, 1}};
  for (int d = 1; d <= 31; ++d) days.push_back({{2026, 12, d}, d % 7});  // the 1st is a Tuesday
  auto weekdayJob = [](int w) { return w + 2; };
  auto dayJob = [](int d) { return d % 19 + 2; };
  for (const auto& [date, weekday] : days)
    for (const auto& [byWeekday, byDay] : {std::pair{true, false}, {false, true}, {true, true}}) {
      SCOPED_TRACE(isoDate(date) + (byWeekday ? " weekday" : "") + (byDay ? " day" : ""));
      LaunchFixture t;
      for (int w = 0; w < 7; ++w)
        t.put(kWeekdays[w], {{kWeekdays[w], byWeekday ? "1" : "0"}, {"Backup", std::to_string(weekdayJob(w))}});
      for (int d = 1; d <= 31; ++d)
        t.put("Month", {{std::to_string(d) + "onoff", byDay ? "1" : "0"},
                        {std::to_string(d) + "Backup", std::to_string(dayJob(d))}});
      expectJob(t, date, byDay ? dayJob(date.day) : weekdayJob(weekday), byDay ? "day-of-month" : "weekday");
    }
}

// Days 29 to 31 ticked, nothing else: the remembered job where the month lacks the day, never the next day's.
TEST(Schedule, MonthEnds) {
  const std::pair<Date, int> cases[] = {{{2026, 4, 30}, 10}, {{2026, 5, 1}, 4}, {{2026, 12, 31}, 11},
                                        {{2027, 2, 28}, 4},  {{2027, 3, 1}, 4}, {{2028, 2, 29}, 9},
                                        {{2100, 2, 28}, 4},  {{2000, 2, 29}, 9}};
  for (const auto& [date, job] : cases) {
    SCOPED_TRACE(isoDate(date));
    LaunchFixture t;
    t.put("Start", "BackupNumber", "4");
    for (int d = 29; d <= 31; ++d)
      t.put("Month", {{std::to_string(d) + "onoff", "1"}, {std::to_string(d) + "Backup", std::to_string(d - 20)}});
    expectJob(t, date, job, job == 4 ? "remembered" : "day-of-month");
  }
}

// Once per day: no second run on the day of the stored date, in its exact text.
TEST(Gate, RunsUnlessOncePerDayAndRunToday) {
  // Once per day; the stored date, with TODAY and YESTERDAY for theirs (nullptr: absent); whether it runs.
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"0", "TODAY", true},  {"1", nullptr, true},  {"1", "", true},          {"1", "YESTERDAY", true},
      {"1", "TODAY", false}, {"1", "TODAY ", true}, {"1", "1999-01-01", true}};  // a blank makes it text, not a date
  for (const auto& [onceOnly, lastRun, runs] : cases) {
    LaunchFixture t;
    std::string stored = lastRun ? lastRun : "";
    if (stored.rfind("TODAY", 0) == 0) stored.replace(0, 5, t.dateText());
    if (stored == "YESTERDAY") stored = t.dateText(-1);
    if (!lastRun) t.store = settings::MemoryStore();  // a first start: only what the load asks
    t.put("Start", "OnceOnly", onceOnly);
    if (lastRun) t.put("Start", "DateLastRun", stored);
    EXPECT_EQ(t.start(), exit_status::kOk);
    EXPECT_EQ(t.desk.callsStartingWith("Shell TalvorStart.bat 6"), runs ? 1 : 0) << onceOnly << " " << stored;
    EXPECT_EQ(t.stored("Start", "DateLastRun"), runs ? t.dateText() : stored);
  }
}

}  // namespace
