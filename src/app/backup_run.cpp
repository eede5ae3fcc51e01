#include "app/backup_run.h"

#include <algorithm>
#include <cmath>

#include "app/count_down_wait.h"
#include "app/job_selection.h"
#include "app/settings_problems.h"
#include "platform/calendar.h"
#include "platform/desktop_services.h"
#include "platform/key_string.h"
#include "platform/number_text.h"
#include "settings/settings_schema.h"
#include "settings/settings_values.h"
#include "ui/frm_main.h"

const std::string BackupRun::kFileNotFoundText =
    "The file TalvorStart.bat could not be found.  This is included in the zip file and should be installed in the "
    "same folder as talvorstart.exe.  This application will now exit.";

namespace {
const std::string kBatchFile = "TalvorStart.bat";

bool blank(const std::string& text) { return text.find_first_not_of(" \t\r\n") == std::string::npos; }

// The key strings that the keys make, pauses apart: what the run history
// counts. 0 for keys that do not parse.
int keyStringsIn(const std::string& keys) {
  int n = 0;
  for (const KeyPart& p : splitAtPauses(keys).parts) n += p.keys.empty() ? 0 : 1;
  return n;
}
}  // namespace

BackupRun::BackupRun(FrmMain& frm, settings::SettingsStore& store, DesktopServices& services)
    : frm_(frm), store_(store), services_(services) {}

void BackupRun::report(const std::string& text) {
  for (const std::string& r : reported_)
    if (r == text) return;
  reported_.push_back(text);
  reportProblem(&frm_, text);
}

void BackupRun::noteCause(Outcome outcome, const std::string& detail, bool refinesNoWindow) {
  if (causeNoted_ && !(refinesNoWindow && cause_ == Outcome::NoWindow)) return;
  causeNoted_ = true;
  cause_ = outcome;
  detail_ = detail;
}

// Runs one step under the failure rules: code 5 waits and retries, code 53
// ends the run, anything else is reported; RetryCount decides between
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
      noteCause(outcomeOfKeyStop(s.stop), s.description, true);
      return frm_.closeRequested ? StepResult::Closed : StepResult::PassedOver;
    }
    if (s.code == failure_code::kInvalidArgument) {
      ++RetryCount;
      frm_.lblMessage.setCaption("Another " + displayNumber(frm_.sngPauseTime) + " seconds");
      frm_.sngStart = frm_.Timer();
      if (countDownWait(frm_, services_) == WaitResult::Closed) return StepResult::Closed;
    } else if (s.code == failure_code::kFileNotFound) {
      causeNoted_ = false;
      noteCause(Outcome::BatchFileMissing, kFileNotFoundText);
      return StepResult::EndApplication;
    } else if (s.code == failure_code::kNotAvailable) {
      // No other try can type on a desktop that offers no way to.
      keysStopped_ = true;
      noteCause(Outcome::CannotType, s.description);
      return StepResult::PassedOver;
    } else {
      report(displayNumber(s.code) + s.description);
      ++otherFailures;
      if (frm_.closeRequested) return StepResult::Closed;
    }
    const bool again =
        RetryCount < 2 && (s.code == failure_code::kInvalidArgument || otherFailures < kMaxAttemptsPerStep);
    if (!again) {
      if (s.ownWindow) noReceiver_ = true;
      lastFailure_ = s;
      return StepResult::PassedOver;
    }
  }
}

BackupRun::StepResult BackupRun::sendKeysStep(const std::string& keys) {
  // A partial job sequence could start the wrong job (one Down or the Enter
  // left out): once a key string could not be sent, none of the rest is.
  if (keysHeld()) return StepResult::PassedOver;
  const StepResult r = step([&] { return services_.sendKeys(keys, true); });
  if (r == StepResult::Done) ++facts_.keysSent;
  if (r == StepResult::PassedOver && !keysStopped_) {
    keysStopped_ = true;
    const bool nobody = lastFailure_.ownWindow || lastFailure_.code == failure_code::kInvalidArgument;
    noteCause(nobody ? Outcome::NoWindow : Outcome::CannotType, lastFailure_.description);
  }
  return r;
}

BackupRun::StepResult BackupRun::sendShortcutStep(const std::string& setting) {
  if (keysHeld()) return StepResult::PassedOver;
  if (blank(setting)) {
    // Cleared during the delay: Alt alone would open the menu bar, and the
    // keys after it would go astray.
    keysStopped_ = true;
    noteCause(Outcome::SettingsMissing, "A shortcut letter was cleared during the run.");
    return StepResult::PassedOver;
  }
  return sendKeyStringStep(shortcutKeys(setting));
}

// Sends the keys part by part, with their pauses in between.
BackupRun::StepResult BackupRun::sendKeyStringStep(const std::string& keys) {
  const SplitKeys split = splitAtPauses(keys);
  if (!split.status.ok()) {
    // Changed during the delay into something that cannot be sent.
    keysStopped_ = true;
    noteCause(Outcome::SettingsInvalid, "The keys " + split.status.description + " cannot be sent.");
    return StepResult::PassedOver;
  }
  StepResult r = StepResult::Done;
  for (const KeyPart& part : split.parts) {
    if (part.pauseMs > 0 && pause(part.pauseMs) == StepResult::Closed) return StepResult::Closed;
    if (!part.keys.empty()) r = sendKeysStep(part.keys);
    if (r != StepResult::Done) return r;
  }
  return r;
}

// A pause of the key strings: the window stays live, and closing it ends
// the run as in any other wait.
BackupRun::StepResult BackupRun::pause(int ms) {
  const double until = frm_.Timer() + ms / 1000.0;
  for (;;) {
    services_.doEvents();
    if (frm_.closeRequested) return StepResult::Closed;
    const double left = until - frm_.Timer();
    if (left <= 0) return StepResult::Done;
    // Rounded up, but not for the last bit of a float.
    services_.idle(std::max(1, int(std::ceil(left * 1000.0 - 1e-6))));
  }
}

// The values without which the run could only type into the blue: a run
// that cannot drive the backup program does not start it either.
std::string BackupRun::missingSettings() const {
  std::string missing;
  auto need = [&missing](const std::string& text, const char* what) {
    if (blank(text)) missing += std::string(missing.empty() ? "" : ", ") + what;
  };
  need(frm_.txtTitle.text(), "the backup program's window title");
  need(frm_.txtStartKey.text(), "the start letter");
  if (frm_.chkDefault.value() == 0) need(frm_.txtBackupKey.text(), "the backup job letter");
  if (missing.empty()) return missing;
  // Settings that cannot be read cannot keep an answer either.
  if (!store_.readProblem(settings::kApp).empty())
    return "Not known: " + missing + ", as the settings could not be read. Mend them as the line above says.";
  return "Not set: " + missing + ". Enter what is missing in the Talvor Start window; it is kept for the next start.";
}

// Key strings that cannot be sent and an unknown way of matching the title
// are refused before anything starts: typing them as text, or guessing,
// could start the wrong job.
std::string BackupRun::unusableSettings() const {
  std::string wrong;
  auto check = [&wrong](const std::string& keys, const char* what) {
    const SplitKeys split = splitAtPauses(keys);
    if (!split.status.ok()) wrong += std::string(wrong.empty() ? "" : "; ") + what + ": " + split.status.description;
  };
  if (frm_.chkDefault.value() == 0) {
    check(shortcutKeys(frm_.txtBackupKey.text()), "the job list's keys");
    check(frm_.confirmKeys, "the keys that confirm the job");
  }
  check(shortcutKeys(frm_.txtStartKey.text()), "the start keys");
  TitleMatch match;
  if (!titleMatchFromSetting(frm_.titleMatch, match))
    wrong += std::string(wrong.empty() ? "" : "; ") + "the way the title is matched: \"" + frm_.titleMatch +
             "\" is none of start, end, contains or class";
  if (wrong.empty()) return wrong;
  return "Not usable: " + wrong +
         ". Mend it in the Talvor Start window (menu Keys); it is kept for the next start.";
}

Outcome BackupRun::RunBackup() {
  RetryCount = 0;
  noReceiver_ = false;
  keysStopped_ = false;
  causeNoted_ = false;
  detail_.clear();
  reported_.clear();
  facts_ = Facts();
  frm_.sngPauseTime = toSingle(numericValue(frm_.txtStartDelay.text()));

  const std::string missing = missingSettings();
  if (!missing.empty()) {
    detail_ = missing;
    return Outcome::SettingsMissing;
  }
  const std::string unusable = unusableSettings();
  if (!unusable.empty()) {
    detail_ = unusable;
    return Outcome::SettingsInvalid;
  }
  titleMatchFromSetting(frm_.titleMatch, titleMatch_);

  StepResult r = StepResult::Done;
  auto stop = [&r] { return r == StepResult::EndApplication || r == StepResult::Closed; };
  auto ended = [&r, this] { return r == StepResult::Closed ? Outcome::ClosedByUser : cause_; };

  frm_.lblMessage.setCaption("Waiting for backup program to start");
  // Windows that exist before the batch file starts are never the backup
  // program unless activated by their title.
  services_.beginRun();
  r = step([&] { return services_.shell(kBatchFile, shell_style::kMinimizedNoFocus); });
  if (stop()) return ended();
  if (r == StepResult::PassedOver) noteCause(Outcome::BatchFileNotRun, lastFailure_.description);
  frm_.sngStart = frm_.Timer();
  if (countDownWait(frm_, services_) == WaitResult::Closed) return Outcome::ClosedByUser;

  const std::string title = frm_.txtTitle.text();
  r = step([&] {
    Status s = services_.appActivate(title, titleMatch_);
    facts_.window = s.window;
    return s;
  });
  if (stop()) return ended();
  if (r == StepResult::PassedOver)
    noteCause(Outcome::NoWindow, titleMatch_ == TitleMatch::Start
                                     ? "Check that TalvorStart.bat starts the backup program and that its window's "
                                       "title begins with that text; a slow program needs a longer start delay."
                                     : "Check that TalvorStart.bat starts the backup program and the window's title "
                                       "setting and how it is matched; a slow program needs a longer start delay.");

  if (frm_.chkDefault.value() == 0) {
    bool jobUnknown = false;
    const JobStep chosen = selectTodaysJob(
        frm_, store_, services_,
        [&](const std::function<Status()>& body) {
          const StepResult s = step(body);
          jobUnknown = jobUnknown || s == StepResult::PassedOver;
          return s == StepResult::Closed ? JobStep::Closed : JobStep::Continue;
        },
        facts_.chosenBy);
    if (chosen == JobStep::Closed) return Outcome::ClosedByUser;
    if (jobUnknown) {
      // The slider still shows another day's job: starting it would be
      // worse than starting none.
      keysStopped_ = true;
      noteCause(Outcome::JobNotChosen, lastFailure_.description);
    }
    facts_.job = jobUnknown ? 0 : frm_.SliderBackupNumber.value();
    facts_.keysPlanned = keyStringsIn(shortcutKeys(frm_.txtBackupKey.text())) + frm_.SliderBackupNumber.max() +
                         std::max(frm_.SliderBackupNumber.value() - 1, 0) + keyStringsIn(frm_.confirmKeys) +
                         keyStringsIn(shortcutKeys(frm_.txtStartKey.text()));
    r = sendShortcutStep(frm_.txtBackupKey.text());
    if (stop()) return ended();
    const int maximum = frm_.SliderBackupNumber.max();
    for (int i = 1; i <= maximum; ++i) {
      r = sendKeysStep("{UP}");
      if (stop()) return ended();
    }
    // The job number is read once, so the loop always ends.
    const int job = frm_.SliderBackupNumber.value();
    for (int i = 1; i < job; ++i) {
      r = sendKeysStep("{DOWN}");
      if (stop()) return ended();
    }
    // Empty for a job list that Enter would open again.
    r = sendKeyStringStep(frm_.confirmKeys);
    if (stop()) return ended();
  }
  if (frm_.chkDefault.value() != 0) {
    facts_.chosenBy = "last-backup";
    facts_.keysPlanned = keyStringsIn(shortcutKeys(frm_.txtStartKey.text()));
  }
  r = sendShortcutStep(frm_.txtStartKey.text());
  if (stop()) return ended();
  // Unless the start key reached the backup program no job started:
  // recording the date would make a once-per-day install skip the backup
  // for the rest of the day.
  if (r != StepResult::Done) return ended();

  detail_.clear();
  const settings::WriteResult w = settings::save(store_, settings::startKey(settings::StartKey::DateLastRun),
                                                 services_.shortDateText(services_.now().date));
  // Said once: another try would fail alike, and the job has started.
  if (!w.ok) report("The date of this run could not be stored in " + w.where + ": " + w.reason);
  return Outcome::JobStarted;
}
