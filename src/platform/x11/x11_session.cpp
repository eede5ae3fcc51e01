#include "platform/x11/x11_session.h"

#include <poll.h>

namespace x11 {
namespace {
int lastErrorCode = 0;
unsigned long lastErrorSerial = 0;

int recordError(Display*, XErrorEvent* e) {
  lastErrorCode = e->error_code;
  lastErrorSerial = e->serial;
  return 0;
}
}  // namespace

void installErrorHandler() {
  static bool installed = false;
  if (!installed) XSetErrorHandler(recordError);
  installed = true;
}

ErrorTrap::ErrorTrap(Display* dpy) : dpy_(dpy), firstSerial_(NextRequest(dpy)) { installErrorHandler(); }

bool ErrorTrap::failed() {
  XSync(dpy_, False);
  if (lastErrorSerial >= firstSerial_ && lastErrorCode != 0) {
    lastErrorCode = 0;
    return true;
  }
  return false;
}

Atom atom(Display* dpy, const char* name) { return XInternAtom(dpy, name, False); }

bool awaitEvents(Display* dpy, std::chrono::steady_clock::time_point until) {
  while (!XPending(dpy)) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now()).count();
    if (left <= 0) return false;
    pollfd fd{ConnectionNumber(dpy), POLLIN, 0};
    poll(&fd, 1, int(left) + 1);
  }
  while (XPending(dpy)) {
    XEvent e;
    XNextEvent(dpy, &e);
  }
  return true;
}

}  // namespace x11
