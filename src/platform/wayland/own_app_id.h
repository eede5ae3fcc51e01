#pragma once

#include <string>

namespace wayland {

// Whether a window's application id is this program's: native windows carry
// the desktop entry's id, and under Xwayland the compositor reports the
// window class, the executable's name (in any case).
bool isOwnAppId(const std::string& appId);

}  // namespace wayland
