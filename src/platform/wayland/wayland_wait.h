#pragma once

// Handling a connection's events until something holds, shared by the
// back ends that keep a Wayland connection of their own.
#include <chrono>
#include <functional>

struct wl_display;

namespace wayland {

// Handles events until the condition holds or the time is up; sleeps in
// poll() in between. Returns the condition.
bool dispatchUntil(wl_display* display, const std::function<bool()>& condition, std::chrono::milliseconds limit);

}  // namespace wayland
