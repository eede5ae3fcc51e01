#pragma once

// Keys the user holds down while keys are sent. Shift, Ctrl, Alt or Super
// would turn Alt+B into Ctrl+Alt+B and Up into Shift+Up; any other key
// repeats into the backup program between our keys.
#include <X11/Xlib.h>

#include <chrono>
#include <string>
#include <vector>

namespace x11 {

class HeldKeys {
 public:
  explicit HeldKeys(Display* dpy);

  // Waits until the user lets go, at most until the deadline. Shift, Ctrl,
  // Alt and Super are waited for only with modifiersToo: once that wait is
  // over they are released for each sequence instead. Returns a key, not
  // one of those, still down at the deadline; 0 when none is.
  KeyCode waitForRelease(std::chrono::steady_clock::time_point deadline, bool modifiersToo);
  // A key down now that releaseForSequence() would not release, or 0.
  KeyCode otherKeyDown() const;
  // Releases the held modifiers (queued, not flushed) and remembers them.
  void releaseForSequence();
  // Presses again exactly what releaseForSequence() released.
  void restore();

  std::string name(KeyCode k) const;  // "Return", "a"; the number when it has no name

 private:
  std::vector<KeyCode> down() const;
  std::vector<KeyCode> modifierKeys() const;

  std::vector<KeyCode> released_;
  Display* dpy_;
};

}  // namespace x11
