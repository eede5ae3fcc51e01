#pragma once

// What each key types now, plain and with Shift: in the keyboard group in
// force (a second layout the user switched to), not always the first.
#include <X11/Xlib.h>

#include <vector>

namespace x11 {

struct KeyLevels {
  KeySym plain = NoSymbol;
  KeySym shifted = NoSymbol;
};

// Indexed by keycode - minCode. From the core map's first two columns when
// the server has no XKB.
std::vector<KeyLevels> readKeyLevels(Display* dpy, int minCode, int maxCode, const std::vector<KeySym>& coreMap,
                                     int perCode);

}  // namespace x11
