#pragma once

#include <windows.h>

// Waits until the window is the foreground window, at most longestMs: on
// Windows an activation takes effect only when the window's thread takes it
// from its queue, and until then the foreground may be no window at all.
// Wakes on the system's report of a new foreground window (its events reach
// this thread as sent messages, the only messages handled while waiting)
// and every 50 ms. True when the window is in front.
bool waitForForeground(HWND window, DWORD longestMs);
