#pragma once

#include <memory>

#include "platform/automation.h"

namespace gnome {

// What the session bus shows of GNOME Shell.
struct Choice {
  std::unique_ptr<Automation> automation;  // null when Talvor Start's extension does not answer
  bool shellRunning = false;               // org.gnome.Shell is on the bus
};

// The back end for GNOME Shell on Wayland, through the extension that the
// package installs (dist/gnome-shell/).
Choice connect();

}  // namespace gnome
