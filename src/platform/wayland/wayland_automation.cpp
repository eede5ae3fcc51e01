// The Wayland back end: windows found and activated through the
// compositor's toplevel list, keys typed through a virtual keyboard.
#include "platform/wayland/wayland_automation.h"

#include <chrono>

#include "platform/failure_codes.h"
#include "platform/receiver_rule.h"
#include "platform/wayland/own_app_id.h"
#include "platform/wayland/wayland_connection.h"
#include "platform/wayland/wayland_keyboard.h"
#include "platform/wayland/wayland_keymap.h"
#include "platform/wayland/wayland_toplevels.h"
#include "platform/x11/batch_start.h"

namespace wayland {
namespace {

using failure_code::kInvalidArgument;
// How long keys wait for a just-activated window to get the focus.
constexpr auto kFocusWait = std::chrono::milliseconds(1000);
// A toolkit takes the activation for its own only after a round trip of its
// own once the compositor has told it (Qt does): keys sent sooner reach the
// window but its shortcuts miss them. Only a window that was not active
// already needs this.
constexpr auto kActivationSettle = std::chrono::milliseconds(100);

class WaylandAutomation : public Automation {
 public:
  explicit WaylandAutomation(std::unique_ptr<Connection> connection)
      : conn_(std::move(connection)),
        toplevels_(conn_->toplevelManager()),
        keyboard_(std::make_unique<VirtualKeyboard>(conn_->keyboardManager(), conn_->seat())) {
    // The keyboard is made at once: on a seat that had none, programs ask
    // for keys only once they learn of it, and keys sent before are lost.
    std::string ignored;
    bool uploaded = false;
    keyboard_->useKeymap(keymap_, &uploaded, ignored);
    // Until a run begins, the windows there at start-up count as old.
    conn_->roundtrip();
    toplevels_.markExisting();
  }

  AutomationStatus start(const std::string& file, const std::string& programFolder, const std::string& settingsFolder,
                         int) override {
    x11::StartResult r = x11::startBatchFile(file, programFolder, settingsFolder);
    return AutomationStatus::failure(r.code, r.description);
  }

  void beginRun() override {
    conn_->roundtrip();
    toplevels_.markExisting();
    target_ = 0;
  }

  AutomationStatus activate(const std::string& title, TitleMatch match) override {
    if (!conn_->roundtrip()) return lost();
    const Toplevel* t = toplevels_.find(title, match, isOwn);
    if (!t) return AutomationStatus::failure(kInvalidArgument, noWindowText(title, match));
    wasActive_ = t->activated;
    toplevels_.activate(*t, conn_->seat());
    target_ = t->serial;
    justActivated_ = true;
    AutomationStatus done;
    done.window = t->title;
    return conn_->roundtrip() ? done : lost();
  }

  AutomationStatus send(const std::vector<KeyStroke>& strokes, bool wait) override {
    if (!conn_->alive()) return lost();
    std::vector<KeyAction> actions;
    std::string reason;
    Keymap trial = keymap_;
    if (!trial.plan(strokes, actions, reason)) return AutomationStatus::failure(kInvalidArgument, reason);

    // The window we activated may take a moment to get the focus.
    if (justActivated_) {
      justActivated_ = false;
      if (conn_->waitFor([this] { return isTargetActive(); }, kFocusWait) && !wasActive_)
        conn_->waitFor([] { return false; }, kActivationSettle);
    }
    if (!conn_->roundtrip()) return lost();
    const AutomationStatus receiver = checkReceiver();
    if (!receiver.ok()) return receiver;

    keymap_ = trial;
    bool uploaded = false;
    if (!keyboard_->useKeymap(keymap_, &uploaded, reason)) return AutomationStatus::failure(kInvalidArgument, reason);
    // A new keymap is in place before the keys that need it; the focus may
    // have moved meanwhile.
    if (uploaded) {
      if (!conn_->roundtrip()) return lost();
      const AutomationStatus still = checkReceiver();
      if (!still.ok()) return still;
    }
    keyboard_->type(actions);
    // With waiting: once the compositor answers, it has handled the keys and
    // passed them on to the focused window's connection, in order.
    if (wait ? !conn_->roundtrip() : !conn_->flush()) return lost();
    return {};
  }

  void setOwnWindow(std::uintptr_t) override {}  // ours are told by their application id

  // False when the compositor refused the virtual keyboard (it closes the
  // connection then).
  bool usable() const { return conn_->alive(); }

 private:
  static bool isOwn(const Toplevel& t) { return isOwnAppId(t.appId); }

  bool isTargetActive() const {
    const Toplevel* a = toplevels_.activated();
    return a && a->serial == target_;
  }

  AutomationStatus checkReceiver() {
    const Toplevel* a = toplevels_.activated();
    ActiveWindow w;
    if (a) w = {true, isOwn(*a), toplevels_.isNew(*a), a->serial, a->title};
    return ::checkReceiver(w, target_, [&](std::uint64_t t) { return toplevels_.isDialogOf(*a, t); });
  }

  static AutomationStatus lost() {
    return stopKeys(KeyStop::ConnectionLost,
                    "The connection to the Wayland compositor was lost; the keys were not sent");
  }

  std::unique_ptr<Connection> conn_;
  Toplevels toplevels_;
  Keymap keymap_;
  std::unique_ptr<VirtualKeyboard> keyboard_;
  std::uint64_t target_ = 0;
  bool justActivated_ = false;
  bool wasActive_ = false;  // the target had the focus before we activated it
};

}  // namespace

Choice connect() {
  Choice c;
  auto conn = std::make_unique<Connection>();
  c.connected = conn->connected() && conn->alive();
  if (!c.connected) return c;
  c.compositor = conn->compositorName();
  const bool toplevels = conn->toplevelManager() != nullptr;
  const bool keyboard = conn->keyboardManager() != nullptr;
  if (!conn->seat()) {
    c.lacking = "no seat, so no keyboard to type with";
  } else if (!toplevels && !keyboard) {
    c.lacking =
        "neither a list of other programs' windows that can activate one (wlr foreign toplevel management) nor a "
        "virtual keyboard (virtual keyboard protocol)";
  } else if (!toplevels) {
    c.lacking = "no list of other programs' windows that can activate one (wlr foreign toplevel management)";
  } else if (!keyboard) {
    c.lacking = "no virtual keyboard (virtual keyboard protocol)";
  }
  if (!c.lacking.empty()) return c;
  auto automation = std::make_unique<WaylandAutomation>(std::move(conn));
  if (automation->usable()) {
    c.automation = std::move(automation);
  } else {
    c.lacking = "its virtual keyboard, but refused it to this program";
  }
  return c;
}

}  // namespace wayland
