// demo-backup.exe [--log FILE] [--title TEXT] [--update-after KEYS [--update-for MS]]:
// a stand-in for a backup program. The log file may also be named in
// DEMO_BACKUP_LOG. With --update-after, a notice of its own takes the focus
// once the main window has had that many keys (for the tests of a focus
// taken part way); --update-for closes it after that time.
#include "demo_window.h"
#include "key_log.h"
#include "update_notice.h"

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>

namespace {

struct Options {
  std::wstring log;
  std::wstring title = L"Microsoft Backup";
  int updateAfterKeys = 0;
  UINT updateForMs = 0;
};

Options options() {
  Options o;
  wchar_t fromEnvironment[MAX_PATH * 4];
  const DWORD n = GetEnvironmentVariableW(L"DEMO_BACKUP_LOG", fromEnvironment, MAX_PATH * 4);
  if (n > 0 && n < MAX_PATH * 4) o.log = fromEnvironment;
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 1; args && i + 1 < count; ++i) {
    const std::wstring name = args[i], value = args[i + 1];
    if (name == L"--log") o.log = value;
    if (name == L"--title") o.title = value;
    if (name == L"--update-after") o.updateAfterKeys = _wtoi(value.c_str());
    if (name == L"--update-for") o.updateForMs = UINT(_wtoi(value.c_str()));
  }
  LocalFree(args);
  return o;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  const Options o = options();
  KeyLog log(o.log);
  DemoWindow window(log, o.title);
  if (!window.handle()) return 1;
  ShowWindow(window.handle(), show);
  UpdateWindow(window.handle());
  log.write("ready " + std::to_string(GetCurrentProcessId()));

  std::unique_ptr<UpdateNotice> notice;
  int keys = 0;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Every key passes here before the controls or the mnemonics see it.
    if (notice && notice->owns(message.hwnd)) {
      log.key(message, "update-key ");
    } else if (log.key(message) && ++keys == o.updateAfterKeys) {
      // Comes up once this key is handled, before the next one is taken.
      notice = std::make_unique<UpdateNotice>(window.handle(), o.updateForMs);
      log.write("update shown");
    }
    if (!IsDialogMessageW(window.handle(), &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return int(message.wParam);
}
