// A backup program for the Win32 tests, in a process of its own: a job list
// that is a drop-down list (CBS_DROPDOWNLIST) behind the mnemonic of its
// label, and a start button with one. Logs the keys it takes from its queue
// and the job it started.
//   target_dialog LOG            the backup program, "Microsoft Backup"
//   target_dialog LOG --steal    a window "Update ready" that takes the foreground, logs nothing
#include <windows.h>

#include <cstdio>
#include <string>

#include "test_windows.h"

namespace {

FILE* logFile = nullptr;
HWND jobs = nullptr;
constexpr int kStart = 101;

void logLine(const std::string& line) {
  if (logFile) std::fprintf(logFile, "%s\n", line.c_str()), std::fflush(logFile);
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(w) == kStart && jobs) logLine("started " + std::to_string(SendMessageW(jobs, CB_GETCURSEL, 0, 0) + 1));
      return 0;  // Enter (IDOK) does nothing here
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, w, l);
}

HWND child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int y, int id) {
  return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 10, y, 200, style & CBS_DROPDOWNLIST ? 150 : 24,
                         parent, reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const bool steal = argc > 2 && std::wstring(argv[2]) == L"--steal";
  logFile = steal ? nullptr : _wfopen(argv[1], L"a");
  WNDCLASSW c{};
  c.lpfnWndProc = procedure;
  c.hInstance = GetModuleHandleW(nullptr);
  c.lpszClassName = L"TalvorTargetDialog";
  RegisterClassW(&c);
  HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, c.lpszClassName, steal ? L"Update ready" : L"Microsoft Backup",
                                WS_OVERLAPPEDWINDOW, 50, 50, 260, 160, nullptr, nullptr, c.hInstance, nullptr);
  if (!steal) {
    child(window, L"STATIC", L"&Backup Job", 0, 10, 0);
    jobs = child(window, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, 36, 100);
    for (const wchar_t* job : {L"1 Documents", L"2 Photos", L"3 Mail", L"4 Whole disk", L"5 Projects"})
      SendMessageW(jobs, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(job));
    SendMessageW(jobs, CB_SETCURSEL, 1, 0);
    child(window, L"BUTTON", L"&Start Backup", BS_PUSHBUTTON | WS_TABSTOP, 70, kStart);
  }
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  if (jobs) SetFocus(jobs);  // as a dialog starts on its first control
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    if ((m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) && !keyText(m.wParam, m.lParam).empty())
      logLine("key " + keyText(m.wParam, m.lParam));
    if (IsDialogMessageW(window, &m)) continue;
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return 0;
}
