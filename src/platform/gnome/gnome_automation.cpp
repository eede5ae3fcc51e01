// The GNOME Shell back end: windows listed and activated, and keys typed, by
// the extension in the shell; this side decides which window may get them.
#include "platform/gnome/gnome_automation.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <set>
#include <thread>

#include "platform/failure_codes.h"
#include "platform/gnome/gnome_dialogs.h"
#include "platform/gnome/gnome_keys.h"
#include "platform/gnome/gnome_shell_bus.h"
#include "platform/receiver_rule.h"
#include "platform/wayland/own_app_id.h"
#include "platform/window_choice.h"
#include "platform/x11/batch_start.h"

namespace gnome {
namespace {

using failure_code::kInvalidArgument;
// The pause after a window got the focus: a window that has just been given
// the focus may not yet take keys. The extension itself waits for the focus.
constexpr auto kSettle = std::chrono::milliseconds(100);

class GnomeAutomation : public Automation {
 public:
  explicit GnomeAutomation(std::unique_ptr<ShellBus> bus) : bus_(std::move(bus)) { markExisting(); }

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
    std::vector<ShellWindow> all;
    if (!bus_->windows(all)) return lost();
    std::sort(all.begin(), all.end(),
              [](const ShellWindow& a, const ShellWindow& b) { return a.sequence < b.sequence; });
    const ShellWindow* chosen = chooseWindow(all, title, match, isOwn, [&](const ShellWindow& w) {
      return WindowCandidate{w.title, existing_.count(w.id) > 0, {w.wmClass}};
    });
    if (!chosen) return AutomationStatus::failure(kInvalidArgument, noWindowText(title, match));
    const ShellWindow& w = *chosen;
    bool focused = false;
    if (!bus_->activate(w.id, focused)) return lost();
    target_ = w.id;
    justActivated_ = true;
    wasFocused_ = w.focused;
    AutomationStatus done;
    done.window = w.title;
    return done;
  }

  AutomationStatus send(const std::vector<KeyStroke>& strokes, bool) override {
    std::vector<KeyEvent> keys;
    std::string reason;
    if (!planKeys(strokes, keys, reason)) return AutomationStatus::failure(kInvalidArgument, reason);
    if (justActivated_) {
      justActivated_ = false;
      if (!wasFocused_) std::this_thread::sleep_for(kSettle);
    }
    // The shell types a key at a time while the window it is given has the
    // focus, and says how many it passed on; when the focus moved, the rest
    // goes on only to a dialog of the target.
    size_t done = 0;
    ShellWindow receiver;
    // Each round passes a key on or finds the focus moved; bounded all the same.
    for (size_t round = 0; done < keys.size(); ++round) {
      AutomationStatus s = checkReceiver(receiver);
      if (!s.ok()) return s;
      if (round > keys.size()) return notConfirmed(receiver);
      const std::vector<KeyEvent> rest(keys.begin() + long(done), keys.end());
      size_t delivered = 0;
      if (!bus_->type(receiver.id, rest, delivered)) return lost();
      done += delivered;
      if (done < keys.size() && !focusMoved(receiver.id)) return notConfirmed(receiver);
    }
    return {};
  }

  void setOwnWindow(std::uintptr_t) override {}  // ours are told by application id and process

 private:
  static bool isOwn(const ShellWindow& w) { return w.pid == getpid() || wayland::isOwnAppId(w.wmClass); }

  void markExisting() {
    std::vector<ShellWindow> all;
    existing_.clear();
    if (!bus_->windows(all)) return;
    for (const ShellWindow& w : all) existing_.insert(w.id);
  }

  // Whether another window than the one given has the focus now (also when
  // the shell does not answer: the next check says so).
  bool focusMoved(std::uint64_t from) {
    std::uint64_t id = 0;
    return !bus_->activeWindow(id) || id != from;
  }

  // Keys go only to the window that has the focus, and only when that is
  // the one we activated or a dialog of it; without an activated window, to
  // one that appeared after the run began, which from then on is the only
  // one. Never to ours.
  AutomationStatus checkReceiver(ShellWindow& out) {
    std::vector<ShellWindow> all;
    if (!bus_->windows(all)) return lost();
    const auto a = std::find_if(all.begin(), all.end(), [](const ShellWindow& w) { return w.focused; });
    ActiveWindow w;
    if (a != all.end()) {
      out = *a;
      w = {true, isOwn(*a), existing_.count(a->id) == 0, a->id, a->title};
    }
    return ::checkReceiver(w, target_, [&](std::uint64_t t) { return isDialogOf(*a, all, t); });
  }

  static AutomationStatus notConfirmed(const ShellWindow& receiver) {
    return stopKeys(KeyStop::NotAnswering,
                    "GNOME Shell did not confirm that the keys reached the window \"" + receiver.title +
                        "\" (the overview or a dialog of the shell may have been open), so no more keys were sent");
  }

  AutomationStatus lost() const {
    return stopKeys(KeyStop::ConnectionLost, "GNOME Shell's extension for Talvor Start did not answer (" +
                                                 bus_->error() + "); the keys were not sent");
  }

  std::unique_ptr<ShellBus> bus_;
  std::set<std::uint64_t> existing_;
  std::uint64_t target_ = 0;
  bool justActivated_ = false;
  bool wasFocused_ = false;
};

}  // namespace

Choice connect() {
  Choice c;
  auto bus = std::make_unique<ShellBus>();
  if (!bus->connected()) return c;
  c.shellRunning = bus->hasOwner("org.gnome.Shell");
  std::vector<ShellWindow> probe;
  if (bus->hasOwner(kExtensionBusName) && bus->windows(probe))
    c.automation = std::make_unique<GnomeAutomation>(std::move(bus));
  return c;
}

}  // namespace gnome
