#pragma once

#include <windows.h>

// Centres a dialog over its owner (over the work area when it has none or
// the owner is hidden), kept inside the owner's monitor.
void centreOverOwner(HWND dialog);
