#include "app/launch_sequence.h"

#include "app/backup_run.h"
#include "app/count_down_wait.h"
#include "app/run_history.h"
#include "app/settings_load.h"
#include "app/settings_problems.h"
#include "app/start_report.h"
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

std::string toldText(Outcome outcome, const std::string& detail, const std::string& title) {
  // The missing batch file keeps its own words, which say it all.
  if (outcome == Outcome::BatchFileMissing) return detail;
  return notStartedText(outcome, detail, title);
}

}  // namespace

StartResult runStart(FrmMain& frm, settings::SettingsStore& store, DesktopServices& services, RunHistory* history) {
  StartResult result;
  RunRecord record;
  record.began = isoLocalTime(services.now());
  if (history) {
    const std::string last = lastFailureText(*history);
    if (!last.empty()) frm.showProblem(last);
  }
  loadSettings(frm, store, services);
  record.title = frm.txtTitle.text();

  if (frm.closeRequested) {
    result.outcome = Outcome::ClosedByUser;
  } else if (!backupDueToday(frm, store, services)) {
    result.outcome = Outcome::SkippedOncePerDay;
  } else {
    BackupRun run(frm, store, services);
    result.outcome = run.RunBackup();
    if (result.outcome != Outcome::JobStarted)
      result.text = toldText(result.outcome, run.detail(), frm.txtTitle.text());
    record.job = run.facts().job;
    record.chosenBy = run.facts().chosenBy;
    record.window = run.facts().window;
    record.keysSent = run.facts().keysSent;
    record.keysPlanned = run.facts().keysPlanned;
  }
  record.outcome = result.outcome;
  record.reason = result.text;
  record.ended = isoLocalTime(services.now());
  if (result.outcome == Outcome::ClosedByUser) {
    reportStart(record, history, services, &frm);
    frm.close();
    return result;
  }
  if (!result.text.empty()) reportProblem(&frm, result.text);
  reportStart(record, history, services, &frm);

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
