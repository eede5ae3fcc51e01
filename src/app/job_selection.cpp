#include "app/job_selection.h"

#include "platform/calendar.h"
#include "platform/desktop_services.h"
#include "settings/settings_values.h"
#include "ui/frm_main.h"

namespace {

// The stored job number, read with no default, onto the slider.
Status assignStoredJob(FrmMain& frm, settings::SettingsStore& store, const settings::SettingKey& key) {
  const QString text = QString::fromStdString(settings::readRaw(store, key));
  const auto job = settings::parseWholeNumber(text.toStdString());
  if (!job)
    return Status::failure(failure_code::kTypeMismatch,
                           QStringLiteral("Type mismatch: the job number \"%1\" stored under %2 %3 is not a number")
                               .arg(text, QString::fromStdString(key.section), QString::fromStdString(key.key)));
  frm.setJobNumber(*job);
  return Status::success();
}

}  // namespace

JobStep selectTodaysJob(FrmMain& frm, settings::SettingsStore& store, DesktopServices& services,
                        const StepRunner& runStep) {
  // Weekday numbers 2..7 are Monday..Saturday, 1 is Sunday.
  const int weekday = weekdayNumber(services.now().date());
  const int row = weekday == 1 ? 6 : weekday - 2;
  const ScheduleEntry& w = weekdayEntry(row);
  if (FrmMain::checkState(frm.scheduleBox(w)) == 1 &&
      runStep([&] { return assignStoredJob(frm, store, *w.backup); }) == JobStep::Closed)
    return JobStep::Closed;

  const int day = services.now().date().day();
  const ScheduleEntry& d = dayEntry(day);
  if (FrmMain::checkState(frm.scheduleBox(d)) == 1 &&
      runStep([&] { return assignStoredJob(frm, store, *d.backup); }) == JobStep::Closed)
    return JobStep::Closed;
  return JobStep::Continue;
}
