#pragma once

#include "settings/settings_schema.h"

#include <string>
#include <vector>

// The 38 schedule boxes: 31 days of the month, then Monday to Sunday.
struct ScheduleEntry {
  std::string boxName;  // "chkDay12", "chkwednesday"
  const settings::SettingKey* onOff;
  const settings::SettingKey* backup;
  std::string tooltipEnding;  // " selected for the 12th day of the month"
  int day;                    // 1..31, or 0 for a weekday
  int weekday;                // 0 Monday..6 Sunday, or -1 for a day
};

const std::vector<ScheduleEntry>& scheduleTable();
const ScheduleEntry& dayEntry(int day);          // 1..31
const ScheduleEntry& weekdayEntry(int weekday);  // 0 Monday..6 Sunday
