#pragma once

#include <memory>
#include <string>

#include "platform/automation.h"

namespace kde {

// What the path without KWin's grant found.
struct ScriptChoice {
  std::unique_ptr<Automation> automation;  // null when either half is missing
  std::string lacking;                     // why, in the user's words
};

// The back end for KWin when it grants this program no Wayland interface:
// windows listed and activated by KWin scripts over the session bus, keys
// typed through the RemoteDesktop portal.
ScriptChoice connectWithoutGrant();

}  // namespace kde
