// run-job.exe JOB [TITLE]: a backup run through the Win32 back end alone,
// as the launch sequence makes it: starts TalvorStart.bat from its own
// folder, activates the window with the title (waiting for it to appear),
// sends the job and start keys with waiting. Prints what failed; exit 0
// when every step worked.
#include "platform/automation.h"
#include "platform/desktop_services.h"
#include "win32_text.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

KeyStroke alt(char32_t c) { return {KeyStroke::Key::Character, c, true}; }
KeyStroke named(KeyStroke::Key k) { return {k, 0, false}; }

std::string ownFolder() {
  wchar_t path[MAX_PATH * 4];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
  std::wstring folder(path, n);
  return toUtf8(folder.substr(0, folder.find_last_of(L'\\')));
}

int fail(const std::string& step, const AutomationStatus& status) {
  std::fprintf(stderr, "run-job: %s: %d %s\n", step.c_str(), status.code, status.description.c_str());
  return 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  const int job = count > 1 ? _wtoi(args[1]) : 3;
  const std::string title = count > 2 ? toUtf8(args[2]) : "Microsoft Backup";
  LocalFree(args);

  auto automation = createAutomation();
  AutomationStatus status = automation->start("TalvorStart.bat", ownFolder(), "", shell_style::kMinimizedNoFocus);
  if (!status.ok()) return fail("start", status);
  const DWORD begin = GetTickCount();
  while (!(status = automation->activate(title, TitleMatch::Start)).ok() && GetTickCount() - begin < 30000) Sleep(100);
  if (!status.ok()) return fail("activate", status);

  std::vector<std::vector<KeyStroke>> strings{{alt(U'B')}};
  for (int i = 0; i < 20; ++i) strings.push_back({named(KeyStroke::Key::Up)});
  for (int i = 1; i < job; ++i) strings.push_back({named(KeyStroke::Key::Down)});
  strings.push_back({named(KeyStroke::Key::Enter)});
  strings.push_back({alt(U'S')});
  for (const auto& keys : strings)
    if (!(status = automation->send(keys, true)).ok()) return fail("send", status);
  return 0;
}
