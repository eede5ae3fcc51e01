#pragma once

#include "platform/status.h"

#include <functional>
#include <string>

class FrmMain;
class DesktopServices;
namespace settings {
class SettingsStore;
}

enum class RunOutcome {
  Finished,        // every step done or passed over
  EndApplication,  // the batch file is missing: the program ends now
  Closed,          // the window was closed during a wait
};

// One backup run: start the batch file, wait, activate the backup program,
// choose today's job, start it, record the date.
class BackupRun {
 public:
  BackupRun(FrmMain& frm, settings::SettingsStore& store, DesktopServices& services);
  RunOutcome RunBackup();

  // A step that fails other than with code 5 is carried out at most this
  // often, so a failure that recurs every time cannot hold the run forever.
  static constexpr int kMaxAttemptsPerStep = 3;

  static const std::string kFileNotFoundText;

 private:
  enum class StepResult { Done, PassedOver, EndApplication, Closed };
  StepResult step(const std::function<Status()>& body);
  StepResult sendKeysStep(const std::string& keys);
  Status sendLetter(const std::string& letter);
  void chooseTodaysJob(StepResult& result);

  FrmMain& frm_;
  settings::SettingsStore& store_;
  DesktopServices& services_;
  int RetryCount = 0;
  bool noReceiver_ = false;  // keys were refused: nothing but our own window to get them
  bool keysStopped_ = false; // keys were refused: they could reach a window outside the backup program
};
