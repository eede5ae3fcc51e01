#pragma once

// Shift, Ctrl, Alt and Super held by the user while keys are sent: they
// would turn Alt+B into Ctrl+Alt+B and Up into Shift+Up.
#include <X11/Xlib.h>

#include <chrono>
#include <vector>

namespace x11 {

class HeldModifiers {
 public:
  explicit HeldModifiers(Display* dpy);

  // Waits up to the given time for the user to let go; the keys still held
  // then are released for the sequence by releaseForSequence().
  void waitForRelease(std::chrono::milliseconds longest);
  // Releases what is held (queued, not flushed) and remembers it.
  void releaseForSequence();
  // Presses again exactly what releaseForSequence() released.
  void restore();

  std::vector<KeyCode> held() const;

 private:
  std::vector<KeyCode> modifierKeys_;
  std::vector<KeyCode> released_;
  Display* dpy_;
};

}  // namespace x11
