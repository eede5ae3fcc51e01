// Starts a program and reports how long it took until a window of its own
// process was mapped. Usage: map-timer PROGRAM [ARGS...]
// Prints "pid=N shown_ms=M" and leaves the program running.
#include "platform/x11/x11_session.h"
#include "platform/x11/x11_windows.h"

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: map-timer PROGRAM [ARGS...]\n");
    return 2;
  }
  Display* d = XOpenDisplay(nullptr);
  if (!d) {
    std::fprintf(stderr, "map-timer: no display\n");
    return 1;
  }
  x11::installErrorHandler();  // windows may vanish under us
  const x11::Windows windows(d);
  XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
  XSync(d, False);

  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    // Our output is read to its end by the caller: the program must not hold it.
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, STDOUT_FILENO);
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  const auto deadline = start + std::chrono::seconds(30);
  while (std::chrono::steady_clock::now() < deadline) {
    while (XPending(d)) {
      XEvent e;
      XNextEvent(d, &e);
      if (e.type == CreateNotify) {
        // Follow the new window, then look whether it is mapped already.
        XSelectInput(d, e.xcreatewindow.window, StructureNotifyMask);
        XWindowAttributes a;
        if (XGetWindowAttributes(d, e.xcreatewindow.window, &a) && a.map_state != IsUnmapped &&
            windows.pid(e.xcreatewindow.window) == child)
          goto shown;
      } else if (e.type == MapNotify && !e.xmap.override_redirect && windows.pid(e.xmap.window) == child) {
        goto shown;
      }
    }
    usleep(500);
  }
  std::fprintf(stderr, "map-timer: no window of pid %d was mapped\n", int(child));
  return 1;
shown:
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("pid=%d shown_ms=%.1f\n", int(child), ms);
  return 0;
}
