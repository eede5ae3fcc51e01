#include "test_windows.h"

namespace {

const wchar_t kClass[] = L"TalvorTestWindow";

std::string keyName(WPARAM vk) {
  switch (vk) {
    case VK_UP: return "Up";
    case VK_DOWN: return "Down";
    case VK_RETURN: return "Return";
    case VK_F1: return "F1";
    default:
      if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return std::string(1, char(vk));
      return "vk" + std::to_string(vk);
  }
}

}  // namespace

LoggingWindow::LoggingWindow(const std::wstring& title, HWND owner) {
  static const ATOM registered = [] {
    WNDCLASSW c{};
    c.lpfnWndProc = procedure;
    c.hInstance = GetModuleHandleW(nullptr);
    c.lpszClassName = kClass;
    return RegisterClassW(&c);
  }();
  (void)registered;
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
  if (message == WM_NCCREATE) {
    auto* self = static_cast<LoggingWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<LoggingWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)) {
    if (w != VK_MENU && w != VK_SHIFT && w != VK_CONTROL) {
      const bool alt = (l >> 29) & 1;  // the context code: Alt is down
      const bool shift = GetKeyState(VK_SHIFT) & 0x8000, ctrl = GetKeyState(VK_CONTROL) & 0x8000;
      self->keys_.push_back(std::string(ctrl ? "Ctrl+" : "") + (alt ? "Alt+" : "") + (shift ? "Shift+" : "") +
                            keyName(w));
    }
    return 0;  // no menu loop on Alt
  }
  if (message == WM_SYSKEYUP || message == WM_SYSCHAR) return 0;
  return DefWindowProcW(window, message, w, l);
}

void pumpMessages(DWORD quietMs) {
  DWORD last = GetTickCount();
  while (GetTickCount() - last < quietMs) {
    MSG m;
    if (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
      last = GetTickCount();
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
  }
}
