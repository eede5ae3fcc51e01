#include "test_windows.h"

// commctrl.h needs the types of windows.h first
#include <commctrl.h>

namespace {
const wchar_t kClass[] = L"TalvorTestWindow";
WhenWindowShows* current = nullptr;  // one timer at a time is all the tests need
bool ofThisThread(HWND window) {
  return window && IsWindowVisible(window) && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}
INPUT keyInput(WORD vk, wchar_t unit, DWORD flags) {
  INPUT i{};
  i.type = INPUT_KEYBOARD;
  i.ki.wVk = vk, i.ki.wScan = unit, i.ki.dwFlags = flags;
  return i;
}

// The key of a key-down message with the modifiers held; empty for a modifier alone.
std::string keyText(WPARAM vk, LPARAM l) {
  if (vk == VK_MENU || vk == VK_SHIFT || vk == VK_CONTROL) return "";
  std::string text = GetKeyState(VK_CONTROL) & 0x8000 ? "Ctrl+" : "";
  text += (l >> 29) & 1 ? "Alt+" : "";  // the context code: Alt is down
  text += GetKeyState(VK_SHIFT) & 0x8000 ? "Shift+" : "";
  if (const char* name = vk == VK_UP ? "Up" : vk == VK_DOWN ? "Down" : vk == VK_RETURN ? "Return" : nullptr)
    return text + name;
  if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return text + char(vk);
  return text + "vk" + std::to_string(vk);
}
}  // namespace

LoggingWindow::LoggingWindow(const std::wstring& title, HWND owner) {
  static const WNDCLASSW c{0, procedure, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr, nullptr, nullptr, kClass};
  [[maybe_unused]] static const ATOM registered = RegisterClassW(&c);
  handle_ = CreateWindowExW(0, kClass, title.c_str(), WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, owner, nullptr,
                            GetModuleHandleW(nullptr), this);
  ShowWindow(handle_, SW_SHOW);
  pumpMessages(20);
}

LoggingWindow::~LoggingWindow() {
  DestroyWindow(handle_);
  pumpMessages(20);
}

LRESULT CALLBACK LoggingWindow::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
  auto* self = reinterpret_cast<LoggingWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)) {
    if (!keyText(w, l).empty()) self->keys_.push_back(keyText(w, l));
    return 0;  // no menu loop on Alt
  }
  if (message == WM_SYSKEYUP || message == WM_SYSCHAR) return 0;
  return DefWindowProcW(window, message, w, l);
}

void pumpMessages(DWORD quietMs) {
  MSG m;
  for (DWORD last = GetTickCount(); GetTickCount() - last < quietMs;) {
    if (!PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
      continue;
    }
    TranslateMessage(&m), DispatchMessageW(&m), last = GetTickCount();
  }
}

void sendKey(WORD vk, bool down) {
  INPUT i = keyInput(vk, 0, down ? 0 : KEYEVENTF_KEYUP);
  SendInput(1, &i, sizeof i);
}

bool waitUntil(const std::function<bool()>& condition, DWORD ms) {
  for (const DWORD start = GetTickCount();; Sleep(20)) {
    if (condition()) return true;
    if (GetTickCount() - start > ms) return false;
  }
}

std::wstring besideTheTests(const std::wstring& name) {
  wchar_t exe[MAX_PATH];
  const std::wstring path(exe, GetModuleFileNameW(nullptr, exe, MAX_PATH));
  return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
}

std::wstring tempPath(const std::wstring& name) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  static int made = 0;
  const std::wstring path = std::wstring(folder) + L"talvor test " + std::to_wstring(GetCurrentProcessId()) + L"-" +
                            std::to_wstring(++made) + L" " + name;
  DeleteFileW(path.c_str());  // one a process of the same id left
  return path;
}

WhenWindowShows::WhenWindowShows(std::wstring title, std::function<void(HWND)> action)
    : title_(std::move(title)), action_(std::move(action)) {
  current = this;
  timer_ = SetTimer(nullptr, 0, 20, tick);
}

WhenWindowShows::~WhenWindowShows() {
  if (timer_) KillTimer(nullptr, timer_);
  current = nullptr;
}

void CALLBACK WhenWindowShows::tick(HWND, UINT, UINT_PTR, DWORD) {
  WhenWindowShows* self = current;
  if (!self || self->ran_) return;
  const HWND found = FindWindowW(nullptr, self->title_.c_str());
  if (!ofThisThread(found) && GetTickCount() - self->start_ < 5000) return;
  KillTimer(nullptr, self->timer_);
  self->timer_ = 0;
  if (ofThisThread(found)) {
    self->ran_ = true;
    self->action_(found);
    return;
  }
  // Not the window looked for: close whatever dialog is open, so that a failing test ends.
  for (HWND d = nullptr; (d = FindWindowExW(nullptr, d, L"#32770", nullptr));)
    if (ofThisThread(d)) PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
}

void typeKeys(const std::wstring& text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text)
    for (DWORD up : {0, KEYEVENTF_KEYUP}) inputs.push_back(keyInput(0, c, KEYEVENTF_UNICODE | up));
  SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

void pressKeys(const std::vector<WORD>& keys) {
  for (WORD k : keys) sendKey(k, true);
  for (auto k = keys.rbegin(); k != keys.rend(); ++k) sendKey(*k, false);
}

std::wstring textOf(HWND window) {
  std::vector<wchar_t> buffer(size_t(GetWindowTextLengthW(window)) + 1);
  const int n = GetWindowTextW(window, buffer.data(), int(buffer.size()));
  return std::wstring(buffer.data(), size_t(n > 0 ? n : 0));
}

std::wstring boxText(HWND box) {
  std::wstring text;
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (textOf(c).size() > text.size()) text = textOf(c);
  return text;
}

SIZE textSize(HWND control, const std::wstring& text, int wrapWidth) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, HFONT(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT r{0, 0, wrapWidth, 0};
  DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | (wrapWidth ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return {r.right, r.bottom};
}

RECT rectInClient(HWND control, HWND window) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::wstring tooltipOf(HWND window, HWND control) {
  for (HWND tips = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); tips;
       tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr)) {
    if (GetWindow(tips, GW_OWNER) != window) continue;
    wchar_t buffer[1024] = L"";
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = buffer;
    SendMessageW(tips, TTM_GETTEXTW, WPARAM(1024), LPARAM(&tool));
    return buffer;
  }
  return L"(no tooltips)";
}
