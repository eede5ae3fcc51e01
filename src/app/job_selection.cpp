#include "app/job_selection.h"

#include "platform/calendar.h"
#include "platform/desktop_services.h"
#include "settings/settings_values.h"
#include "ui/frm_main.h"

namespace {

// The stored job number, read with no default, onto the slider.
Status assignStoredJob(FrmMain& frm, settings::SettingsStore& store, const settings::SettingKey& key) {
  const std::string text = settings::readRaw(store, key);
  const auto job = settings::parseWholeNumber(text);
  if (!job)
    return Status::failure(failure_code::kTypeMismatch, "Type mismatch: the job number \"" + text +
                                                            "\" stored under " + key.section + " " + key.key +
                                                            " is not a number");
  frm.SliderBackupNumber.setValue(*job);
  return Status::success();
}

}  // namespace

JobStep selectTodaysJob(FrmMain& frm, settings::SettingsStore& store, DesktopServices& services,
                        const StepRunner& runStep, std::string& chosenBy) {
  chosenBy = "remembered";
  // Weekday numbers 2..7 are Monday..Saturday, 1 is Sunday.
  const int weekday = weekdayNumber(services.now().date);
  const int row = weekday == 1 ? 6 : weekday - 2;
  const ScheduleEntry& w = weekdayEntry(row);
  if (frm.scheduleBox(w).value() == 1) {
    chosenBy = "weekday";
    if (runStep([&] { return assignStoredJob(frm, store, *w.backup); }) == JobStep::Closed) return JobStep::Closed;
  }

  const int day = services.now().date.day;
  const ScheduleEntry& d = dayEntry(day);
  if (frm.scheduleBox(d).value() == 1) {
    chosenBy = "day-of-month";
    if (runStep([&] { return assignStoredJob(frm, store, *d.backup); }) == JobStep::Closed) return JobStep::Closed;
  }
  return JobStep::Continue;
}
