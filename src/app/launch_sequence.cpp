#include "app/launch_sequence.h"

#include "app/backup_run.h"
#include "app/count_down_wait.h"
#include "app/settings_load.h"
#include "platform/desktop_services.h"
#include "settings/settings_values.h"
#include "ui/frm_main.h"

void Form_Load(FrmMain& frm) { frm.setHelpFile("talvorstart.hlp"); }

bool backupDueToday(const FrmMain& frm, const settings::SettingsStore& store, DesktopServices& services) {
  if (frm.chkOnceOnly.value() == 0) return true;
  const std::string lastRun = settings::readRaw(store, settings::startKey(settings::StartKey::DateLastRun));
  return lastRun != services.shortDateText(services.now().date);
}

int Form_Activate(FrmMain& frm, settings::SettingsStore& store, DesktopServices& services) {
  loadSettings(frm, store, services);

  if (!frm.closeRequested && backupDueToday(frm, store, services)) {
    BackupRun run(frm, store, services);
    switch (run.RunBackup()) {
      case RunOutcome::Finished: break;
      case RunOutcome::EndApplication: frm.close(); return exit_status::kBatchFileMissing;
      case RunOutcome::Closed: frm.close(); return exit_status::kClosedBeforeBackup;
    }
  }

  // The configuration pause: five seconds, held while Pause is in force.
  frm.lblMessage.setCaption("Pausing to allow user configuration changes");
  frm.sngPauseTime = 5;
  frm.sngStart = frm.Timer();
  countDownWait(frm, services);
  frm.close();
  return exit_status::kOk;
}
