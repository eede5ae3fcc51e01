#pragma once

#include <windows.h>

// The window's event loop, in the pieces the launch sequence needs. The
// window given gets the keyboard navigation of a dialog (Tab, mnemonics).

// Handles every message pending for this thread, then returns. False when
// the program was asked to end (the quit message is kept for the outer loop).
bool pumpEvents(HWND window);

// Sleeps until a message arrives or the milliseconds have passed, without
// handling it: the caller pumps. No wake-up but these two. True when a
// message came.
bool waitForEvent(DWORD milliseconds);

// Seconds since local midnight with the fraction; 0 again at midnight.
double secondsSinceMidnight();
