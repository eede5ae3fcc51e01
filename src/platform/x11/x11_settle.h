#pragma once

// Waiting until the backup program has handled the keys sent to it.
#include <X11/Xlib.h>

#include <chrono>
#include <string>

namespace x11 {

class Clients;

class Settle {
 public:
  Settle(Display* dpy, const Clients& clients);

  // Starts watching the target's windows; call before sending, so that a
  // reaction to the keys is never missed.
  void watch(Window target);
  // Returns when the target has handled everything sent so far: a
  // _NET_WM_PING round trip where its window offers one, then until its
  // windows were quiet for a while. False with a reason when it does not
  // answer the ping in time.
  bool wait(Window target, std::string& reason);

  // Figures measured on the targets of the end-to-end tests; see the .cpp.
  static constexpr std::chrono::milliseconds kPingTimeout{3000};
  static constexpr std::chrono::milliseconds kQuietAfterPing{4};
  static constexpr std::chrono::milliseconds kQuietWithoutPing{100};
  static constexpr std::chrono::milliseconds kLongest{1000};
  static constexpr std::chrono::milliseconds kRunnablePoll{3};

 private:
  using Clock = std::chrono::steady_clock;
  bool offersPing(Window w) const;
  long processOf(Window w) const;  // 0 when unknown
  static bool asleep(long pid);
  void sendPing(Window target, long token);
  // Handles events until the deadline; true when the ping with the token came back.
  bool handleEvents(Window target, long token, Clock::time_point until, Clock::time_point& lastActivity);
  bool nextEvent(XEvent& e, Clock::time_point until);

  Display* dpy_;
  const Clients& clients_;
  Window root_;
  Window watched_ = 0;
  bool windowAppeared_ = false;  // during the current wait
  long lastToken_ = 0;
  Window pidOf_ = 0;
  long pid_ = 0;
  Atom wmProtocols_, netWmPing_, netActiveWindow_;
};

}  // namespace x11
