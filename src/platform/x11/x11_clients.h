#pragma once

// Which X client (connection) a window belongs to. The server hands each
// connection its own range of resource ids, so a window's id tells its
// client, also for windows without _NET_WM_PID such as a drop-down list.
#include <X11/Xlib.h>

#include <set>

namespace x11 {

class Clients {
 public:
  explicit Clients(Display* dpy);

  unsigned long clientOf(Window w) const { return w & ~mask_; }
  bool sameClient(Window a, Window b) const { return a && b && clientOf(a) == clientOf(b); }
  // Every client that has a window on the screen now: top-level windows,
  // the clients inside window manager frames and override-redirect pop-ups.
  std::set<unsigned long> onScreen() const;

 private:
  Display* dpy_;
  unsigned long mask_;
};

}  // namespace x11
