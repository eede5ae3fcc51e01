#include "platform/x11/x11_session.h"

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

}  // namespace x11
