#pragma once

// Why a back end refused to send keys: they could have reached a window
// outside the backup program, so the run sends nothing more and records no
// date. The run tells the user which of these it was.
enum class KeyStop {
  None,
  FocusLost,         // another window took the keyboard focus
  NotAnswering,      // the backup program did not take the keys in time
  KeyHeld,           // a key the user holds down would mix with ours
  OnlyOlderWindows,  // no window with the title; the one in front was there before the run
  ConnectionLost,    // the desktop's connection went away
};
