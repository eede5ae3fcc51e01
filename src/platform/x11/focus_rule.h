#pragma once

// Which focused window may get the keys meant for the activated window of
// the backup program. Free of Xlib so that it is tested without a server.
#include <vector>

namespace x11 {

struct FocusedWindow {
  unsigned long id = 0;           // the focused top-level window
  bool overrideRedirect = false;  // a pop-up that no window manager handles
  bool sameClient = false;        // made on the target's X connection
  // WM_TRANSIENT_FOR followed upwards from the focused window, nearest first.
  std::vector<unsigned long> transientFor;
};

enum class Receiver {
  Target,  // the activated window itself
  Dialog,  // transient for it, perhaps through other dialogs
  PopUp,   // its client's drop-down list or menu
  Other,   // anything else, also another top-level window of its program
};

Receiver classifyReceiver(unsigned long target, const FocusedWindow& focused);
inline bool mayReceiveKeys(Receiver r) { return r != Receiver::Other; }

}  // namespace x11
