#pragma once

// Key strokes as the keysym presses and releases that the shell's virtual
// keyboard types; the shell finds their keys in the user's keymap.
#include <string>
#include <vector>

#include "platform/gnome/gnome_shell_bus.h"
#include "platform/key_stroke.h"

namespace gnome {

// False with a reason, and nothing planned, when a stroke has no keysym.
bool planKeys(const std::vector<KeyStroke>& strokes, std::vector<KeyEvent>& out, std::string& reason);

}  // namespace gnome
