#pragma once

// The KDE back end's own connection to KWin, with the seat, its keyboard
// map and the two interfaces that KWin gives only to programs its desktop
// file names.
#include <chrono>
#include <cstdint>
#include <functional>
#include <set>
#include <string>

struct wl_display;
struct wl_registry;
struct wl_seat;
struct wl_keyboard;
struct org_kde_plasma_window_management;
struct org_kde_kwin_fake_input;

namespace kde {

class Connection {
 public:
  Connection();  // connects to $WAYLAND_DISPLAY and reads the globals
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  bool connected() const { return display_ != nullptr; }
  bool alive() const;
  // Offers globals that only KWin has.
  bool isKwin() const;

  wl_seat* seat() const { return seat_; }
  org_kde_plasma_window_management* windowManagement() const { return windows_; }
  std::uint32_t windowManagementVersion() const { return windowsVersion_; }
  org_kde_kwin_fake_input* fakeInput() const { return fakeInput_; }
  std::uint32_t fakeInputVersion() const { return fakeInputVersion_; }

  // The seat's keyboard map as the compositor last sent it ("" until then),
  // and a count that grows with each one sent.
  const std::string& keymap() const { return keymap_; }
  std::uint64_t keymapSerial() const { return keymapSerial_; }

  bool roundtrip();
  bool flush();
  bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit);

 private:
  static void global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version);
  static void globalRemove(void* data, wl_registry* registry, uint32_t name);
  static void capabilities(void* data, wl_seat* seat, uint32_t caps);
  static void seatName(void* data, wl_seat* seat, const char* name);
  static void keymapEvent(void* data, wl_keyboard* keyboard, uint32_t format, int32_t fd, uint32_t size);

  wl_display* display_ = nullptr;
  wl_registry* registry_ = nullptr;
  wl_seat* seat_ = nullptr;
  wl_keyboard* keyboard_ = nullptr;
  org_kde_plasma_window_management* windows_ = nullptr;
  std::uint32_t windowsVersion_ = 0;
  org_kde_kwin_fake_input* fakeInput_ = nullptr;
  std::uint32_t fakeInputVersion_ = 0;
  std::set<std::string> interfaces_;
  std::string keymap_;
  std::uint64_t keymapSerial_ = 0;
};

}  // namespace kde
