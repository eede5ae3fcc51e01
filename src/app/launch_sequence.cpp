#include "app/launch_sequence.h"

#include "app/backup_run.h"
#include "app/count_down_wait.h"
#include "app/settings_load.h"
#include "app/settings_problems.h"
#include "platform/desktop_services.h"
#include "settings/settings_values.h"
#include "ui/frm_main.h"

void Form_Load(FrmMain& frm) { frm.setHelpFile("talvorstart.hlp"); }

bool backupDueToday(const FrmMain& frm, const settings::SettingsStore& store, DesktopServices& services) {
  if (frm.chkOnceOnly.value() == 0) return true;
  const std::string lastRun = settings::readRaw(store, settings::startKey(settings::StartKey::DateLastRun));
  return lastRun != services.shortDateText(services.now().date);
}

namespace {

std::string toldText(Outcome outcome, const std::string& detail) {
  // The missing batch file keeps its own words, which say it all.
  if (outcome == Outcome::BatchFileMissing) return detail;
  return notStartedText(outcome, detail);
}

}  // namespace

StartResult runStart(FrmMain& frm, settings::SettingsStore& store, DesktopServices& services) {
  StartResult result;
  loadSettings(frm, store, services);

  if (frm.closeRequested) {
    result.outcome = Outcome::ClosedByUser;
  } else if (!backupDueToday(frm, store, services)) {
    result.outcome = Outcome::SkippedOncePerDay;
  } else {
    BackupRun run(frm, store, services);
    result.outcome = run.RunBackup();
    if (!startedOrSkipped(result.outcome)) result.text = toldText(result.outcome, run.detail());
  }
  if (result.outcome == Outcome::ClosedByUser) {
    frm.close();
    return result;
  }
  if (!result.text.empty()) reportProblem(&frm, result.text);

  // The configuration pause: five seconds, held while Pause is in force.
  frm.lblMessage.setCaption("Pausing to allow user configuration changes");
  frm.sngPauseTime = 5;
  frm.sngStart = frm.Timer();
  countDownWait(frm, services);
  frm.close();
  return result;
}

int Form_Activate(FrmMain& frm, settings::SettingsStore& store, DesktopServices& services) {
  return runStart(frm, store, services).exitStatus();
}
