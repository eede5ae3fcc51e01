#include "platform/automation_choice.h"

#include "platform/failure_codes.h"
#include "platform/x11/batch_start.h"
#include "platform/x11/x11_automation.h"
#include "platform/xwayland_only.h"
#if defined(TALVOR_HAVE_WAYLAND)
#include "platform/wayland/wayland_automation.h"
#endif
#if defined(TALVOR_HAVE_GNOME)
#include "platform/gnome/gnome_automation.h"
#endif

#include <X11/Xlib.h>

#include <cstdlib>

namespace {

constexpr const char* kGnomeExtensionUuid = "talvorstart@example.talvorstart";

std::string env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
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
  AutomationStatus activate(const std::string&) override {
    return AutomationStatus::failure(failure_code::kInvalidArgument, why_);
  }
  AutomationStatus send(const std::vector<KeyStroke>&, bool) override {
    return AutomationStatus::failure(failure_code::kInvalidArgument, why_, true);
  }
  void setOwnWindow(std::uintptr_t) override {}

 private:
  std::string why_;
};

}  // namespace

Decision decideBackend(const SessionFacts& f) {
  Decision d;
  if (f.waylandSession && f.waylandUsable) {
    d.backend = Backend::Wayland;
    return d;
  }
  if (f.waylandSession && f.gnomeExtension) {
    d.backend = Backend::Gnome;
    return d;
  }
  const std::string desktop = (f.desktop.empty() ? std::string("this desktop") : f.desktop) + " on Wayland";
  const std::string lacks = desktop + " offers " + f.waylandLacking;
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
      d.note = lacks + ", so only programs that run under Xwayland (X11) can be brought to the front and typed into.";
    return d;
  }
  d.backend = Backend::Unreachable;
  if (f.waylandSession) {
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
#if defined(TALVOR_HAVE_WAYLAND)
  if (f.waylandSession) {
    wayland::Choice c = wayland::connect();
    f.waylandUsable = c.automation != nullptr;
    f.waylandLacking = c.connected ? c.lacking : "no connection to its compositor";
    if (f.desktop.empty()) f.desktop = c.compositor;
    wayland = std::move(c.automation);
  }
#else
  f.waylandLacking = "nothing that this build of Talvor Start can use (it was built without Wayland support)";
#endif
  std::unique_ptr<Automation> gnome;
  if (f.waylandSession && !f.waylandUsable) {
    f.gnomeShell = f.desktop.find("GNOME") != std::string::npos;
#if defined(TALVOR_HAVE_GNOME)
    gnome::Choice c = gnome::connect();
    f.gnomeShell = f.gnomeShell || c.shellRunning;
    f.gnomeExtension = c.automation != nullptr;
    gnome = std::move(c.automation);
#endif
  }
  if (!f.waylandUsable && !f.gnomeExtension) f.x11Reachable = x11Reachable();

  AutomationChoice choice;
  choice.decision = decideBackend(f);
  switch (choice.decision.backend) {
    case Backend::Wayland:
      choice.automation = std::move(wayland);
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
