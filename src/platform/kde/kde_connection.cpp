#include "platform/kde/kde_connection.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <algorithm>
#include <cstring>

#include "fake-input-client-protocol.h"
#include "plasma-window-management-client-protocol.h"
#include "platform/wayland/wayland_wait.h"

namespace kde {
namespace {

// The newest versions whose events this back end understands.
constexpr uint32_t kSeatVersion = 5;
constexpr uint32_t kWindowManagementVersion = 16;
constexpr uint32_t kFakeInputVersion = 4;
// A keymap larger than this is not read (a real one is some 60 KB).
constexpr uint32_t kKeymapLimit = 4u << 20;

void ignoreEnter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}
void ignoreLeave(void*, wl_keyboard*, uint32_t, wl_surface*) {}
void ignoreKey(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t) {}
void ignoreModifiers(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}
void ignoreRepeat(void*, wl_keyboard*, int32_t, int32_t) {}

}  // namespace

void Connection::global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
  auto* self = static_cast<Connection*>(data);
  const std::string iface = interface;
  self->interfaces_.insert(iface);
  if (iface == wl_seat_interface.name && !self->seat_) {
    self->seat_ =
        static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, std::min(version, kSeatVersion)));
    static const wl_seat_listener listener = {&Connection::capabilities, &Connection::seatName};
    wl_seat_add_listener(self->seat_, &listener, self);
  } else if (iface == org_kde_plasma_window_management_interface.name && !self->windows_) {
    self->windowsVersion_ = std::min(version, kWindowManagementVersion);
    self->windows_ = static_cast<org_kde_plasma_window_management*>(
        wl_registry_bind(registry, name, &org_kde_plasma_window_management_interface, self->windowsVersion_));
  } else if (iface == org_kde_kwin_fake_input_interface.name && !self->fakeInput_) {
    self->fakeInputVersion_ = std::min(version, kFakeInputVersion);
    self->fakeInput_ = static_cast<org_kde_kwin_fake_input*>(
        wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, self->fakeInputVersion_));
  }
}

void Connection::globalRemove(void*, wl_registry*, uint32_t) {}

void Connection::capabilities(void* data, wl_seat* seat, uint32_t caps) {
  auto* self = static_cast<Connection*>(data);
  // The keyboard is asked for only to learn the keymap.
  if ((caps & WL_SEAT_CAPABILITY_KEYBOARD) && !self->keyboard_) {
    self->keyboard_ = wl_seat_get_keyboard(seat);
    static const wl_keyboard_listener listener = {&Connection::keymapEvent, ignoreEnter, ignoreLeave, ignoreKey,
                                                  ignoreModifiers,          ignoreRepeat};
    wl_keyboard_add_listener(self->keyboard_, &listener, self);
  }
}

void Connection::seatName(void*, wl_seat*, const char*) {}

void Connection::keymapEvent(void* data, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
  auto* self = static_cast<Connection*>(data);
  if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && size > 0 && size <= kKeymapLimit) {
    void* map = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (map != MAP_FAILED) {
      const char* text = static_cast<const char*>(map);
      self->keymap_.assign(text, strnlen(text, size));
      ++self->keymapSerial_;
      munmap(map, size);
    }
  }
  close(fd);
}

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
  if (fakeInput_) org_kde_kwin_fake_input_destroy(fakeInput_);
  if (windows_) org_kde_plasma_window_management_destroy(windows_);
  if (keyboard_) wl_keyboard_destroy(keyboard_);
  if (seat_) wl_seat_destroy(seat_);
  if (registry_) wl_registry_destroy(registry_);
  wl_display_flush(display_);
  wl_display_disconnect(display_);
}

bool Connection::alive() const { return display_ && wl_display_get_error(display_) == 0; }

bool Connection::isKwin() const {
  return std::any_of(interfaces_.begin(), interfaces_.end(),
                     [](const std::string& i) { return i.rfind("org_kde_kwin_", 0) == 0; });
}

bool Connection::roundtrip() { return alive() && wl_display_roundtrip(display_) >= 0; }

bool Connection::flush() { return alive() && wl_display_flush(display_) >= 0; }

bool Connection::waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  return wayland::dispatchUntil(display_, condition, limit);
}

}  // namespace kde
