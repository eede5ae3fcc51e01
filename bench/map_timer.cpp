// Starts a program and reports how long it took until a window of its own
// process was mapped. Usage: map-timer [--end] PROGRAM [ARGS...]
// Prints "pid=N shown_ms=M" and leaves the program running, or with --end
// ends it and returns once it is gone, so that the next sample finds
// nothing of it (a program that allows one run at a time would refuse).
// A program that ends before it shows a window is a failed sample.
#include "platform/x11/x11_session.h"
#include "platform/x11/x11_windows.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Says how the program ended, "status N" or "signal N"; empty while it runs.
std::string endedHow(pid_t child) {
  int status = 0;
  if (waitpid(child, &status, WNOHANG) != child) return {};
  if (WIFEXITED(status)) return "status " + std::to_string(WEXITSTATUS(status));
  return "signal " + std::to_string(WTERMSIG(status));
}

}  // namespace

int main(int argc, char* argv[]) {
  int first = 1;
  const bool end = argc > 1 && std::strcmp(argv[1], "--end") == 0;
  if (end) ++first;
  if (argc <= first) {
    std::fprintf(stderr, "usage: map-timer [--end] PROGRAM [ARGS...]\n");
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
    execvp(argv[first], argv + first);
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
    const std::string ended = endedHow(child);
    if (!ended.empty()) {
      std::fprintf(stderr, "map-timer: %s ended with %s before a window of it was mapped\n", argv[first],
                   ended.c_str());
      return 1;
    }
    usleep(500);
  }
  std::fprintf(stderr, "map-timer: no window of pid %d was mapped\n", int(child));
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  return 1;
shown:
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("pid=%d shown_ms=%.1f\n", int(child), ms);
  if (end) {
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
  }
  return 0;
}
