#pragma once

class FrmMain;
class DesktopServices;
namespace settings {
class SettingsStore;
}

// Exit statuses of the program.
namespace exit_status {
constexpr int kOk = 0;
constexpr int kNoDisplay = 1;
constexpr int kBatchFileMissing = 2;
constexpr int kClosedBeforeBackup = 3;  // the window was closed before the run was over
constexpr int kAlreadyRunning = 4;      // another start was running: this one did nothing
}  // namespace exit_status

// Everything from the first activation to the close: settings load, the
// once-per-day gate, the backup run, the configuration pause. Returns the
// program's exit status; the window is closed when it returns.
int Form_Activate(FrmMain& frm, settings::SettingsStore& store, DesktopServices& services);

// The window's load handling: names the help file.
void Form_Load(FrmMain& frm);

// The once-per-day gate: true when this start runs the backup.
bool backupDueToday(const FrmMain& frm, const settings::SettingsStore& store, DesktopServices& services);
