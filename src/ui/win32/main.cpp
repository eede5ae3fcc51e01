// The Windows program: the native Win32 view, the Win32 back end, the
// registry store and the core.
#include "app/launch_sequence.h"
#include "app/only_run.h"
#include "app/settings_problems.h"
#include "frm_main_view.h"
#include "platform/automation.h"
#include "platform/single_instance.h"
#include "settings/registry_store.h"
#include "settings/reporting_store.h"
#include "ui/frm_main.h"
#include "win32_desktop_services.h"

#include <windows.h>

#include <cstdio>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  settings::RegistryStore realStore;
  // Before anything is read or written: a second start does nothing but
  // show the user the run that is going on.
  SingleInstance instance(SingleInstance::defaultLockFolder(std::string()));
  if (!mayRunNow(instance, createAutomation)) return exit_status::kAlreadyRunning;

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
  return Form_Activate(frm, store, services);
}
