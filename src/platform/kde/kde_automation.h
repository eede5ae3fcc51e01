#pragma once

#include <memory>
#include <string>

#include "platform/automation.h"

namespace kde {

// What connecting to KWin found.
struct Choice {
  std::unique_ptr<Automation> automation;  // null when KWin keeps what the back end needs
  bool kwin = false;                       // the compositor is KWin
  std::string lacking;                     // what it does not offer, in the user's words
};

// The back end for KWin: windows listed and activated through Plasma
// window management, keys typed through KWin's fake input. KWin offers both
// only to programs that an installed desktop file names and grants them.
Choice connect();

}  // namespace kde
