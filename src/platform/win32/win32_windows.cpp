#include "win32_windows.h"

#include "platform/window_choice.h"
#include "win32_text.h"

#include <vector>

namespace {

std::wstring windowTitle(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::vector<wchar_t> buffer(size_t(length) + 1);
  const int n = GetWindowTextW(window, buffer.data(), length + 1);
  return std::wstring(buffer.data(), size_t(n > 0 ? n : 0));
}

// Top first, as EnumWindows gives them.
BOOL CALLBACK collectInZOrder(HWND window, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

struct ProcessSearch {
  DWORD pid;
  HWND found = nullptr;
};

BOOL CALLBACK visitForProcess(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<ProcessSearch*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != search->pid || !IsWindowVisible(window) || GetWindow(window, GW_OWNER)) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

HWND mainWindowOfProcess(DWORD pid) {
  ProcessSearch search{pid};
  if (pid) EnumWindows(visitForProcess, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::set<HWND> topLevelWindows() {
  std::vector<HWND> all;
  EnumWindows(collectInZOrder, reinterpret_cast<LPARAM>(&all));
  return {all.begin(), all.end()};
}

HWND findWindowByTitle(const std::wstring& title, TitleMatch match, HWND own, const std::set<HWND>& before) {
  if (title.empty()) return nullptr;
  std::vector<HWND> all;
  EnumWindows(collectInZOrder, reinterpret_cast<LPARAM>(&all));
  std::vector<HWND> windows;
  std::vector<WindowCandidate> candidates;
  // Bottom first: the list runs from the oldest to the newest.
  for (auto w = all.rbegin(); w != all.rend(); ++w) {
    if (*w == own || !IsWindowVisible(*w)) continue;
    windows.push_back(*w);
    wchar_t className[256] = L"";
    GetClassNameW(*w, className, 256);
    candidates.push_back({toUtf8(windowTitle(*w)), before.count(*w) > 0, {toUtf8(className)}});
  }
  const int chosen = chooseWindowByTitle(candidates, toUtf8(title), match);
  return chosen < 0 ? nullptr : windows[size_t(chosen)];
}

bool bringToForeground(HWND window) {
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  if (SetForegroundWindow(window) && GetForegroundWindow() == window) return true;
  // The foreground lock lets a thread that shares input with the
  // foreground thread hand the foreground on.
  const DWORD ours = GetCurrentThreadId();
  const DWORD theirs = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
  const bool attached = theirs && theirs != ours && AttachThreadInput(theirs, ours, TRUE);
  BringWindowToTop(window);
  const bool done = SetForegroundWindow(window) != 0;
  if (attached) AttachThreadInput(theirs, ours, FALSE);
  return done || GetForegroundWindow() == window;
}

std::string windowTitleUtf8(HWND window) { return toUtf8(windowTitle(window)); }
