#include "platform/automation_choice.h"

#include "platform/failure_codes.h"
#include "platform/x11/batch_start.h"
#include "platform/x11/x11_automation.h"
#include "platform/xwayland_only.h"
#include "version.h"
#if defined(TALVOR_HAVE_WAYLAND)
#include "platform/wayland/wayland_automation.h"
#endif
#if defined(TALVOR_HAVE_KDE)
#include "platform/kde/kde_automation.h"
#include "platform/kde/kde_script_automation.h"
#endif
#if defined(TALVOR_HAVE_GNOME)
#include "platform/gnome/gnome_automation.h"
#endif

#include <X11/Xlib.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace {

constexpr const char* kGnomeExtensionUuid = "talvorstart@example.talvorstart";

std::string env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

std::string ownBinary() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  return n > 0 ? std::string(path, size_t(n)) : std::string();
}

bool x11Reachable() {
  if (env("DISPLAY").empty()) return false;
  Display* d = XOpenDisplay(nullptr);
  if (!d) return false;
  XCloseDisplay(d);
  return true;
}

// A desktop where nothing can be typed: the batch file still starts, so
// that the user can pick the job by hand, but no window is activated and no
// key is sent.
class UnreachableDesktop : public Automation {
 public:
  explicit UnreachableDesktop(std::string why) : why_(std::move(why)) {}
  AutomationStatus start(const std::string& file, const std::string& programFolder, const std::string& settingsFolder,
                         int) override {
    x11::StartResult r = x11::startBatchFile(file, programFolder, settingsFolder);
    return AutomationStatus::failure(r.code, r.description);
  }
  void beginRun() override {}
  // Not available rather than not found: no later try can do better, and
  // the run must not blame the backup program's window.
  AutomationStatus activate(const std::string&, TitleMatch) override {
    return AutomationStatus::failure(failure_code::kNotAvailable, why_);
  }
  AutomationStatus send(const std::vector<KeyStroke>&, bool) override {
    return AutomationStatus::failure(failure_code::kNotAvailable, why_, true);
  }
  void setOwnWindow(std::uintptr_t) override {}

 private:
  std::string why_;
};

}  // namespace

// The package installs the program as <prefix>/bin/talvorstart and its
// desktop file as <prefix>/share/applications/<id>.desktop, whose Exec
// names the former; KWin reads the grant from there.
std::string kwinGrantAdvice(const std::string& own) {
  const std::string tail = "/bin/talvorstart";
  const bool installed = own.size() > tail.size() && own.compare(own.size() - tail.size(), tail.size(), tail) == 0;
  const std::string prefix = installed ? own.substr(0, own.size() - tail.size()) : "/usr";
  const std::string binary = prefix + tail;
  const std::string desktopFile = prefix + "/share/applications/" TALVOR_APP_ID ".desktop";
  std::string advice =
      "KWin grants them only to a program whose installed desktop file names its exact path in Exec "
      "and lists them in X-KDE-Wayland-Interfaces. Install the talvorstart package, whose desktop "
      "file " +
      desktopFile + " grants them to " + binary + ", and start Talvor Start as " + binary +
      " (no new login is needed).";
  if (!own.empty() && own != binary) advice += " This copy runs as " + own + ", which that file does not name.";
  return advice;
}

Decision decideBackend(const SessionFacts& f) {
  Decision d;
  if (f.waylandSession && f.waylandUsable) {
    d.backend = Backend::Wayland;
    return d;
  }
  if (f.waylandSession && f.kdeUsable) {
    d.backend = Backend::Kde;
    return d;
  }
  if (f.waylandSession && f.kwinWithoutGrant && f.kdeScriptsUsable) {
    d.backend = Backend::KdeScripts;
    d.note =
        "KWin keeps its window list and fake keyboard from this program, so Talvor Start uses KWin scripts "
        "and the remote desktop portal instead. To have it use KWin's own: " +
        kwinGrantAdvice(f.ownBinary);
    return d;
  }
  if (f.waylandSession && f.gnomeExtension) {
    d.backend = Backend::Gnome;
    return d;
  }
  const std::string desktop = (f.desktop.empty() ? std::string("this desktop") : f.desktop) + " on Wayland";
  const std::string lacks = desktop + " offers " + f.waylandLacking;
  std::string grant = f.kwinWithoutGrant ? " " + kwinGrantAdvice(f.ownBinary) : "";
  if (f.kwinWithoutGrant && !f.kdeScriptsLacking.empty())
    grant += " Nor could it use KWin scripts and the remote desktop portal instead: " + f.kdeScriptsLacking + ".";
  if (f.waylandSession && f.gnomeShell) {
    d.backend = f.x11Reachable ? Backend::X11 : Backend::Unreachable;
    d.problem = std::string(
                    "Talvor Start needs its GNOME Shell extension to bring other programs' windows to the "
                    "front and type into them on ") +
                desktop + ", and the extension is not running." +
                (f.x11Reachable ? " Until it is, only programs that run under Xwayland (X11) can be reached."
                                : " The backup program is started, but no job is chosen and no backup is started.") +
                " To have that done: install the talvorstart package (it brings the extension), run "
                "\"gnome-extensions enable " +
                kGnomeExtensionUuid + "\", then log out and log in again once.";
    return d;
  }
  if (f.x11Reachable) {
    d.backend = Backend::X11;
    if (f.waylandSession)
      d.note = lacks + ", so only programs that run under Xwayland (X11) can be brought to the front and typed into." +
               grant;
    return d;
  }
  d.backend = Backend::Unreachable;
  if (f.waylandSession && f.kwinWithoutGrant) {
    d.problem = "Talvor Start cannot bring other programs' windows to the front or type into them on " + desktop +
                ": KWin keeps its window list and its fake keyboard from it. The backup program is started, but no "
                "job is chosen and no backup is started." +
                grant;
  } else if (f.waylandSession) {
    d.problem = "Talvor Start cannot bring other programs' windows to the front or type into them on " + desktop +
                ": it offers " + f.waylandLacking +
                ", and there is no X11 display to use instead. The backup program is started, but no job is "
                "chosen and no backup is started. To have that done, log in to an X11 session, or use a "
                "compositor based on wlroots (such as sway, labwc or Wayfire).";
  } else {
    d.problem =
        "Talvor Start found no desktop to type into: neither DISPLAY (X11) nor WAYLAND_DISPLAY names "
        "one that it can reach. No keys are sent.";
  }
  return d;
}

AutomationChoice chooseAutomation() {
  SessionFacts f;
  f.waylandSession = !env("WAYLAND_DISPLAY").empty() || env("XDG_SESSION_TYPE") == "wayland";
  f.desktop = env("XDG_CURRENT_DESKTOP");
  std::unique_ptr<Automation> wayland;
  std::unique_ptr<Automation> kwin;
#if defined(TALVOR_HAVE_WAYLAND)
  if (f.waylandSession) {
    wayland::Choice c = wayland::connect();
    f.waylandUsable = c.automation != nullptr;
    f.waylandLacking = c.connected ? c.lacking : "no connection to its compositor";
    if (f.desktop.empty()) f.desktop = c.compositor;
    wayland = std::move(c.automation);
#if defined(TALVOR_HAVE_KDE)
    if (!wayland && c.connected) {
      kde::Choice k = kde::connect();
      f.kdeUsable = k.automation != nullptr;
      f.kwinWithoutGrant = k.kwin && !f.kdeUsable;
      if (k.kwin) f.waylandLacking = k.lacking;
      f.ownBinary = ownBinary();
      kwin = std::move(k.automation);
      if (f.kwinWithoutGrant) {
        kde::ScriptChoice s = kde::connectWithoutGrant();
        f.kdeScriptsUsable = s.automation != nullptr;
        f.kdeScriptsLacking = s.lacking;
        kwin = std::move(s.automation);
      }
    }
#endif
  }
#else
  f.waylandLacking = "nothing that this build of Talvor Start can use (it was built without Wayland support)";
#endif
  std::unique_ptr<Automation> gnome;
  if (f.waylandSession && !f.waylandUsable && !f.kdeUsable && !f.kdeScriptsUsable) {
    f.gnomeShell = f.desktop.find("GNOME") != std::string::npos;
#if defined(TALVOR_HAVE_GNOME)
    gnome::Choice c = gnome::connect();
    f.gnomeShell = f.gnomeShell || c.shellRunning;
    f.gnomeExtension = c.automation != nullptr;
    gnome = std::move(c.automation);
#endif
  }
  if (!f.waylandUsable && !f.gnomeExtension && !f.kdeScriptsUsable) f.x11Reachable = x11Reachable();

  AutomationChoice choice;
  choice.decision = decideBackend(f);
  switch (choice.decision.backend) {
    case Backend::Wayland:
      choice.automation = std::move(wayland);
      break;
    case Backend::Kde:
    case Backend::KdeScripts:
      choice.automation = std::move(kwin);
      break;
    case Backend::Gnome:
      choice.automation = std::move(gnome);
      break;
    case Backend::X11:
      choice.automation = createX11Automation();
      if (f.waylandSession) choice.automation = std::make_unique<XwaylandOnly>(std::move(choice.automation));
      break;
    case Backend::Unreachable:
      choice.automation = std::make_unique<UnreachableDesktop>(choice.decision.problem);
      break;
  }
  return choice;
}

std::unique_ptr<Automation> createAutomation() { return chooseAutomation().automation; }
