#pragma once

// A keyboard through the RemoteDesktop portal (org.freedesktop.portal.
// RemoteDesktop): a session with the keyboard only, which KDE Plasma 5.27
// starts without asking; keys are sent as keysyms, which the portal looks
// up in the user's keymap. Every wait is bounded.
#include <systemd/sd-bus.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/gnome/gnome_shell_bus.h"

namespace kde {

using gnome::KeyEvent;

class PortalKeyboard {
 public:
  explicit PortalKeyboard(sd_bus* bus);
  ~PortalKeyboard();  // closes the session
  PortalKeyboard(const PortalKeyboard&) = delete;
  PortalKeyboard& operator=(const PortalKeyboard&) = delete;

  // Creates and starts the session; false with error() when the portal is
  // missing, refuses, or gives no keyboard.
  bool open();
  // Sends the keys in order; false when the portal stopped answering, and
  // then the keys still held are let go if it answers again at once.
  bool type(const std::vector<KeyEvent>& keys);
  const std::string& error() const { return error_; }

 private:
  struct Answer {
    bool arrived = false;
    std::uint32_t response = 2;
    std::map<std::string, std::string> strings;
    std::uint32_t devices = 0;
  };
  bool notify(const KeyEvent& key, std::uint64_t timeoutUs);
  static int onResponse(sd_bus_message* m, void* data, sd_bus_error* error);
  // Calls a portal method that answers through a Request object.
  bool request(const char* method, const std::string& session, std::uint32_t types, Answer& answer,
               std::chrono::milliseconds limit);

  sd_bus* bus_;
  std::string sender_;  // our unique name as the portal writes it in paths
  std::string session_;
  std::uint64_t count_ = 0;
  std::string error_;
};

}  // namespace kde
