#include "ui/schedule_table.h"

namespace {

// The ordinals as the tooltips have always shown them.
std::string ordinal(int day) {
  if (day == 1 || day == 31) return std::to_string(day) + "st";
  if (day == 2) return "2nd";
  if (day == 3) return "3rd";
  return std::to_string(day) + "th";
}

std::vector<ScheduleEntry> build() {
  std::vector<ScheduleEntry> t;
  for (int d = 1; d <= settings::kDaysInMonth; ++d)
    t.push_back({"chkDay" + std::to_string(d), &settings::dayOnOff(d), &settings::dayBackup(d),
                 " selected for the " + ordinal(d) + " day of the month", d, -1});
  const char* boxes[] = {"chkMonday", "chkTuesday", "chkwednesday", "chkThursday",
                         "chkFriday", "chkSaturday", "chkSunday"};
  for (int w = 0; w < settings::kWeekdays; ++w)
    t.push_back({boxes[w], &settings::weekdayOnOff(w), &settings::weekdayBackup(w),
                 " selected for " + settings::weekdaySection(w), 0, w});
  return t;
}

}  // namespace

const std::vector<ScheduleEntry>& scheduleTable() {
  static const std::vector<ScheduleEntry> t = build();
  return t;
}

const ScheduleEntry& dayEntry(int day) { return scheduleTable()[size_t(day - 1)]; }
const ScheduleEntry& weekdayEntry(int weekday) {
  return scheduleTable()[size_t(settings::kDaysInMonth + weekday)];
}
