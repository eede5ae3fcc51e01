#pragma once

#include "platform/calendar.h"

#include <functional>
#include <string>

namespace settings {
class SettingsStore;
}

// What a start would do today, worked out by the run itself against a
// desktop that only listens: the title it would look for and every key
// string it would send, in order. Starts nothing, types nothing, stores
// nothing and asks nothing. Returns the exit status a start would have
// for the settings alone: 0, or 5 when a setting the run needs is missing.
struct DryRunClock {
  std::function<LocalTime()> now;
  std::function<std::string(const Date&)> shortDateText;
};
int dryRun(settings::SettingsStore& store, const DryRunClock& clock, std::string& out);
