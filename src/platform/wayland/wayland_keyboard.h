#pragma once

// A virtual keyboard on the seat that types planned key actions with the
// keymap they were planned on.
#include "platform/wayland/wayland_keymap.h"

#include <string>
#include <vector>

struct zwp_virtual_keyboard_manager_v1;
struct zwp_virtual_keyboard_v1;
struct wl_seat;

namespace wayland {

class VirtualKeyboard {
 public:
  VirtualKeyboard(zwp_virtual_keyboard_manager_v1* manager, wl_seat* seat);
  ~VirtualKeyboard();  // clears the modifiers first
  VirtualKeyboard(const VirtualKeyboard&) = delete;
  VirtualKeyboard& operator=(const VirtualKeyboard&) = delete;

  // Uploads the keymap when it changed since the last upload; true in
  // *uploaded when it did.
  bool useKeymap(Keymap& keymap, bool* uploaded, std::string& reason);
  // Queues the actions; the caller flushes them.
  void type(const std::vector<KeyAction>& actions);

 private:

  zwp_virtual_keyboard_v1* keyboard_ = nullptr;
  bool haveKeymap_ = false;
};

}  // namespace wayland
