#include "win32_windows.h"

#include "win32_text.h"

#include <vector>

namespace {

struct Search {
  const std::wstring* title;
  HWND own;
  HWND exact = nullptr;
  HWND prefix = nullptr;
};

std::wstring windowTitle(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::vector<wchar_t> buffer(size_t(length) + 1);
  const int n = GetWindowTextW(window, buffer.data(), length + 1);
  return std::wstring(buffer.data(), size_t(n > 0 ? n : 0));
}

BOOL CALLBACK visit(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  if (window == search->own || !IsWindowVisible(window)) return TRUE;
  const std::wstring title = windowTitle(window);
  if (title == *search->title) {
    search->exact = window;
    return FALSE;
  }
  if (!search->prefix && title.compare(0, search->title->size(), *search->title) == 0) search->prefix = window;
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

HWND findWindowByTitle(const std::wstring& title, HWND own) {
  if (title.empty()) return nullptr;
  Search search{&title, own};
  EnumWindows(visit, reinterpret_cast<LPARAM>(&search));
  return search.exact ? search.exact : search.prefix;
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
