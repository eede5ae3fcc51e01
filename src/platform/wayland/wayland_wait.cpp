#include "platform/wayland/wayland_wait.h"

#include <poll.h>
#include <wayland-client.h>

namespace wayland {

bool dispatchUntil(wl_display* display, const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  auto alive = [display] { return display && wl_display_get_error(display) == 0; };
  const auto until = std::chrono::steady_clock::now() + limit;
  while (alive()) {
    wl_display_dispatch_pending(display);
    if (condition()) return true;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    while (wl_display_prepare_read(display) != 0) wl_display_dispatch_pending(display);
    wl_display_flush(display);
    pollfd fd{wl_display_get_fd(display), POLLIN, 0};
    if (poll(&fd, 1, int(left.count())) > 0) {
      wl_display_read_events(display);
    } else {
      wl_display_cancel_read(display);
    }
  }
  return alive() && condition();
}

}  // namespace wayland
