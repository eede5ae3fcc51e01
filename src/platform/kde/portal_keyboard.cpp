#include "platform/kde/portal_keyboard.h"

#include <systemd/sd-bus.h>

#include <chrono>

#include "platform/kde/kde_bus.h"

namespace kde {
namespace {

constexpr const char* kPortal = "org.freedesktop.portal.Desktop";
constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";
constexpr const char* kRemoteDesktop = "org.freedesktop.portal.RemoteDesktop";
constexpr std::uint32_t kKeyboard = 1;
// The portal answers at once when it asks nobody; a desktop that shows a
// dialog for it is not waited for long: nobody may be there to answer.
constexpr auto kAnswerWait = std::chrono::milliseconds(3000);
// Letting go of held keys after a failure: each call, in microseconds.
constexpr std::uint64_t kReleaseTimeoutUs = 300'000;

// The map of results: the strings and the device types it holds.
int readResults(sd_bus_message* m, std::map<std::string, std::string>& strings, std::uint32_t& devices) {
  int r = sd_bus_message_enter_container(m, 'a', "{sv}");
  while (r > 0) {
    r = sd_bus_message_enter_container(m, 'e', "sv");
    if (r <= 0) break;
    const char* key = nullptr;
    r = sd_bus_message_read(m, "s", &key);
    if (r < 0) break;
    const char* contents = nullptr;
    char type = 0;
    r = sd_bus_message_peek_type(m, &type, &contents);
    if (r < 0) break;
    // Portals send the session handle as a string, some as an object path.
    if (contents && (std::string(contents) == "s" || std::string(contents) == "o")) {
      const char* value = nullptr;
      r = sd_bus_message_read(m, "v", contents, &value);
      if (r >= 0) strings[key] = value;
    } else if (contents && std::string(contents) == "u" && std::string(key) == "devices") {
      r = sd_bus_message_read(m, "v", "u", &devices);
    } else {
      r = sd_bus_message_skip(m, "v");
    }
    if (r < 0) break;
    r = sd_bus_message_exit_container(m);
  }
  return r;
}

}  // namespace

PortalKeyboard::PortalKeyboard(sd_bus* bus) : bus_(bus) {
  const char* unique = nullptr;
  if (sd_bus_get_unique_name(bus_, &unique) >= 0) {
    for (const char* c = unique + 1; *c; ++c) sender_ += *c == '.' ? '_' : *c;
  }
}

PortalKeyboard::~PortalKeyboard() {
  if (session_.empty()) return;
  BusCall c;
  sd_bus_call_method(bus_, kPortal, session_.c_str(), "org.freedesktop.portal.Session", "Close", &c.error, &c.reply,
                     "");
}

int PortalKeyboard::onResponse(sd_bus_message* m, void* data, sd_bus_error*) {
  auto* answer = static_cast<Answer*>(data);
  if (sd_bus_message_read(m, "u", &answer->response) < 0 || readResults(m, answer->strings, answer->devices) < 0)
    answer->response = 2;
  answer->arrived = true;
  return 0;
}

bool PortalKeyboard::request(const char* method, const std::string& session, std::uint32_t types, Answer& answer,
                             std::chrono::milliseconds limit) {
  const std::string token = "talvorstart" + std::to_string(++count_);
  const std::string path = std::string(kPortalPath) + "/request/" + sender_ + "/" + token;
  sd_bus_slot* slot = nullptr;
  if (sd_bus_match_signal(bus_, &slot, nullptr, path.c_str(), "org.freedesktop.portal.Request", "Response",
                          &PortalKeyboard::onResponse, &answer) < 0) {
    error_ = "the session bus refused to pass on the portal's answer";
    return false;
  }
  sd_bus_message* m = nullptr;
  BusCall c;
  int r = sd_bus_message_new_method_call(bus_, &m, kPortal, kPortalPath, kRemoteDesktop, method);
  if (r >= 0 && !session.empty()) r = sd_bus_message_append(m, "o", session.c_str());
  if (r >= 0 && std::string(method) == "CreateSession")
    r = sd_bus_message_append(m, "a{sv}", 2, "handle_token", "s", token.c_str(), "session_handle_token", "s",
                              token.c_str());
  else if (r >= 0 && types != 0)
    r = sd_bus_message_append(m, "a{sv}", 2, "handle_token", "s", token.c_str(), "types", "u", types);
  else if (r >= 0)
    r = sd_bus_message_append(m, "sa{sv}", "", 1, "handle_token", "s", token.c_str());
  if (r >= 0) r = sd_bus_call(bus_, m, 0, &c.error, &c.reply);
  sd_bus_message_unref(m);
  bool ok = r >= 0;
  if (!ok) error_ = std::string("the remote desktop portal refused ") + method + " (" + c.why(r) + ")";
  if (ok && !dispatchUntil(
                bus_, [&] { return answer.arrived; }, limit)) {
    error_ = std::string("the remote desktop portal did not answer ") + method + " in time";
    ok = false;
  }
  if (ok && answer.response != 0) {
    error_ = std::string("the remote desktop portal refused ") + method +
             (answer.response == 1 ? " (the request was cancelled)" : "");
    ok = false;
  }
  sd_bus_slot_unref(slot);
  return ok;
}

bool PortalKeyboard::open() {
  if (sender_.empty()) {
    error_ = "no name on the session bus";
    return false;
  }
  Answer created, selected, started;
  if (!request("CreateSession", "", 0, created, kAnswerWait)) return false;
  const auto handle = created.strings.find("session_handle");
  if (handle == created.strings.end() || !sd_bus_object_path_is_valid(handle->second.c_str())) {
    error_ = "the remote desktop portal gave no session";
    return false;
  }
  session_ = handle->second;
  if (!request("SelectDevices", session_, kKeyboard, selected, kAnswerWait)) return false;
  if (!request("Start", session_, 0, started, kAnswerWait)) return false;
  if (!(started.devices & kKeyboard)) {
    error_ = "the remote desktop portal gave no keyboard";
    return false;
  }
  return true;
}

bool PortalKeyboard::notify(const KeyEvent& k, std::uint64_t timeoutUs) {
  sd_bus_message* m = nullptr;
  BusCall c;
  int r = sd_bus_message_new_method_call(bus_, &m, kPortal, kPortalPath, kRemoteDesktop, "NotifyKeyboardKeysym");
  if (r >= 0)
    r = sd_bus_message_append(m, "oa{sv}iu", session_.c_str(), 0, std::int32_t(k.keysym), std::uint32_t(k.down));
  if (r >= 0) r = sd_bus_call(bus_, m, timeoutUs, &c.error, &c.reply);
  sd_bus_message_unref(m);
  if (r < 0) error_ = "the remote desktop portal did not take a key (" + c.why(r) + ")";
  return r >= 0;
}

bool PortalKeyboard::type(const std::vector<KeyEvent>& keys) {
  std::vector<std::uint32_t> held;
  for (const KeyEvent& k : keys) {
    if (!notify(k, 0)) {
      // A key left down would repeat in the window, or be a modifier to
      // the user's next key; a portal that is gone is not waited for.
      const std::string why = error_;
      while (!held.empty() && notify({held.back(), false}, kReleaseTimeoutUs)) held.pop_back();
      error_ = why;
      return false;
    }
    if (k.down) {
      held.push_back(k.keysym);
    } else {
      for (auto it = held.begin(); it != held.end(); ++it)
        if (*it == k.keysym) {
          held.erase(it);
          break;
        }
    }
  }
  return true;
}

}  // namespace kde
