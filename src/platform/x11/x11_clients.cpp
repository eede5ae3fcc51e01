#include "platform/x11/x11_clients.h"

#include "platform/x11/x11_session.h"

#include <memory>

// Xlib keeps the resource-id mask that the server sent at connection time
// in the private part of the Display; the mask is the same for every client.
// Last: it defines min and max as macros.
#include <X11/Xlibint.h>

namespace x11 {

Clients::Clients(Display* dpy) : dpy_(dpy), mask_(reinterpret_cast<struct _XDisplay*>(dpy)->resource_mask) {}

std::set<unsigned long> Clients::onScreen() const {
  std::set<unsigned long> out;
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned int n = 0;
  ErrorTrap trap(dpy_);
  if (!XQueryTree(dpy_, DefaultRootWindow(dpy_), &root, &parent, &children, &n)) return out;
  std::unique_ptr<Window, int (*)(void*)> hold(children, XFree);
  for (unsigned int i = 0; i < n; ++i) {
    out.insert(clientOf(children[i]));
    // A frame holds the client's window one level down.
    Window* inner = nullptr;
    unsigned int m = 0;
    if (XQueryTree(dpy_, children[i], &root, &parent, &inner, &m) && inner) {
      for (unsigned int j = 0; j < m; ++j) out.insert(clientOf(inner[j]));
      XFree(inner);
    }
  }
  trap.failed();
  return out;
}

}  // namespace x11
