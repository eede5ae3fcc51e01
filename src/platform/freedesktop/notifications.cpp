#include "platform/session_log.h"
#include "version.h"

#include <systemd/sd-bus.h>

#include <cstring>

namespace session_log {
namespace {

struct BusHandles {
  sd_bus* bus = nullptr;
  sd_bus_message* reply = nullptr;
  sd_bus_error error = SD_BUS_ERROR_NULL;
  ~BusHandles() {
    sd_bus_error_free(&error);
    sd_bus_message_unref(reply);
    sd_bus_flush_close_unref(bus);
  }
};

}  // namespace

bool notify(const std::string& summary, const std::string& body, std::string& reason) {
  BusHandles h;
  int r = sd_bus_open_user(&h.bus);
  if (r < 0) {
    reason = std::string("no session bus (") + std::strerror(-r) + ")";
    return false;
  }
  sd_bus_set_method_call_timeout(h.bus, uint64_t(kNotifyTimeoutMs) * 1000);
  // app_name, replaces_id, app_icon, summary, body, actions, hints,
  // expire_timeout (0: until the user dismisses it).
  r = sd_bus_call_method(h.bus, "org.freedesktop.Notifications", "/org/freedesktop/Notifications",
                         "org.freedesktop.Notifications", "Notify", &h.error, &h.reply, "susssasa{sv}i", "Talvor Start",
                         0u, "talvorstart", summary.c_str(), body.c_str(), 0, 2, "urgency", "y", uint8_t(2),
                         "desktop-entry", "s", TALVOR_APP_ID, 0);
  if (r < 0) {
    reason = h.error.message ? h.error.message : std::strerror(-r);
    return false;
  }
  return true;
}

}  // namespace session_log
