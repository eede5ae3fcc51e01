#pragma once

// Keys the user holds down while keys are to be sent: a held letter would
// repeat into the backup program, a held Shift turn Up into Shift+Up.
#include <windows.h>

#include <string>

// A key held down now, left and right modifiers apart; mouse buttons and
// the lock keys' toggle state do not count. 0 when none is.
WORD heldKey();
// Waits up to longestMs for every key to be let go, waking on the system's
// report of each key event. The key still down at the end, else 0.
WORD waitForKeysReleased(DWORD longestMs);
// The key's name on this keyboard ("Shift", "X"), for the user.
std::string keyName(WORD vk);
