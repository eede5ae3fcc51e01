#include "update_notice.h"

namespace {
const wchar_t kClass[] = L"TalvorDemoUpdateNotice";
constexpr UINT_PTR kCloseTimer = 1;
}  // namespace

UpdateNotice::UpdateNotice(HWND mainWindow, UINT closeAfterMs) : main_(mainWindow) {
  static const ATOM registered = [] {
    WNDCLASSW c{};
    c.lpfnWndProc = procedure;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    c.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    c.lpszClassName = kClass;
    return RegisterClassW(&c);
  }();
  (void)registered;
  window_ = CreateWindowExW(0, kClass, L"Update available", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 200, 200, 320,
                            120, nullptr, nullptr, GetModuleHandleW(nullptr), this);
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  if (closeAfterMs) SetTimer(window_, kCloseTimer, closeAfterMs, nullptr);
}

UpdateNotice::~UpdateNotice() {
  if (IsWindow(window_)) DestroyWindow(window_);
}

LRESULT CALLBACK UpdateNotice::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
  auto* self = reinterpret_cast<UpdateNotice*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && message == WM_TIMER && w == kCloseTimer) {
    KillTimer(window, kCloseTimer);
    DestroyWindow(window);
    SetForegroundWindow(self->main_);  // the focus back where it was
    return 0;
  }
  if (message == WM_CLOSE) {
    DestroyWindow(window);
    return 0;
  }
  return DefWindowProcW(window, message, w, l);
}
