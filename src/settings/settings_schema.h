#pragma once

#include <optional>
#include <string>
#include <vector>

// Every setting the program keeps: section, key, value form and the default
// its start-up reader uses. Readers and writers address keys only through
// this table.
namespace settings {

inline const std::string kApp = "TalvorStart";

enum class ValueForm { CheckState, JobNumber, FreeText, Date };

struct SettingKey {
  std::string section;
  std::string key;
  ValueForm form;
  std::optional<std::string> loadDefault;  // none: read without a default
};

enum class StartKey {
  OnceOnly,
  StartDelay,
  Letter,
  Title,
  Default,
  BackupNumber,
  BackupJobLetter,
  DateLastRun,
  ConfirmKey,  // keys after the job is chosen; Enter unless set
  TitleMatch,  // how txtTitle names the window (title_match.h)
};

constexpr int kDaysInMonth = 31;
constexpr int kWeekdays = 7;  // index 0 Monday .. 6 Sunday

// The section names in their fixed order.
const std::string& monthSection();
const std::string& startSection();
const std::string& weekdaySection(int weekday);  // 0 Monday .. 6 Sunday

const SettingKey& dayOnOff(int day);  // day 1..31
const SettingKey& dayBackup(int day);
const SettingKey& weekdayOnOff(int weekday);
const SettingKey& weekdayBackup(int weekday);
const SettingKey& startKey(StartKey key);

// The whole schema: 62 "Month" keys, 2 per weekday, 10 in "Start".
const std::vector<SettingKey>& schema();

}  // namespace settings
