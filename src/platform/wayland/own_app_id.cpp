#include "platform/wayland/own_app_id.h"
#include "version.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <unistd.h>

namespace wayland {
namespace {

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return s;
}

std::string executableName() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return "talvorstart";
  const std::string full(path, size_t(n));
  return full.substr(full.rfind('/') + 1);
}

}  // namespace

bool isOwnAppId(const std::string& appId) {
  static const std::string own = lower(executableName());
  static const std::string desktopId = lower(TALVOR_APP_ID);
  return !appId.empty() && (lower(appId) == own || lower(appId) == desktopId);
}

}  // namespace wayland
