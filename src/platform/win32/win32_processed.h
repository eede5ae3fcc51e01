#pragma once

// Waiting, as far as Win32 allows from outside, until another program's
// thread has handled keys sent to it.
//
// WaitForInputIdle answers only once per process, and a SendMessageTimeout
// ping is answered ahead of queued input. Threads whose input is attached
// share one key state, which moves as the owning thread takes each key
// message from its queue (Windows documents this for GetKeyState); when the
// last key of the string shows as taken there, a WM_NULL sent after it
// returns once the thread is back in its message loop, that is, once it has
// handled that key. Wine does not move the shared key state, so there the
// wait ends with the ping alone after a short look at the key state.
#include <windows.h>

#include <vector>

class ProcessedWait {
 public:
  // Call before SendInput: attaches to the target's input and notes the
  // state of the plan's last key.
  ProcessedWait(HWND target, const std::vector<INPUT>& plan);
  ~ProcessedWait();
  // False when the target did not answer within the time (hung or swamped).
  bool wait(DWORD longestMs);

 private:
  HWND target_;
  DWORD ours_, theirs_;
  bool attached_ = false;
  WORD probe_ = 0;      // the last key pressed in the plan
  SHORT before_ = 0;    // its key state before the keys
  SHORT expected_ = 0;  // its toggle bit once all its presses were taken
};
