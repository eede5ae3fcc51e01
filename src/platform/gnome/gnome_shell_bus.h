#pragma once

// The session bus interface of Talvor Start's GNOME Shell extension
// (dist/gnome-shell/): on GNOME only the shell can list and activate other
// programs' windows and type into them. Every call is bounded.
#include <cstdint>
#include <string>
#include <vector>

struct sd_bus;

namespace gnome {

constexpr const char* kExtensionBusName = "example.talvorstart.Shell";
constexpr const char* kExtensionUuid = "talvorstart@example.talvorstart";

struct ShellWindow {
  std::uint64_t id = 0;
  std::string title;
  std::string wmClass;  // the application id of native programs
  std::int32_t pid = 0;
  bool focused = false;
  std::uint32_t sequence = 0;  // grows with each window that appears
  std::uint64_t parent = 0;    // the window it is a dialog of, or 0
};

// One press or release of a keysym.
struct KeyEvent {
  std::uint32_t keysym = 0;
  bool down = false;
  bool operator==(const KeyEvent& o) const { return keysym == o.keysym && down == o.down; }
};

class ShellBus {
 public:
  ShellBus();
  ~ShellBus();
  ShellBus(const ShellBus&) = delete;
  ShellBus& operator=(const ShellBus&) = delete;

  bool connected() const { return bus_ != nullptr; }
  // Whether some program holds the name; false also when the bus does not answer.
  bool hasOwner(const char* name);

  // Each returns false when the call failed (the reason in error()).
  bool windows(std::vector<ShellWindow>& out);
  bool activeWindow(std::uint64_t& id);
  // focused: the window had the focus when the shell answered.
  bool activate(std::uint64_t id, bool& focused);
  // Types the events, a key at a time, while the window focusedId has the
  // focus; delivered: how many of them the shell has passed on to it.
  bool type(std::uint64_t focusedId, const std::vector<KeyEvent>& keys, size_t& delivered);

  const std::string& error() const { return error_; }

 private:
  ::sd_bus* bus_ = nullptr;
  std::string error_;
};

}  // namespace gnome
