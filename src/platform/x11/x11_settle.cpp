#include "platform/x11/x11_settle.h"

#include "platform/x11/x11_clients.h"
#include "platform/x11/x11_session.h"

#include <X11/extensions/XRes.h>
#include <dirent.h>
#include <poll.h>

#include <fstream>
#include <iterator>

// Why the figures are what they are (measured under Xvfb, with and without
// openbox, idle and with both cores kept busy by two other processes):
// - A target that answers _NET_WM_PING (Qt, GTK, Wine) reads its events in
//   order, so its answer says that it has read the keys sent before the
//   ping. The round trip took 1-8 ms against Qt and GTK with both cores
//   busy. kQuietAfterPing only catches what follows on the target's behalf,
//   such as a window manager mapping a window it asked for.
// - A target without the ping (Tk) gives no sign that it has read the keys.
//   A stock Tk combo box mapped its list 1-6 ms after the Down that opens
//   it when idle, and at worst 18 ms (30 runs) with both cores busy; once
//   it moved its focus 37 ms after the key. kQuietWithoutPing leaves room
//   above that, and every reaction seen starts it again.
//   Starved of the CPU it may not even have read the key when the quiet
//   time is up, so the wait also lasts while its process is runnable
//   rather than asleep in its event loop (the process comes from the
//   X-Resource extension, as Tk sets no _NET_WM_PID).
// - kPingTimeout: a target that does not answer within it is hung or
//   swamped, and keys sent on would be read at some unknown later time.
namespace x11 {

constexpr std::chrono::milliseconds Settle::kPingTimeout;
constexpr std::chrono::milliseconds Settle::kQuietAfterPing;
constexpr std::chrono::milliseconds Settle::kQuietWithoutPing;
constexpr std::chrono::milliseconds Settle::kLongest;

Settle::Settle(Display* dpy, const Clients& clients)
    : dpy_(dpy),
      clients_(clients),
      root_(DefaultRootWindow(dpy)),
      wmProtocols_(atom(dpy, "WM_PROTOCOLS")),
      netWmPing_(atom(dpy, "_NET_WM_PING")),
      netActiveWindow_(atom(dpy, "_NET_ACTIVE_WINDOW")) {
  // New windows, pop-ups and the window manager's focus changes show on the
  // root; ping answers are sent to it.
  XSelectInput(dpy_, root_, SubstructureNotifyMask | StructureNotifyMask | PropertyChangeMask);
}

void Settle::watch(Window target) {
  if (target != watched_) {
    ErrorTrap trap(dpy_);
    XSelectInput(dpy_, target, FocusChangeMask | PropertyChangeMask | StructureNotifyMask);
    trap.failed();
    watched_ = target;
  }
  // What happened before these keys is no reaction to them.
  while (XPending(dpy_)) {
    XEvent e;
    XNextEvent(dpy_, &e);
  }
}

long Settle::processOf(Window w) const {
  int event = 0, error = 0;
  if (!XResQueryExtension(dpy_, &event, &error)) return 0;
  XResClientIdSpec query{w, XRES_CLIENT_ID_PID_MASK};
  long count = 0;
  XResClientIdValue* ids = nullptr;
  ErrorTrap trap(dpy_);
  long pid = 0;
  if (XResQueryClientIds(dpy_, 1, &query, &count, &ids) == Success) {
    for (long i = 0; i < count && !pid; ++i)
      if (XResGetClientIdType(&ids[i]) == XRES_CLIENT_ID_PID) pid = XResGetClientPid(&ids[i]);
    XResClientIdsDestroy(count, ids);
  }
  trap.failed();
  return pid > 0 ? pid : 0;
}

bool Settle::asleep(long pid) {
  // Every thread counts: Tcl's notifier thread reads the X connection while
  // the main thread waits for it to hand over.
  const std::string dir = "/proc/" + std::to_string(pid) + "/task";
  DIR* tasks = opendir(dir.c_str());
  if (!tasks) return true;  // gone, or no /proc: nothing to wait for
  bool sleeping = true;
  while (dirent* task = readdir(tasks)) {
    if (task->d_name[0] == '.') continue;
    std::ifstream in(dir + "/" + task->d_name + "/stat");
    const std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The state follows the command name, which may hold blanks and ")".
    const size_t end = stat.rfind(')');
    if (end != std::string::npos && end + 2 < stat.size() && stat[end + 2] == 'R') sleeping = false;
  }
  closedir(tasks);
  return sleeping;
}

bool Settle::offersPing(Window w) const {
  Atom* protocols = nullptr;
  int n = 0;
  ErrorTrap trap(dpy_);
  bool found = false;
  if (XGetWMProtocols(dpy_, w, &protocols, &n) && protocols) {
    for (int i = 0; i < n; ++i) found = found || protocols[i] == netWmPing_;
    XFree(protocols);
  }
  trap.failed();
  return found;
}

void Settle::sendPing(Window target, long token) {
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = target;
  e.xclient.message_type = wmProtocols_;
  e.xclient.format = 32;
  e.xclient.data.l[0] = long(netWmPing_);
  e.xclient.data.l[1] = token;
  e.xclient.data.l[2] = long(target);
  ErrorTrap trap(dpy_);
  XSendEvent(dpy_, target, False, NoEventMask, &e);
  trap.failed();
}

bool Settle::nextEvent(XEvent& e, Clock::time_point until) {
  for (;;) {
    if (XPending(dpy_)) {
      XNextEvent(dpy_, &e);
      return true;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
    if (left <= 0) return false;
    pollfd fd{ConnectionNumber(dpy_), POLLIN, 0};
    poll(&fd, 1, int(left) + 1);
  }
}

bool Settle::handleEvents(Window target, long token, Clock::time_point until, Clock::time_point& lastActivity) {
  XEvent e;
  while (nextEvent(e, until)) {
    switch (e.type) {
      case ClientMessage:
        if (token && e.xclient.message_type == wmProtocols_ && Atom(e.xclient.data.l[0]) == netWmPing_ &&
            e.xclient.data.l[1] == token)
          return true;
        break;
      case CreateNotify:
        windowAppeared_ = true;
        lastActivity = Clock::now();
        break;
      case MapNotify:
        // A window of the target's (its list, a dialog) may take the focus:
        // its focus changes are reactions too.
        windowAppeared_ = true;
        if (clients_.sameClient(e.xmap.window, target)) {
          ErrorTrap trap(dpy_);
          XSelectInput(dpy_, e.xmap.window, FocusChangeMask);
          trap.failed();
        }
        lastActivity = Clock::now();
        break;
      case UnmapNotify:
      case FocusIn:
      case FocusOut:
        lastActivity = Clock::now();
        break;
      case PropertyNotify:
        if (e.xproperty.window != root_ || e.xproperty.atom == netActiveWindow_) lastActivity = Clock::now();
        break;
      default:
        break;
    }
  }
  return false;
}

bool Settle::wait(Window target, std::string& reason) {
  const auto start = Clock::now();
  auto lastActivity = start;
  windowAppeared_ = false;
  auto quiet = kQuietWithoutPing;
  long pid = 0;
  if (!offersPing(target)) {
    if (target != pidOf_) pid_ = processOf(target), pidOf_ = target;
    pid = pid_;
  } else {
    const long token = ++lastToken_;
    sendPing(target, token);
    if (!handleEvents(target, token, start + kPingTimeout, lastActivity)) {
      reason = "The backup program did not answer within " + std::to_string(kPingTimeout.count() / 1000) +
               " seconds, so no more keys were sent and no job was started; it may be busy or hung";
      return false;
    }
    lastActivity = Clock::now();
    quiet = kQuietAfterPing;
  }
  // Quiet for `quiet` since the last reaction, or the longest wait is up:
  // the focus guard before the next keys catches a target still moving.
  const auto longest = Clock::now() + kLongest;
  for (;;) {
    // A window that came up in reaction to the keys may still be given the
    // focus by the window manager or its program: wait as for a target
    // that gives no sign, so that the guard before the next keys sees it.
    const auto due = std::min(lastActivity + (windowAppeared_ ? std::max(quiet, kQuietWithoutPing) : quiet), longest);
    if (Clock::now() >= due) {
      // Still runnable: it has not caught up with the keys yet.
      if (due < longest && pid && !asleep(pid)) {
        lastActivity = Clock::now() - quiet + kRunnablePoll;
        continue;
      }
      return true;
    }
    handleEvents(target, 0, due, lastActivity);
  }
}

}  // namespace x11
