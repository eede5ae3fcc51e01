#include "dialog_driver.h"

// commctrl.h needs the types of windows.h first
#include <commctrl.h>

#include "event_pump.h"

namespace {
WhenWindowShows* current = nullptr;  // one timer at a time is all the tests need
bool ofThisThread(HWND window) {
  return window && IsWindowVisible(window) && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}
}  // namespace

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
  for (wchar_t c : text) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wScan = c;
    i.ki.dwFlags = KEYEVENTF_UNICODE;
    inputs.push_back(i);
    i.ki.dwFlags |= KEYEVENTF_KEYUP;
    inputs.push_back(i);
  }
  SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

void pressKeys(const std::vector<WORD>& keys) {
  for (WORD k : keys) sendKey(k, true);
  for (auto k = keys.rbegin(); k != keys.rend(); ++k) sendKey(*k, false);
}

void settle(HWND window) {
  for (int i = 0; i < 15; ++i) pumpEvents(window), waitForEvent(10);
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
