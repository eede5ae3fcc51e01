#include "test_windows.h"

namespace {
const wchar_t kClass[] = L"TalvorTestWindow";
}  // namespace

std::string keyText(WPARAM vk, LPARAM l) {
  if (vk == VK_MENU || vk == VK_SHIFT || vk == VK_CONTROL) return "";
  std::string text = GetKeyState(VK_CONTROL) & 0x8000 ? "Ctrl+" : "";
  text += (l >> 29) & 1 ? "Alt+" : "";  // the context code: Alt is down
  text += GetKeyState(VK_SHIFT) & 0x8000 ? "Shift+" : "";
  const std::pair<WPARAM, const char*> names[] = {{VK_UP, "Up"}, {VK_DOWN, "Down"}, {VK_RETURN, "Return"}};
  for (const auto& [key, name] : names)
    if (vk == key) return text + name;
  if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return text + char(vk);
  return text + "vk" + std::to_string(vk);
}

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
    if (!keyText(w, l).empty()) self->keys_.push_back(keyText(w, l));
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

void putInFront(HWND window) {
  SetForegroundWindow(window);
  pumpMessages(20);
}

void sendKey(WORD vk, bool down) {
  INPUT i{};
  i.type = INPUT_KEYBOARD;
  i.ki.wVk = vk;
  i.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
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
