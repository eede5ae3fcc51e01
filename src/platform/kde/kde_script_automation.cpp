// The KDE Plasma back end without KWin's grant: KWin scripts list the
// windows, activate one and tell the active one; the RemoteDesktop portal
// types the keys, and a marker key that a KWin script takes as its
// shortcut tells when KWin has passed them on. This side chooses the window
// and who may get the keys.
#include "platform/kde/kde_script_automation.h"

#include <systemd/sd-bus.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <set>
#include <thread>

#include "platform/failure_codes.h"
#include "platform/gnome/gnome_keys.h"
#include "platform/kde/kwin_scripts.h"
#include "platform/kde/portal_keyboard.h"
#include "platform/receiver_rule.h"
#include "platform/wayland/own_app_id.h"
#include "platform/window_choice.h"
#include "platform/x11/batch_start.h"

namespace kde {
namespace {

using failure_code::kInvalidArgument;
// As on the native path: how long keys wait for a just-activated window to
// become active, how often they look, and the settle after it did.
constexpr auto kFocusWait = std::chrono::milliseconds(1000);
constexpr auto kFocusPoll = std::chrono::milliseconds(20);
constexpr auto kSettle = std::chrono::milliseconds(100);
// Each call to KWin or the portal; their own waits are shorter.
constexpr std::uint64_t kCallTimeoutUs = 3'000'000;

struct BusDeleter {
  void operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }
};
using BusPtr = std::unique_ptr<sd_bus, BusDeleter>;

class KdeScriptAutomation : public Automation {
 public:
  KdeScriptAutomation(BusPtr bus, std::unique_ptr<KwinScripts> scripts, std::unique_ptr<PortalKeyboard> keyboard)
      : bus_(std::move(bus)), scripts_(std::move(scripts)), keyboard_(std::move(keyboard)) {
    markExisting();
  }
  ~KdeScriptAutomation() override {
    keyboard_.reset();  // before the bus they use
    scripts_.reset();
  }

  AutomationStatus start(const std::string& file, const std::string& programFolder, const std::string& settingsFolder,
                         int) override {
    x11::StartResult r = x11::startBatchFile(file, programFolder, settingsFolder);
    return AutomationStatus::failure(r.code, r.description);
  }

  void beginRun() override {
    markExisting();
    target_ = 0;
    justActivated_ = false;
  }

  AutomationStatus activate(const std::string& title, TitleMatch match) override {
    std::vector<ScriptWindow> all;
    if (!scripts_->windows(all)) return kwinLost();
    const ScriptWindow* chosen = chooseWindow(all, title, match, isOwn, [&](const ScriptWindow& w) {
      return WindowCandidate{w.title, existing_.count(w.id) > 0, {w.desktopFileName, w.resourceClass}};
    });
    if (!chosen) return AutomationStatus::failure(kInvalidArgument, noWindowText(title, match));
    const ScriptWindow& w = *chosen;
    wasActive_ = w.active;
    if (!scripts_->activate(w.id)) return kwinLost();
    target_ = serialOf(w.id);
    justActivated_ = true;
    AutomationStatus done;
    done.window = w.title;
    return done;
  }

  AutomationStatus send(const std::vector<KeyStroke>& strokes, bool wait) override {
    std::vector<KeyEvent> keys;
    std::string reason;
    if (!gnome::planKeys(strokes, keys, reason)) return AutomationStatus::failure(kInvalidArgument, reason);
    if (justActivated_) {
      justActivated_ = false;
      bool active = false;
      if (!waitForTarget(active)) return kwinLost();
      if (active && !wasActive_) std::this_thread::sleep_for(kSettle);
    }
    // Loaded before the first keys, not at the start: a second start, which
    // only shows the running one, must not take the marker from it.
    if (wait && !markerStarted_ && !scripts_->startMarker())
      return stopKeys(KeyStop::ConnectionLost, "KWin's scripts could not watch for the keys (" + scripts_->error() +
                                                   "); the keys were not sent");
    markerStarted_ = markerStarted_ || wait;
    std::vector<ScriptWindow> all;
    if (!scripts_->windows(all)) return kwinLost();
    const AutomationStatus receiver = checkReceiver(all);
    if (!receiver.ok()) return receiver;
    if (!keyboard_->type(keys)) return portalLost();
    return wait ? confirmKeys() : AutomationStatus{};
  }

  void setOwnWindow(std::uintptr_t) override {}  // ours are told by their application id and process

 private:
  static bool isOwn(const ScriptWindow& w) {
    return wayland::isOwnAppId(w.desktopFileName) || wayland::isOwnAppId(w.resourceClass) ||
           (w.pid != 0 && w.pid == std::uint32_t(getpid()));
  }

  // KWin's ids are strings; the receiver rule counts windows by number.
  std::uint64_t serialOf(const std::string& id) {
    const auto found = serials_.emplace(id, serials_.size() + 1);
    return found.first->second;
  }

  void markExisting() {
    std::vector<ScriptWindow> all;
    existing_.clear();
    if (!scripts_->windows(all)) return;
    for (const ScriptWindow& w : all) existing_.insert(w.id);
  }

  // False only when KWin no longer answers; a window that does not become
  // active in time is left to the check of the receiver.
  bool waitForTarget(bool& active) {
    const auto until = std::chrono::steady_clock::now() + kFocusWait;
    for (;;) {
      std::vector<ScriptWindow> all;
      if (!scripts_->windows(all)) return false;
      for (const ScriptWindow& w : all)
        if (w.active && serialOf(w.id) == target_) active = true;
      if (active || std::chrono::steady_clock::now() >= until) return true;
      std::this_thread::sleep_for(kFocusPoll);
    }
  }

  bool isDialogOf(const ScriptWindow& w, const std::vector<ScriptWindow>& all, std::uint64_t target) {
    std::string parent = w.parent;
    for (size_t depth = 0; !parent.empty() && depth < all.size(); ++depth) {
      if (serialOf(parent) == target) return true;
      std::string next;
      for (const ScriptWindow& o : all)
        if (o.id == parent) next = o.parent;
      parent = next;
    }
    return false;
  }

  AutomationStatus checkReceiver(const std::vector<ScriptWindow>& all) {
    const ScriptWindow* a = nullptr;
    for (const ScriptWindow& w : all)
      if (w.active) a = &w;
    ActiveWindow w;
    if (a) w = {true, isOwn(*a), existing_.count(a->id) == 0, serialOf(a->id), a->title};
    return ::checkReceiver(w, target_, [&](std::uint64_t t) { return isDialogOf(*a, all, t); });
  }

  // With waiting: the marker typed after the keys comes back from KWin
  // only once KWin has passed every key before it to its window.
  AutomationStatus confirmKeys() {
    const std::uint64_t want = scripts_->markers() + 1;
    if (!keyboard_->type({{kMarkerKeysym, true}, {kMarkerKeysym, false}})) return portalLost();
    if (scripts_->waitForMarkers(want)) return {};
    return stopKeys(KeyStop::ConnectionLost,
                    "KWin did not confirm the keys (" + scripts_->error() + "); no more keys were sent");
  }

  AutomationStatus kwinLost() const {
    return stopKeys(KeyStop::ConnectionLost,
                    "KWin's scripts did not answer (" + scripts_->error() + "); the keys were not sent");
  }
  AutomationStatus portalLost() const {
    return stopKeys(KeyStop::ConnectionLost,
                    "The remote desktop portal stopped (" + keyboard_->error() + "); no more keys were sent");
  }

  BusPtr bus_;
  std::unique_ptr<KwinScripts> scripts_;
  std::unique_ptr<PortalKeyboard> keyboard_;
  std::map<std::string, std::uint64_t> serials_;
  std::set<std::string> existing_;
  std::uint64_t target_ = 0;
  bool justActivated_ = false;
  bool wasActive_ = false;
  bool markerStarted_ = false;
};

}  // namespace

ScriptChoice connectWithoutGrant() {
  ScriptChoice c;
  sd_bus* raw = nullptr;
  if (sd_bus_open_user(&raw) < 0) {
    c.lacking = "no session bus to reach KWin's scripts and the remote desktop portal";
    return c;
  }
  BusPtr bus(raw);
  sd_bus_set_method_call_timeout(raw, kCallTimeoutUs);
  auto scripts = std::make_unique<KwinScripts>(raw);
  std::vector<ScriptWindow> probe;
  if (!scripts->usable() || !scripts->windows(probe)) {
    c.lacking = "KWin's scripts did not answer (" + scripts->error() + ")";
    return c;
  }
  auto keyboard = std::make_unique<PortalKeyboard>(raw);
  if (!keyboard->open()) {
    c.lacking = "the remote desktop portal gave no keyboard (" + keyboard->error() +
                "); on KDE Plasma it comes with the packages xdg-desktop-portal and xdg-desktop-portal-kde";
    return c;
  }
  c.automation = std::make_unique<KdeScriptAutomation>(std::move(bus), std::move(scripts), std::move(keyboard));
  return c;
}

}  // namespace kde
