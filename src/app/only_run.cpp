#include "app/only_run.h"

#include "platform/automation.h"
#include "platform/single_instance.h"

#include <cstdio>

bool mayRunNow(const SingleInstance& instance, std::unique_ptr<Automation> (*makeAutomation)()) {
  if (!instance.first()) {
    makeAutomation()->raiseWindowOf(instance.holderPid());
    std::fprintf(stderr, "talvorstart: Talvor Start is already running; this start does no backup.\n");
    return false;
  }
  // Without the lock a second start could type into the same window, but
  // not running at all would be worse: go on and say so.
  if (!instance.problem().empty())
    std::fprintf(stderr, "talvorstart: cannot make sure that only one start runs at a time (%s)\n",
                 instance.problem().c_str());
  return true;
}
