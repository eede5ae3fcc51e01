#pragma once

#include <string>

namespace wayland {

// Whether a window's application id is this program's: the toolkit names
// native windows after the executable, and under Xwayland the compositor
// reports the window class, which is the same name capitalised.
bool isOwnAppId(const std::string& appId);

}  // namespace wayland
