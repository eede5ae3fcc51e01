#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/run_outcome.h"
#include "platform/status.h"
#include "platform/window_choice.h"

class FrmMain;
class DesktopServices;
namespace settings {
class SettingsStore;
}

// One backup run: start the batch file, wait, activate the backup program,
// choose today's job, start it, record the date. Failures are said in the
// window and on standard error, never in a box that waits for a click: an
// unattended start must end by itself.
class BackupRun {
 public:
  BackupRun(FrmMain& frm, settings::SettingsStore& store, DesktopServices& services);
  // JobStarted, ClosedByUser, or why no job was started (see detail()).
  Outcome RunBackup();
  // What went wrong, in words the user can act on; empty after a good run.
  const std::string& detail() const { return detail_; }

  // What the run history keeps of the run.
  struct Facts {
    int job = 0;
    std::string chosenBy;
    std::string window;  // the window activated
    int keysSent = 0, keysPlanned = 0;
  };
  const Facts& facts() const { return facts_; }

  // A step that fails other than with code 5 is carried out at most this
  // often, so a failure that recurs every time cannot hold the run forever.
  static constexpr int kMaxAttemptsPerStep = 3;

  static const std::string kFileNotFoundText;

 private:
  enum class StepResult { Done, PassedOver, EndApplication, Closed };
  StepResult step(const std::function<Status()>& body);
  StepResult sendKeysStep(const std::string& keys);
  StepResult sendShortcutStep(const std::string& setting);
  StepResult sendKeyStringStep(const std::string& keys);
  StepResult pause(int ms);
  std::string missingSettings() const;
  std::string unusableSettings() const;
  // The first cause of a run without a job is kept; a stop of the keys
  // says better than "no window" what kept them from the backup program.
  void noteCause(Outcome outcome, const std::string& detail, bool refinesNoWindow = false);
  bool keysHeld() const { return noReceiver_ || keysStopped_; }
  void report(const std::string& text);  // once per run each

  FrmMain& frm_;
  settings::SettingsStore& store_;
  DesktopServices& services_;
  int RetryCount = 0;
  bool noReceiver_ = false;   // keys were refused: nothing but our own window to get them
  bool keysStopped_ = false;  // keys could reach a window outside the backup program, or none can be sent
  Status lastFailure_;        // of the step passed over last
  bool causeNoted_ = false;
  Outcome cause_ = Outcome::CannotType;
  std::string detail_;
  std::vector<std::string> reported_;
  Facts facts_;
  TitleMatch titleMatch_ = TitleMatch::Start;
};
