#include "platform/wayland/wayland_keyboard.h"

#include "virtual-keyboard-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

namespace wayland {
namespace {

uint32_t nowMs() {
  using namespace std::chrono;
  return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool writeAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= size_t(n);
  }
  return true;
}

}  // namespace

VirtualKeyboard::VirtualKeyboard(zwp_virtual_keyboard_manager_v1* manager, wl_seat* seat)
    : keyboard_(zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(manager, seat)) {}

VirtualKeyboard::~VirtualKeyboard() {
  if (!keyboard_) return;
  if (haveKeymap_) zwp_virtual_keyboard_v1_modifiers(keyboard_, 0, 0, 0, 0);
  zwp_virtual_keyboard_v1_destroy(keyboard_);
}

bool VirtualKeyboard::useKeymap(Keymap& keymap, bool* uploaded, std::string& reason) {
  *uploaded = false;
  if (!keyboard_) {
    reason = "The compositor did not give a virtual keyboard";
    return false;
  }
  if (haveKeymap_ && !keymap.changed()) return true;
  const std::string text = keymap.text();
  const int fd = memfd_create("talvorstart-keymap", MFD_CLOEXEC);
  // The text goes with its terminating NUL, as keymap readers expect.
  if (fd < 0 || !writeAll(fd, text.c_str(), text.size() + 1)) {
    reason = std::string("The keyboard map could not be written: ") + std::strerror(errno);
    if (fd >= 0) close(fd);
    return false;
  }
  // The request carries a duplicate of the descriptor.
  zwp_virtual_keyboard_v1_keymap(keyboard_, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd, uint32_t(text.size() + 1));
  close(fd);
  haveKeymap_ = true;
  *uploaded = true;
  return true;
}

void VirtualKeyboard::type(const std::vector<KeyAction>& actions) {
  for (const KeyAction& a : actions) {
    if (a.kind == KeyAction::Kind::Modifiers) {
      zwp_virtual_keyboard_v1_modifiers(keyboard_, a.value, 0, 0, 0);
    } else {
      // Wayland key codes are the keymap's codes minus 8.
      zwp_virtual_keyboard_v1_key(keyboard_, nowMs(), a.value - 8,
                                  a.down ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
    }
  }
}

}  // namespace wayland
