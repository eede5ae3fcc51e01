#include "platform/session_log.h"

// A desktop without a journal or notifications: standard error has it all.
namespace session_log {

bool journal(const std::string&, bool, const DesktopServices::LogFields&) { return false; }

bool notify(const std::string&, const std::string&, std::string& reason) {
  reason = "this desktop has no notifications";
  return false;
}

}  // namespace session_log
