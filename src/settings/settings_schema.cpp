#include "settings/settings_schema.h"

#include <array>
#include <cassert>

namespace settings {
namespace {

const std::array<std::string, kWeekdays> kWeekdayNames = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                                           "Friday", "Saturday", "Sunday"};

const std::string kMonth = "Month";
const std::string kStart = "Start";

struct Schema {
  std::vector<SettingKey> keys;
  // Offsets into keys, kept so that lookups are plain indexing.
  int monthBase = 0;
  int weekdayBase = 0;
  int startBase = 0;

  Schema() {
    monthBase = 0;
    for (int day = 1; day <= kDaysInMonth; ++day) {
      keys.push_back({kMonth, std::to_string(day) + "onoff", ValueForm::CheckState, "0"});
      keys.push_back({kMonth, std::to_string(day) + "Backup", ValueForm::JobNumber, "1"});
    }
    weekdayBase = int(keys.size());
    for (const std::string& name : kWeekdayNames) {
      keys.push_back({name, name, ValueForm::CheckState, "0"});
      keys.push_back({name, "Backup", ValueForm::JobNumber, "1"});
    }
    startBase = int(keys.size());
    // Same order as StartKey.
    keys.push_back({kStart, "OnceOnly", ValueForm::CheckState, "1"});
    keys.push_back({kStart, "StartDelay", ValueForm::FreeText, "10"});
    keys.push_back({kStart, "Letter", ValueForm::FreeText, std::nullopt});
    keys.push_back({kStart, "Title", ValueForm::FreeText, std::nullopt});
    keys.push_back({kStart, "Default", ValueForm::CheckState, "1"});
    keys.push_back({kStart, "BackupNumber", ValueForm::JobNumber, "1"});
    keys.push_back({kStart, "BackupJobLetter", ValueForm::FreeText, std::nullopt});
    keys.push_back({kStart, "DateLastRun", ValueForm::Date, std::nullopt});
    keys.push_back({kStart, "ConfirmKey", ValueForm::FreeText, "{ENTER}"});
    keys.push_back({kStart, "TitleMatch", ValueForm::FreeText, "start"});
  }
};

const Schema& theSchema() {
  static const Schema s;
  return s;
}

}  // namespace

const std::string& monthSection() { return kMonth; }
const std::string& startSection() { return kStart; }

const std::string& weekdaySection(int weekday) {
  assert(weekday >= 0 && weekday < kWeekdays);
  return kWeekdayNames[size_t(weekday)];
}

const SettingKey& dayOnOff(int day) {
  assert(day >= 1 && day <= kDaysInMonth);
  return theSchema().keys[size_t(theSchema().monthBase + 2 * (day - 1))];
}

const SettingKey& dayBackup(int day) {
  assert(day >= 1 && day <= kDaysInMonth);
  return theSchema().keys[size_t(theSchema().monthBase + 2 * (day - 1) + 1)];
}

const SettingKey& weekdayOnOff(int weekday) {
  assert(weekday >= 0 && weekday < kWeekdays);
  return theSchema().keys[size_t(theSchema().weekdayBase + 2 * weekday)];
}

const SettingKey& weekdayBackup(int weekday) {
  assert(weekday >= 0 && weekday < kWeekdays);
  return theSchema().keys[size_t(theSchema().weekdayBase + 2 * weekday + 1)];
}

const SettingKey& startKey(StartKey key) {
  return theSchema().keys[size_t(theSchema().startBase + int(key))];
}

const std::vector<SettingKey>& schema() { return theSchema().keys; }

}  // namespace settings
