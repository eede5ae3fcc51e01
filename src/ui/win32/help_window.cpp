#include "help_window.h"

#include "help_text.h"
#include "message_box.h"

#include <vector>

namespace {

const wchar_t kClass[] = L"TalvorStartHelp";

// The whole file, or false with the system's reason.
bool readFile(const std::wstring& path, std::string& content, std::wstring& reason) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  bool ok = file != INVALID_HANDLE_VALUE;
  LARGE_INTEGER size{};
  if (ok) ok = GetFileSizeEx(file, &size) && size.QuadPart < (16 << 20);
  if (ok) {
    content.resize(size_t(size.QuadPart));
    DWORD read = 0;
    ok = content.empty() || (ReadFile(file, content.data(), DWORD(content.size()), &read, nullptr) &&
                             read == content.size());
  }
  const DWORD error = GetLastError();
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (ok) return true;
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  reason = text ? text : L"error " + std::to_wstring(error);
  LocalFree(text);
  while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
    reason.pop_back();
  return false;
}

}  // namespace

HelpWindow::~HelpWindow() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  if (font_) DeleteObject(font_);
}

bool HelpWindow::create(HWND owner) {
  static const ATOM registered = [] {
    WNDCLASSW c{};
    c.lpfnWndProc = procedure;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    c.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    c.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    c.lpszClassName = kClass;
    return RegisterClassW(&c);
  }();
  (void)registered;
  const UINT dpi = GetDpiForWindow(owner ? owner : GetDesktopWindow());
  window_ = CreateWindowExW(0, kClass, L"Talvor Start Help", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                            MulDiv(520, int(dpi), 96), MulDiv(420, int(dpi), 96), owner, nullptr,
                            GetModuleHandleW(nullptr), this);
  if (!window_) return false;
  text_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                          0, 0, 0, 0, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
  font_ = CreateFontIndirectW(&metrics.lfMessageFont);
  SendMessageW(text_, WM_SETFONT, WPARAM(font_), FALSE);
  RECT client;
  GetClientRect(window_, &client);
  MoveWindow(text_, 0, 0, client.right, client.bottom, FALSE);
  return true;
}

bool HelpWindow::show(HWND owner, const std::wstring& path, int topic) {
  std::string html;
  std::wstring reason;
  if (!readFile(path, html, reason)) {
    showMessageBox(owner, L"The help file " + path + L" could not be opened: " + reason, MB_ICONHAND);
    return false;
  }
  if (!window_ && !create(owner)) return false;
  const HelpText help = helpTextFromHtml(html);
  // Room below the last topic, so that every topic can stand at the top.
  RECT client;
  GetClientRect(text_, &client);
  HDC dc = GetDC(text_);
  HGDIOBJ old = SelectObject(dc, font_);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(text_, dc);
  std::wstring shown = help.text;
  for (LONG y = 0; metrics.tmHeight > 0 && y < client.bottom; y += metrics.tmHeight) shown += L"\r\n";
  SetWindowTextW(text_, shown.c_str());
  const auto at = help.topicStart.find(topic);
  const size_t start = at != help.topicStart.end() ? at->second : 0;
  ShowWindow(window_, IsWindowVisible(window_) ? SW_SHOWNA : SW_SHOWNORMAL);
  SetForegroundWindow(window_);
  // Lines wrap at the window's width: find the topic's line as shown.
  const LRESULT line = SendMessageW(text_, EM_LINEFROMCHAR, WPARAM(start), 0);
  const LRESULT first = SendMessageW(text_, EM_GETFIRSTVISIBLELINE, 0, 0);
  SendMessageW(text_, EM_LINESCROLL, 0, line - first);
  return true;
}

std::wstring HelpWindow::topLine() const {
  if (!text_) return {};
  const LRESULT line = SendMessageW(text_, EM_GETFIRSTVISIBLELINE, 0, 0);
  std::vector<wchar_t> buffer(512);
  buffer[0] = WORD(buffer.size());
  const LRESULT n = SendMessageW(text_, EM_GETLINE, WPARAM(line), LPARAM(buffer.data()));
  return std::wstring(buffer.data(), size_t(n));
}

LRESULT CALLBACK HelpWindow::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
  auto* self = reinterpret_cast<HelpWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_SIZE:
      if (self && self->text_) MoveWindow(self->text_, 0, 0, LOWORD(l), HIWORD(l), TRUE);
      return 0;
    case WM_CLOSE:
      ShowWindow(window, SW_HIDE);  // kept for the next F1
      return 0;
    case WM_NCDESTROY:
      if (self) self->window_ = self->text_ = nullptr;
      break;
  }
  return DefWindowProcW(window, message, w, l);
}
