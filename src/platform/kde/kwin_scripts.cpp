#include "platform/kde/kwin_scripts.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/kde/kde_bus.h"

namespace kde {
namespace {

constexpr const char* kKwin = "org.kde.KWin";
constexpr const char* kMarkerPlugin = "talvorstart-marker";
// A script reports within milliseconds; KWin busy with a burst of windows
// is given longer, and then given up on.
constexpr auto kReportWait = std::chrono::milliseconds(2000);
// The marker fires within milliseconds of its key; longer means KWin has
// not passed on the keys before it, and none more are sent.
constexpr auto kMarkerWait = std::chrono::milliseconds(2000);

// $XDG_RUNTIME_DIR, when it is a folder of this user's that nobody else
// can write to (nor read: the scripts name our bus connection).
std::string privateFolder(std::string& why) {
  const char* dir = std::getenv("XDG_RUNTIME_DIR");
  struct stat st {};
  if (!dir || dir[0] != '/') {
    why = "XDG_RUNTIME_DIR is not set";
  } else if (lstat(dir, &st) != 0 || !S_ISDIR(st.st_mode)) {
    why = std::string("XDG_RUNTIME_DIR (") + dir + ") is not a folder";
  } else if (st.st_uid != geteuid() || (st.st_mode & 077) != 0) {
    why = std::string("XDG_RUNTIME_DIR (") + dir + ") is not private to this user (mode 0700)";
  } else {
    return dir;
  }
  return "";
}

}  // namespace

KwinScripts::KwinScripts(sd_bus* bus) : bus_(bus) {
  folder_ = privateFolder(error_);
  const char* unique = nullptr;
  if (folder_.empty() || sd_bus_get_unique_name(bus_, &unique) < 0 || !isUniqueBusName(unique)) {
    if (error_.empty()) error_ = "no name on the session bus";
    return;
  }
  busName_ = unique;
  if (sd_bus_add_object(bus_, &slot_, kReportPath, &KwinScripts::onReport, this) < 0) {
    error_ = "the bus refused the report object";
    return;
  }
  usable_ = kwinOwner(kwin_);
}

KwinScripts::~KwinScripts() {
  if (!kept_.empty()) unload(kept_);
  sd_bus_slot_unref(slot_);
}

bool KwinScripts::kwinOwner(std::string& owner) {
  BusCall c;
  const char* name = nullptr;
  int r = sd_bus_call_method(bus_, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                             "GetNameOwner", &c.error, &c.reply, "s", kKwin);
  if (r >= 0) r = sd_bus_message_read(c.reply, "s", &name);
  if (r < 0) {
    error_ = "KWin is not on the session bus (" + c.why(r) + ")";
    return false;
  }
  owner = name;
  return true;
}

// Only KWin's connection may report, and only for the script now running
// or for the marker's.
int KwinScripts::onReport(sd_bus_message* m, void* data, sd_bus_error*) {
  auto* self = static_cast<KwinScripts*>(data);
  if (!sd_bus_message_is_method_call(m, kReportInterface, "Report")) return 0;
  const char* sender = sd_bus_message_get_sender(m);
  const char* token = nullptr;
  const char* text = nullptr;
  if (sender && self->kwin_ == sender && sd_bus_message_read(m, "ss", &token, &text) >= 0) {
    if (self->awaited_ == token) {
      self->report_ = text;
      self->reported_ = true;
    } else if (!self->markerToken_.empty() && self->markerToken_ == token && std::string(text) == kMarkerReport) {
      ++self->markers_;
    }
  }
  sd_bus_reply_method_return(m, "");
  return 1;
}

bool KwinScripts::writeScript(const std::string& path, const std::string& text) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) {
    error_ = "the script file " + path + " could not be written (" + std::strerror(errno) + ")";
    return false;
  }
  const bool written = write(fd, text.data(), text.size()) == ssize_t(text.size());
  if (close(fd) != 0 || !written) {
    unlink(path.c_str());
    error_ = "the script file " + path + " could not be written";
    return false;
  }
  return true;
}

template <class MakeScript>
bool KwinScripts::run(MakeScript makeScript, std::string& report, const std::string& keepAs) {
  if (!usable_) return false;
  const std::string number = std::to_string(getpid()) + "-" + std::to_string(++count_);
  const std::string plugin = keepAs.empty() ? "talvorstart-" + number : keepAs;
  const std::string path = folder_ + "/talvorstart-" + number + ".js";
  awaited_ = std::to_string(count_);
  reported_ = false;
  if (!writeScript(path, makeScript(ReportAddress{busName_, awaited_}))) return false;
  std::int32_t id = -1;
  {
    BusCall c;
    int r = sd_bus_call_method(bus_, kKwin, "/Scripting", "org.kde.kwin.Scripting", "loadScript", &c.error, &c.reply,
                               "ss", path.c_str(), plugin.c_str());
    if (r >= 0) r = sd_bus_message_read(c.reply, "i", &id);
    if (r < 0) error_ = "KWin did not load a script (" + c.why(r) + ")";
    if (r >= 0 && id < 0) error_ = "KWin refused to load a script";
  }
  bool ok = id >= 0;
  if (ok) {
    BusCall c;
    const std::string object = "/" + std::to_string(id);
    const int r = sd_bus_call_method(bus_, kKwin, object.c_str(), "org.kde.kwin.Script", "run", &c.error, &c.reply, "");
    if (r < 0) error_ = "KWin did not run a script (" + c.why(r) + ")";
    ok = r >= 0 && dispatchUntil(
                       bus_, [this] { return reported_; }, kReportWait);
    if (r >= 0 && !ok) error_ = "a KWin script did not report back";
  }
  if (ok && !keepAs.empty())
    kept_ = plugin;
  else
    unload(plugin);
  unlink(path.c_str());
  awaited_.clear();
  report = report_;
  return ok;
}

void KwinScripts::unload(const std::string& plugin) {
  BusCall c;
  sd_bus_call_method(bus_, kKwin, "/Scripting", "org.kde.kwin.Scripting", "unloadScript", &c.error, &c.reply, "s",
                     plugin.c_str());
}

bool KwinScripts::windows(std::vector<ScriptWindow>& out) {
  std::string report;
  if (!run([](const ReportAddress& to) { return listScript(to); }, report)) return false;
  if (parseWindowReport(report, out)) return true;
  error_ = "KWin's list of windows could not be read";
  return false;
}

bool KwinScripts::activate(const std::string& windowId) {
  std::string report;
  return run([&](const ReportAddress& to) { return activateScript(to, windowId); }, report) && report == "1";
}

bool KwinScripts::startMarker() {
  // One left by a run that was killed would hold the shortcut, and report
  // to a connection that is gone; only one run at a time gets this far.
  unload(kMarkerPlugin);
  std::string report;
  const bool ok = run(
      [this](const ReportAddress& to) {
        markerToken_ = to.token;
        return markerScript(to);
      },
      report, kMarkerPlugin);
  if (ok && report == "1") return true;
  if (ok) error_ = "KWin refused the marker's shortcut";
  markerToken_.clear();
  return false;
}

bool KwinScripts::waitForMarkers(std::uint64_t count) {
  if (dispatchUntil(
          bus_, [&] { return markers_ >= count; }, kMarkerWait))
    return true;
  error_ = "KWin did not take the marker key in time";
  return false;
}

}  // namespace kde
