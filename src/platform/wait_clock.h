#pragma once

#include "platform/desktop_services.h"

// Seconds that only go forward: a timer reading that falls back by more
// than half a day is taken as the timer restarting at midnight.
class WaitClock {
 public:
  explicit WaitClock(DesktopServices& services) : services_(services) {}
  double now() {
    const double reading = services_.timer();
    if (reading + 43200.0 < last_) days_ += 86400.0;
    last_ = reading;
    return reading + days_;
  }

 private:
  DesktopServices& services_;
  double last_ = 0;
  double days_ = 0;
};
