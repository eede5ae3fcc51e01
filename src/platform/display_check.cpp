#include "platform/display_check.h"

#include <cstdlib>
#include <cstring>

#if defined(TALVOR_HAVE_X11)
#include <X11/Xlib.h>
#endif

const char* displayProblem() {
#if defined(TALVOR_HAVE_X11)
  const char* qpa = std::getenv("QT_QPA_PLATFORM");
  if (qpa && *qpa && std::strncmp(qpa, "xcb", 3) != 0) return nullptr;  // offscreen, wayland, ...
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  const char* name = std::getenv("DISPLAY");
  if (!name || !*name) {
    if (wayland && *wayland) return nullptr;
    return "no display: DISPLAY is not set (start it from a desktop session)";
  }
  Display* d = XOpenDisplay(name);
  if (!d) return "cannot open the display named by DISPLAY";
  XCloseDisplay(d);
#endif
  return nullptr;
}
