#pragma once

// Who may get the keys on a desktop that tells which window is active
// (the Wayland back ends): the same rule, and the same words, everywhere.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/automation.h"

struct ActiveWindow {
  bool present = false;  // some window is active
  bool own = false;      // it is one of ours
  bool isNew = false;    // it appeared after the run began
  std::uint64_t id = 0;
  std::string title;
};

// Keys go only to the active window, and only when that is the one we
// activated (target) or a dialog of it; without an activated window, to
// one that appeared after the run began, which from then on is the target.
// Never to ours.
AutomationStatus checkReceiver(const ActiveWindow& active, std::uint64_t& target,
                               const std::function<bool(std::uint64_t target)>& isDialogOfTarget);

// A failure that stops the keys of the run.
AutomationStatus stopKeys(KeyStop why, const std::string& description);
