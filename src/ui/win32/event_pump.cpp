#include "event_pump.h"

bool pumpEvents(HWND window) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(int(message.wParam));
      return false;
    }
    // The dialog keys (Tab, Esc, F1) for the window and the windows it owns.
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root != window && (!root || GetWindow(root, GW_OWNER) != window)) root = window;
    if (window && IsWindow(root) && IsDialogMessageW(root, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

bool waitForEvent(DWORD milliseconds) {
  // MWMO_INPUTAVAILABLE: also wake for messages that arrived before this
  // call but were only looked at, not removed.
  return MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0;
}

double secondsSinceMidnight() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
}
