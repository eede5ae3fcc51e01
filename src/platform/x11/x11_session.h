#pragma once

// The X connection that the back end keeps for itself, with an error
// handler that records errors instead of ending the process (Xlib's default
// handler exits on, for instance, BadMatch or a window that just vanished).
#include <X11/Xlib.h>

#include <chrono>

namespace x11 {

// Runs the call and reports whether the server raised no error for it.
class ErrorTrap {
 public:
  explicit ErrorTrap(Display* dpy);
  bool failed();  // syncs, then tells whether an error arrived since construction

 private:
  Display* dpy_;
  unsigned long firstSerial_;
};

// Installed once per process, before the first call that could fail.
void installErrorHandler();

Atom atom(Display* dpy, const char* name);

// Sleeps until an event arrives on the connection or the deadline passes,
// then discards what came. False when nothing came in time.
bool awaitEvents(Display* dpy, std::chrono::steady_clock::time_point until);

}  // namespace x11
