#include "win32_foreground_wait.h"

namespace {
// Windows reports each new foreground window to the hook; Wine 8 does not,
// so the foreground is also looked at again this often.
constexpr DWORD kLookAgainMs = 50;

void CALLBACK foregroundChanged(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {}
}  // namespace

bool waitForForeground(HWND window, DWORD longestMs) {
  if (GetForegroundWindow() == window) return true;
  const HWINEVENTHOOK hook = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                             foregroundChanged, 0, 0, WINEVENT_OUTOFCONTEXT);
  const DWORD start = GetTickCount();
  bool front = false;
  // Looked at again after the hook is in place: a change just before it is not missed.
  while (!(front = GetForegroundWindow() == window)) {
    const DWORD spent = GetTickCount() - start;
    if (spent >= longestMs) break;
    const DWORD left = longestMs - spent;
    MsgWaitForMultipleObjectsEx(0, nullptr, left < kLookAgainMs ? left : kLookAgainMs, QS_SENDMESSAGE,
                                MWMO_INPUTAVAILABLE);
    MSG message;  // runs the hook; only sent messages are handled here
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  if (hook) UnhookWinEvent(hook);
  return front;
}
