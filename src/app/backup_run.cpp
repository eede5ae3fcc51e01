#include "app/backup_run.h"

#include "app/count_down_wait.h"
#include "app/job_selection.h"
#include "platform/calendar.h"
#include "platform/desktop_services.h"
#include "platform/key_string.h"
#include "platform/number_text.h"
#include "settings/settings_values.h"
#include "ui/frm_main.h"

const std::string BackupRun::kFileNotFoundText =
    "The file TalvorStart.bat could not be found.  This is included in the zip file and should be installed in the "
    "same folder as talvorstart.exe.  This application will now exit.";

namespace {
const std::string kBatchFile = "TalvorStart.bat";
}

BackupRun::BackupRun(FrmMain& frm, settings::SettingsStore& store, DesktopServices& services)
    : frm_(frm), store_(store), services_(services) {}

// Runs one step under the failure rules: code 5 waits and retries, code 53
// ends the program, anything else is reported; RetryCount decides between
// carrying the step out again and passing over it.
BackupRun::StepResult BackupRun::step(const std::function<Status()>& body) {
  int otherFailures = 0;
  for (;;) {
    const Status s = body();
    if (s.ok()) return StepResult::Done;
    if (s.stopsRun()) {
      // Another try could type into a window that is not the backup
      // program's; stopping leaves the user's desktop as it was.
      keysStopped_ = true;
      showMsgBox(services_, displayNumber(s.code) + s.description, msgbox_style::kOkOnly);
      return frm_.closeRequested ? StepResult::Closed : StepResult::PassedOver;
    }
    if (s.code == failure_code::kInvalidArgument) {
      ++RetryCount;
      frm_.lblMessage.setCaption("Another " + displayNumber(frm_.sngPauseTime) + " seconds");
      frm_.sngStart = frm_.Timer();
      if (countDownWait(frm_, services_) == WaitResult::Closed) return StepResult::Closed;
    } else if (s.code == failure_code::kFileNotFound) {
      showMsgBox(services_, kFileNotFoundText, msgbox_style::kCritical, "File Not Found");
      return StepResult::EndApplication;
    } else {
      showMsgBox(services_, displayNumber(s.code) + s.description, msgbox_style::kOkOnly);
      ++otherFailures;
      if (frm_.closeRequested) return StepResult::Closed;
    }
    const bool again = RetryCount < 2 && (s.code == failure_code::kInvalidArgument || otherFailures < kMaxAttemptsPerStep);
    if (!again) {
      if (s.ownWindow) noReceiver_ = true;
      return StepResult::PassedOver;
    }
  }
}

BackupRun::StepResult BackupRun::sendKeysStep(const std::string& keys) {
  // A partial job sequence could start the wrong job: once the keys had no
  // receiver but this window, none of the rest is sent.
  if (noReceiver_ || keysStopped_) return StepResult::PassedOver;
  return step([&] { return services_.sendKeys(keys, true); });
}

Status BackupRun::sendLetter(const std::string& letter) {
  if (letter.find_first_not_of(" \t\r\n") == std::string::npos)
    return Status::failure(failure_code::kInvalidArgument, "No shortcut letter is set; Alt alone would open the menu bar");
  return services_.sendKeys("%" + escapeKeys(letter), true);
}

RunOutcome BackupRun::RunBackup() {
  RetryCount = 0;
  noReceiver_ = false;
  keysStopped_ = false;
  frm_.sngPauseTime = toSingle(numericValue(frm_.txtStartDelay.text()));

  StepResult r = StepResult::Done;
  auto stop = [&r] { return r == StepResult::EndApplication || r == StepResult::Closed; };
  auto outcome = [&r] { return r == StepResult::EndApplication ? RunOutcome::EndApplication : RunOutcome::Closed; };

  r = step([&] {
    frm_.lblMessage.setCaption("Waiting for backup program to start");
    return Status::success();
  });
  // Windows that exist before the batch file starts are never the backup
  // program unless activated by their title.
  services_.beginRun();
  r = step([&] { return services_.shell(kBatchFile, shell_style::kMinimizedNoFocus); });
  if (stop()) return outcome();
  frm_.sngStart = frm_.Timer();
  if (countDownWait(frm_, services_) == WaitResult::Closed) return RunOutcome::Closed;

  r = step([&] { return services_.appActivate(frm_.txtTitle.text()); });
  if (stop()) return outcome();

  if (frm_.chkDefault.value() == 0) {
    r = selectTodaysJob(frm_, store_, services_, [this](const std::function<Status()>& body) {
          const StepResult s = step(body);
          return s == StepResult::Closed ? JobStep::Closed : JobStep::Continue;
        }) == JobStep::Closed
            ? StepResult::Closed
            : StepResult::Done;
    if (stop()) return outcome();
    r = noReceiver_ || keysStopped_ ? StepResult::PassedOver
                                    : step([&] { return sendLetter(frm_.txtBackupKey.text()); });
    if (stop()) return outcome();
    const int maximum = frm_.SliderBackupNumber.max();
    for (int i = 1; i <= maximum; ++i) {
      r = sendKeysStep("{UP}");
      if (stop()) return outcome();
    }
    // The job number is read once, so the loop always ends.
    const int job = frm_.SliderBackupNumber.value();
    for (int i = 1; i < job; ++i) {
      r = sendKeysStep("{DOWN}");
      if (stop()) return outcome();
    }
    r = sendKeysStep("{ENTER}");
    if (stop()) return outcome();
  }
  r = noReceiver_ || keysStopped_ ? StepResult::PassedOver
                                  : step([&] { return sendLetter(frm_.txtStartKey.text()); });
  if (stop()) return outcome();
  // Unless the start key reached the backup program no job started:
  // recording the date would make a once-per-day install skip the backup
  // for the rest of the day.
  if (r != StepResult::Done) return RunOutcome::Finished;

  r = step([&] {
    const settings::WriteResult w = settings::save(store_, settings::startKey(settings::StartKey::DateLastRun),
                                                   services_.shortDateText(services_.now().date));
    if (w.ok) return Status::success();
    return Status::failure(failure_code::kPathFileAccess,
                           "The date of this run could not be stored in " + w.where + ": " + w.reason);
  });
  if (stop()) return outcome();
  return RunOutcome::Finished;
}
