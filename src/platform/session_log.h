#pragma once

// Where a Linux desktop keeps what programs tell the user afterwards: the
// systemd journal and the session's notification server. Both return false
// (the notification with a reason) where the session has none.
#include "platform/desktop_services.h"

#include <string>

namespace session_log {

bool journal(const std::string& message, bool problem, const DesktopServices::LogFields& fields);
// Through org.freedesktop.Notifications on the session bus; waits at most
// kNotifyTimeoutMs for the server's answer. The notification does not
// expire, so it is still there when the user comes back.
bool notify(const std::string& summary, const std::string& body, std::string& reason);
constexpr int kNotifyTimeoutMs = 3000;

}  // namespace session_log
