#pragma once

// The back end's own connection to the compositor, apart from the one the
// toolkit keeps, with the globals it needs.
#include <chrono>
#include <functional>
#include <set>
#include <string>

struct wl_display;
struct wl_registry;
struct wl_seat;
struct zwlr_foreign_toplevel_manager_v1;
struct zwp_virtual_keyboard_manager_v1;

namespace wayland {

class Connection {
 public:
  Connection();  // connects to $WAYLAND_DISPLAY and reads the globals
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  bool connected() const { return display_ != nullptr; }
  // False once the compositor has closed the connection or raised an error.
  bool alive() const;

  wl_seat* seat() const { return seat_; }
  zwlr_foreign_toplevel_manager_v1* toplevelManager() const { return toplevels_; }
  zwp_virtual_keyboard_manager_v1* keyboardManager() const { return keyboards_; }

  // Waits until the compositor has handled every request sent so far, and
  // handles the events it sent before.
  bool roundtrip();
  // Sends the queued requests without waiting for an answer.
  bool flush();
  // Handles events until the condition holds or the time is up; sleeps in
  // poll() in between. Returns the condition.
  bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit);

  // The compositor's name as far as its globals tell, or "".
  std::string compositorName() const;

 private:
  static void global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version);
  static void globalRemove(void* data, wl_registry* registry, uint32_t name);

  wl_display* display_ = nullptr;
  wl_registry* registry_ = nullptr;
  wl_seat* seat_ = nullptr;
  zwlr_foreign_toplevel_manager_v1* toplevels_ = nullptr;
  zwp_virtual_keyboard_manager_v1* keyboards_ = nullptr;
  std::set<std::string> interfaces_;
};

}  // namespace wayland
