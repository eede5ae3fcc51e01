#include "platform/wayland/wayland_connection.h"

#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

#include "platform/wayland/wayland_wait.h"

#include <wayland-client.h>

#include <algorithm>

namespace wayland {
namespace {

// The newest versions whose events this back end understands.
constexpr uint32_t kSeatVersion = 1;
constexpr uint32_t kToplevelManagerVersion = 3;
constexpr uint32_t kKeyboardManagerVersion = 1;

}  // namespace

void Connection::global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
  auto* self = static_cast<Connection*>(data);
  const std::string iface = interface;
  self->interfaces_.insert(iface);
  // The first seat is the one whose keyboard a desktop user types on.
  if (iface == wl_seat_interface.name && !self->seat_) {
    self->seat_ = static_cast<wl_seat*>(
        wl_registry_bind(registry, name, &wl_seat_interface, std::min(version, kSeatVersion)));
  } else if (iface == zwlr_foreign_toplevel_manager_v1_interface.name && !self->toplevels_) {
    self->toplevels_ = static_cast<zwlr_foreign_toplevel_manager_v1*>(wl_registry_bind(
        registry, name, &zwlr_foreign_toplevel_manager_v1_interface, std::min(version, kToplevelManagerVersion)));
  } else if (iface == zwp_virtual_keyboard_manager_v1_interface.name && !self->keyboards_) {
    self->keyboards_ = static_cast<zwp_virtual_keyboard_manager_v1*>(wl_registry_bind(
        registry, name, &zwp_virtual_keyboard_manager_v1_interface, std::min(version, kKeyboardManagerVersion)));
  }
}

void Connection::globalRemove(void*, wl_registry*, uint32_t) {}

Connection::Connection() {
  display_ = wl_display_connect(nullptr);
  if (!display_) return;
  static const wl_registry_listener listener = {&Connection::global, &Connection::globalRemove};
  registry_ = wl_display_get_registry(display_);
  wl_registry_add_listener(registry_, &listener, this);
  roundtrip();
}

Connection::~Connection() {
  if (!display_) return;
  if (keyboards_) zwp_virtual_keyboard_manager_v1_destroy(keyboards_);
  if (toplevels_) zwlr_foreign_toplevel_manager_v1_destroy(toplevels_);
  if (seat_) wl_seat_destroy(seat_);
  if (registry_) wl_registry_destroy(registry_);
  wl_display_flush(display_);
  wl_display_disconnect(display_);
}

bool Connection::alive() const { return display_ && wl_display_get_error(display_) == 0; }

bool Connection::roundtrip() { return alive() && wl_display_roundtrip(display_) >= 0; }

bool Connection::flush() { return alive() && wl_display_flush(display_) >= 0; }

bool Connection::waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  return dispatchUntil(display_, condition, limit);
}

std::string Connection::compositorName() const {
  auto has = [this](const char* prefix) {
    return std::any_of(interfaces_.begin(), interfaces_.end(),
                       [prefix](const std::string& i) { return i.rfind(prefix, 0) == 0; });
  };
  if (has("org_kde_")) return "KDE Plasma (KWin)";
  if (has("gtk_shell")) return "GNOME (Mutter)";
  if (has("weston_")) return "Weston";
  if (has("zwlr_") || has("zwp_virtual_keyboard")) return "a wlroots compositor";
  return "";
}

}  // namespace wayland
