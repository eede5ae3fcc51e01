#pragma once

// Which focused window may get keys meant for the activated one: only a
// dialog of it (through other dialogs), never another top-level window,
// even of the same program, as on the other desktops.
#include <cstdint>
#include <vector>

#include "platform/gnome/gnome_shell_bus.h"

namespace gnome {

bool isDialogOf(const ShellWindow& w, const std::vector<ShellWindow>& all, std::uint64_t target);

}  // namespace gnome
