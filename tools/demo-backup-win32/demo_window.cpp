#include "demo_window.h"

#include <string>

namespace {

const wchar_t kClass[] = L"TalvorDemoBackup";
enum ControlId { kLabel = 100, kJobs, kStart, kStarted };
const wchar_t* const kJobNames[] = {L"1 Documents", L"2 Photos", L"3 Mail", L"4 Whole disk", L"5 Projects"};

}  // namespace

DemoWindow::DemoWindow(KeyLog& log, const std::wstring& title) : log_(log) {
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
  HDC screen = GetDC(nullptr);
  dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  RECT frame{0, 0, MulDiv(420, dpi_, 96), MulDiv(170, dpi_, 96)};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  AdjustWindowRect(&frame, style, FALSE);
  window_ = CreateWindowExW(0, kClass, title.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                            GetModuleHandleW(nullptr), this);
}

DemoWindow::~DemoWindow() {
  if (IsWindow(window_)) DestroyWindow(window_);
  if (font_) DeleteObject(font_);
  if (bigFont_) DeleteObject(bigFont_);
}

void DemoWindow::createControls() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  font_ = CreateFontIndirectW(&metrics.lfMessageFont);
  LOGFONTW big = metrics.lfMessageFont;
  big.lfHeight *= 2;
  big.lfWeight = FW_BOLD;
  bigFont_ = CreateFontIndirectW(&big);

  auto px = [this](int n) { return MulDiv(n, dpi_, 96); };
  auto make = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, int id) {
    HWND c = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, px(x), px(y), px(w), px(h), window_,
                             reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(c, WM_SETFONT, WPARAM(id == kStarted ? bigFont_ : font_), TRUE);
    return c;
  };
  // The label comes just before the list, so that its mnemonic focuses the list.
  make(L"STATIC", L"&Backup Job", SS_LEFT, 12, 16, 90, 20, kLabel);
  jobs_ = make(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 110, 12, 290, 200, kJobs);
  for (const wchar_t* job : kJobNames) SendMessageW(jobs_, CB_ADDSTRING, 0, LPARAM(job));
  SendMessageW(jobs_, CB_SETCURSEL, 0, 0);
  make(L"BUTTON", L"&Start Backup", BS_PUSHBUTTON | WS_TABSTOP, 110, 46, 140, 28, kStart);
  started_ = make(L"STATIC", L"No backup started", SS_CENTER, 12, 90, 396, 70, kStarted);
  lastFocus_ = jobs_;
}

void DemoWindow::startBackup() {
  const int job = int(SendMessageW(jobs_, CB_GETCURSEL, 0, 0)) + 1;
  wchar_t name[64] = L"";
  if (job >= 1 && job <= 5) lstrcpynW(name, kJobNames[job - 1] + 2, 64);
  SetWindowTextW(started_, (L"Started job " + std::to_wstring(job) + L":\n" + name).c_str());
  log_.write("started " + std::to_string(job));
}

LRESULT CALLBACK DemoWindow::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<DemoWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<DemoWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, w, l);
  switch (message) {
    case WM_CREATE:
      self->createControls();
      return 0;
    case WM_ACTIVATE:
      // A window of controls keeps its focused control across activations itself.
      if (LOWORD(w) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) self->lastFocus_ = focus;
      } else if (self->lastFocus_) {
        SetFocus(self->lastFocus_);
      }
      return 0;
    case WM_COMMAND:
      if (LOWORD(w) == kStart && HIWORD(w) == BN_CLICKED) self->startBackup();
      return 0;  // Enter and Esc (IDOK, IDCANCEL) do nothing, as in the Linux demo
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, w, l);
}
