// The yardstick for the Windows program's start-up: a plain Win32 window
// with the tool's native controls, kind for kind, and nothing else: 59
// controls (1 push button, 11 static texts, 1 static picture, 5 edit boxes,
// 40 check boxes, 1 track bar), hidden where the tool's are when its window
// is mapped (the problem line, the seven weekdays), one tooltip control
// with a tip for each, a menu bar of two items, the system's message font.
// Built with the same common-controls-6 and DPI manifest as the tool.
#include <windows.h>
#include <commctrl.h>

namespace {

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, w, l);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  INITCOMMONCONTROLSEX init{sizeof init, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&init);
  WNDCLASSW c{};
  c.lpfnWndProc = procedure;
  c.hInstance = instance;
  c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  c.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  c.lpszClassName = L"BareWindow";
  RegisterClassW(&c);
  HMENU menu = CreateMenu();
  AppendMenuW(menu, MF_STRING, 1, L"&Help");
  AppendMenuW(menu, MF_STRING, 2, L"&About");
  HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, L"BareWindow", L"Bare window",
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                                CW_USEDEFAULT, 360, 330, nullptr, menu, instance, nullptr);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
  HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance,
                              nullptr);
  auto make = [&](const wchar_t* cls, DWORD style, DWORD exStyle, int i) {
    HWND h = CreateWindowExW(exStyle, cls, L"1", WS_CHILD | style, 8 + (i % 10) * 33, 8 + (i / 10) * 40, 30, 18,
                             window, HMENU(INT_PTR(100 + i)), instance, nullptr);
    SendMessageW(h, WM_SETFONT, WPARAM(font), FALSE);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = UINT_PTR(h);
    tool.lpszText = const_cast<wchar_t*>(L"Tip");
    SendMessageW(tips, TTM_ADDTOOLW, 0, LPARAM(&tool));
    return h;
  };
  int i = 0;
  make(L"BUTTON", WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 0, i++);
  for (int n = 0; n < 10; ++n) make(L"STATIC", WS_VISIBLE | SS_LEFT | SS_NOTIFY, 0, i++);
  make(L"STATIC", SS_LEFT | SS_NOTIFY, 0, i++);
  HWND picture = make(L"STATIC", WS_VISIBLE | SS_BITMAP | SS_CENTERIMAGE | SS_NOTIFY, 0, i++);
  for (int n = 0; n < 5; ++n) make(L"EDIT", WS_VISIBLE | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, i++);
  for (int n = 0; n < 40; ++n) make(L"BUTTON", (n < 7 ? 0 : WS_VISIBLE) | BS_AUTOCHECKBOX | WS_TABSTOP, 0, i++);
  HWND track = make(TRACKBAR_CLASSW, WS_VISIBLE | TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS | WS_TABSTOP, 0, i++);
  SendMessageW(track, TBM_SETRANGE, FALSE, MAKELPARAM(1, 20));
  SendMessageW(track, TBM_SETPAGESIZE, 0, 5);
  SendMessageW(track, TBM_SETTICFREQ, 1, 0);
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 30, 18);
  ReleaseDC(nullptr, screen);
  SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, LPARAM(bitmap));
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window, &m)) continue;
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return 0;
}
