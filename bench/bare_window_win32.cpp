// The yardstick for the Windows program's start-up: a plain Win32 window
// with as many native controls as the tool's window (58, one tooltip
// control, a menu bar of two items) and nothing else.
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
  c.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  c.lpszClassName = L"BareWindow";
  RegisterClassW(&c);
  HMENU menu = CreateMenu();
  AppendMenuW(menu, MF_STRING, 1, L"&Help");
  AppendMenuW(menu, MF_STRING, 2, L"&About");
  HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, L"BareWindow", L"Bare window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 360, 330, nullptr, menu, instance, nullptr);
  HFONT font = HFONT(GetStockObject(DEFAULT_GUI_FONT));
  HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, window,
                              nullptr, instance, nullptr);
  // 1 button, 11 labels, 5 edits, 40 check boxes, 1 track bar: 58.
  auto make = [&](const wchar_t* cls, DWORD style, int i) {
    HWND h = CreateWindowExW(0, cls, L"1", WS_CHILD | WS_VISIBLE | style, 8 + (i % 10) * 33, 8 + (i / 10) * 40, 30, 18,
                             window, HMENU(INT_PTR(100 + i)), instance, nullptr);
    SendMessageW(h, WM_SETFONT, WPARAM(font), FALSE);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = UINT_PTR(h);
    tool.lpszText = const_cast<wchar_t*>(L"Tip");
    SendMessageW(tips, TTM_ADDTOOLW, 0, LPARAM(&tool));
  };
  int i = 0;
  make(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, i++);
  for (int n = 0; n < 11; ++n) make(L"STATIC", SS_LEFT | SS_NOTIFY, i++);
  for (int n = 0; n < 5; ++n) make(L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, i++);
  for (int n = 0; n < 40; ++n) make(L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, i++);
  make(TRACKBAR_CLASSW, TBS_AUTOTICKS | WS_TABSTOP, i++);
  ShowWindow(window, show);
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window, &m)) continue;
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return 0;
}
