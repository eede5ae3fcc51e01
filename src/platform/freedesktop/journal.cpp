#include "platform/session_log.h"

#include <systemd/sd-journal.h>
#include <sys/uio.h>
#include <syslog.h>
#include <unistd.h>

#include <vector>

namespace session_log {

bool journal(const std::string& message, bool problem, const DesktopServices::LogFields& fields) {
  // Without the journal's socket the message would be lost: say no, so that
  // standard error keeps it.
  if (::access("/run/systemd/journal/socket", W_OK) != 0) return false;
  std::vector<std::string> lines = {"MESSAGE=" + message, "SYSLOG_IDENTIFIER=talvorstart",
                                    "PRIORITY=" + std::to_string(problem ? LOG_WARNING : LOG_INFO)};
  for (const auto& f : fields) lines.push_back(f.first + "=" + f.second);
  std::vector<iovec> parts;
  for (std::string& l : lines) parts.push_back({l.data(), l.size()});
  return sd_journal_sendv(parts.data(), int(parts.size())) >= 0;
}

}  // namespace session_log
