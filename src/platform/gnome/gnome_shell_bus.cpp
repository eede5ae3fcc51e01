#include "platform/gnome/gnome_shell_bus.h"

#include <systemd/sd-bus.h>

#include <algorithm>
#include <cstring>

namespace gnome {
namespace {

constexpr const char* kPath = "/example/talvorstart/Shell";
constexpr const char* kInterface = "example.talvorstart.Shell1";
// The shell answers within its own bounds (2 s for the overview to close,
// 1 s for the focus, 2 s for the keys); a shell that hangs is given up on.
constexpr std::uint64_t kCallTimeoutUs = 6'000'000;

struct Call {
  sd_bus_message* reply = nullptr;
  sd_bus_error error = SD_BUS_ERROR_NULL;
  ~Call() {
    sd_bus_error_free(&error);
    sd_bus_message_unref(reply);
  }
  std::string why(int r) const { return error.message ? error.message : std::strerror(-r); }
};

}  // namespace

ShellBus::ShellBus() {
  sd_bus* bus = nullptr;
  const int r = sd_bus_open_user(&bus);
  if (r < 0) {
    error_ = std::string("no session bus (") + std::strerror(-r) + ")";
    return;
  }
  sd_bus_set_method_call_timeout(bus, kCallTimeoutUs);
  bus_ = bus;
}

ShellBus::~ShellBus() { sd_bus_flush_close_unref(bus_); }

bool ShellBus::hasOwner(const char* name) {
  if (!bus_) return false;
  Call c;
  const int r = sd_bus_call_method(bus_, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                   "NameHasOwner", &c.error, &c.reply, "s", name);
  int has = 0;
  return r >= 0 && sd_bus_message_read(c.reply, "b", &has) >= 0 && has;
}

bool ShellBus::windows(std::vector<ShellWindow>& out) {
  out.clear();
  if (!bus_) return false;
  Call c;
  int r = sd_bus_call_method(bus_, kExtensionBusName, kPath, kInterface, "Windows", &c.error, &c.reply, "");
  if (r < 0) {
    error_ = c.why(r);
    return false;
  }
  r = sd_bus_message_enter_container(c.reply, 'a', "(tssibut)");
  while (r >= 0) {
    ShellWindow w;
    const char* title = nullptr;
    const char* wmClass = nullptr;
    int focused = 0;
    r = sd_bus_message_read(c.reply, "(tssibut)", &w.id, &title, &wmClass, &w.pid, &focused, &w.sequence, &w.parent);
    if (r <= 0) break;
    w.title = title;
    w.wmClass = wmClass;
    w.focused = focused;
    out.push_back(std::move(w));
  }
  if (r < 0) {
    error_ = std::string("the shell's list of windows could not be read (") + std::strerror(-r) + ")";
    return false;
  }
  return true;
}

bool ShellBus::activeWindow(std::uint64_t& id) {
  if (!bus_) return false;
  Call c;
  int r = sd_bus_call_method(bus_, kExtensionBusName, kPath, kInterface, "ActiveWindow", &c.error, &c.reply, "");
  if (r >= 0) r = sd_bus_message_read(c.reply, "t", &id);
  if (r < 0) error_ = c.why(r);
  return r >= 0;
}

bool ShellBus::activate(std::uint64_t id, bool& focused) {
  if (!bus_) return false;
  Call c;
  int answer = 0;
  int r = sd_bus_call_method(bus_, kExtensionBusName, kPath, kInterface, "Activate", &c.error, &c.reply, "t", id);
  if (r >= 0) r = sd_bus_message_read(c.reply, "b", &answer);
  if (r < 0) error_ = c.why(r);
  focused = answer;
  return r >= 0;
}

bool ShellBus::type(std::uint64_t focusedId, const std::vector<KeyEvent>& keys, size_t& delivered) {
  delivered = 0;
  if (!bus_) return false;
  Call c;
  sd_bus_message* m = nullptr;
  int r = sd_bus_message_new_method_call(bus_, &m, kExtensionBusName, kPath, kInterface, "Type");
  if (r >= 0) r = sd_bus_message_append(m, "t", focusedId);
  if (r >= 0) r = sd_bus_message_open_container(m, 'a', "(ub)");
  for (size_t i = 0; r >= 0 && i < keys.size(); ++i)
    r = sd_bus_message_append(m, "(ub)", keys[i].keysym, int(keys[i].down));
  if (r >= 0) r = sd_bus_message_close_container(m);
  if (r >= 0) r = sd_bus_call(bus_, m, 0, &c.error, &c.reply);
  sd_bus_message_unref(m);
  std::uint32_t answer = 0;
  if (r >= 0) r = sd_bus_message_read(c.reply, "u", &answer);
  if (r < 0) error_ = c.why(r);
  delivered = std::min(size_t(answer), keys.size());
  return r >= 0;
}

}  // namespace gnome
