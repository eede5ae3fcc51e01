// demo-backup.exe [--log FILE]: a stand-in for a backup program. The log
// file may also be named in DEMO_BACKUP_LOG.
#include "demo_window.h"
#include "key_log.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

std::wstring logPath() {
  std::wstring path;
  wchar_t fromEnvironment[MAX_PATH * 4];
  const DWORD n = GetEnvironmentVariableW(L"DEMO_BACKUP_LOG", fromEnvironment, MAX_PATH * 4);
  if (n > 0 && n < MAX_PATH * 4) path = fromEnvironment;
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 1; args && i + 1 < count; ++i)
    if (std::wstring(args[i]) == L"--log") path = args[i + 1];
  LocalFree(args);
  return path;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  KeyLog log(logPath());
  DemoWindow window(log);
  if (!window.handle()) return 1;
  ShowWindow(window.handle(), show);
  UpdateWindow(window.handle());
  log.write("ready " + std::to_string(GetCurrentProcessId()));

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Every key passes here before the controls or the mnemonics see it.
    log.key(message);
    if (!IsDialogMessageW(window.handle(), &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return int(message.wParam);
}
