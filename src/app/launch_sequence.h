#pragma once

#include "app/run_outcome.h"

#include <string>

class FrmMain;
class DesktopServices;
class RunHistory;
namespace settings {
class SettingsStore;
}

// Exit statuses of the program that are decided before the window exists;
// the others come from the outcome table (run_outcome.cpp).
namespace exit_status {
constexpr int kOk = 0;
constexpr int kNoDisplay = 1;
constexpr int kAlreadyRunning = 4;  // another start was running: this one did nothing
}  // namespace exit_status

// How a start ended, and what the user was told about it.
struct StartResult {
  Outcome outcome = Outcome::JobStarted;
  std::string text;  // empty after a job started or a skipped run
  int exitStatus() const { return outcomeInfo(outcome).exitStatus; }
};

// Everything from the first activation to the close: settings load, the
// once-per-day gate, the backup run, the configuration pause. The window is
// closed when it returns. A run that started no job says why in the window
// and on standard error, then pauses as after any run, so that someone
// watching can read it.
// Each start is recorded in the history (when given), the system's log and,
// without a job, a notification; the window says at once when the last
// start started no job.
StartResult runStart(FrmMain& frm, settings::SettingsStore& store, DesktopServices& services,
                     RunHistory* history = nullptr);
// The same, giving the program's exit status.
int Form_Activate(FrmMain& frm, settings::SettingsStore& store, DesktopServices& services);

// The window's load handling: names the help file.
void Form_Load(FrmMain& frm);

// The once-per-day gate: true when this start runs the backup.
bool backupDueToday(const FrmMain& frm, const settings::SettingsStore& store, DesktopServices& services);
