#pragma once

#include "platform/automation.h"

#include <memory>
#include <string>

namespace wayland {

// What connecting to the compositor found.
struct Choice {
  std::unique_ptr<Automation> automation;  // null when the compositor lacks what it needs
  bool connected = false;
  std::string compositor;  // its name as its globals tell, or ""
  std::string lacking;     // what it does not offer, in the user's words
};

// The back end for compositors that list toplevels (wlr foreign toplevel
// management) and take a virtual keyboard.
Choice connect();

}  // namespace wayland
