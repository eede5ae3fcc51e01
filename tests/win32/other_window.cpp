// A window of another process for the Win32 tests, in front when it comes:
//   other_window TITLE
#include "test_windows.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  LoggingWindow window(argv[1]);
  SetForegroundWindow(window.handle());
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
  return 0;
}
