#include "platform/receiver_rule.h"

#include "platform/failure_codes.h"

AutomationStatus stopKeys(KeyStop why, const std::string& description) {
  AutomationStatus s = AutomationStatus::failure(failure_code::kInvalidArgument, description);
  s.stop = why;
  return s;
}

AutomationStatus checkReceiver(const ActiveWindow& a, std::uint64_t& target,
                               const std::function<bool(std::uint64_t)>& isDialogOfTarget) {
  if (!a.present || a.own)
    return AutomationStatus::failure(failure_code::kInvalidArgument,
                                     "No other window has the keyboard focus; the keys were not sent", true);
  if (!target) {
    if (!a.isNew)
      return stopKeys(KeyStop::OnlyOlderWindows, "The window in front (\"" + a.title +
                                                     "\") was open before the backup program was started; the keys "
                                                     "were not sent");
    target = a.id;
  }
  if (a.id == target || isDialogOfTarget(target)) return {};
  return stopKeys(KeyStop::FocusLost, "The backup program lost the keyboard focus to the window \"" + a.title +
                                          "\", so no more keys were sent and no job was started. Close that window, "
                                          "or keep it from taking the focus, and start Talvor Start again.");
}
