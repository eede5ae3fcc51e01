#include "platform/x11/focus_rule.h"

#include <algorithm>

namespace x11 {

Receiver classifyReceiver(unsigned long target, const FocusedWindow& focused) {
  if (!target || !focused.id) return Receiver::Other;
  if (focused.id == target) return Receiver::Target;
  const auto& chain = focused.transientFor;
  if (std::find(chain.begin(), chain.end(), target) != chain.end()) return Receiver::Dialog;
  // A window of the same program that the window manager handles is a
  // window of its own (an update notice), not a part of the target.
  if (focused.overrideRedirect && focused.sameClient) return Receiver::PopUp;
  return Receiver::Other;
}

}  // namespace x11
