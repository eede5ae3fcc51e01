// The Windows program: the native Win32 view, the Win32 back end, the
// registry store and the core.
// windows.h before shellapi.h, which needs its definitions.
#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "app/command_line.h"
#include "app/dry_run.h"
#include "app/launch_sequence.h"
#include "app/only_run.h"
#include "app/run_history.h"
#include "app/settings_problems.h"
#include "app/start_report.h"
#include "console_output.h"
#include "frm_main_view.h"
#include "platform/automation.h"
#include "platform/single_instance.h"
#include "settings/registry_store.h"
#include "settings/reporting_store.h"
#include "short_date.h"
#include "ui/frm_main.h"
#include "win32_desktop_services.h"
#include "win32_text.h"

namespace {

std::vector<std::string> arguments() {
  std::vector<std::string> out;
  int n = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &n);
  for (int i = 1; argv && i < n; ++i) out.push_back(toUtf8(argv[i]));
  if (argv) LocalFree(argv);
  return out;
}

LocalTime localNow() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {Date{t.wYear, t.wMonth, t.wDay}, t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond + t.wMilliseconds / 1000.0};
}

std::string shortDate(const Date& d) { return toUtf8(shortDateText(d.year, d.month, d.day)); }

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  settings::RegistryStore realStore;
  RunHistory history(RunHistory::defaultPath());
  std::string out, err;
  const int optionStatus =
      runOption(parseCommandLine(arguments()), realStore, history, {localNow, shortDate}, out, err);
  if (!out.empty()) printToConsole(out, false);
  if (!err.empty()) printToConsole(err, true);
  if (optionStatus >= 0) return optionStatus;

  // Before anything is read or written: a second start does nothing but
  // show the user the run that is going on.
  SingleInstance instance(SingleInstance::defaultLockFolder(std::string()));
  if (!mayRunNow(instance, createAutomation))
    return recordEarlyEnd(Outcome::AlreadyRunning, std::string(), localNow(), history);

  Win32DesktopServices services(createAutomation());
  FrmMain* window = nullptr;
  settings::ReportingStore store(realStore, windowReporter(window));
  FrmMain frm(store, services);
  FrmMainView view(frm);
  window = &frm;
  Form_Load(frm);
  frm.show();
  services.setOwnWindow(view.handle());
  reportReadProblem(frm, store);
  // Right after the window is shown: a window started by a scheduler may never be activated.
  return runStart(frm, store, services, &history).exitStatus();
}
