// The KDE Plasma back end: windows found and activated through Plasma
// window management, keys typed through KWin's fake input with the keys of
// the user's own layout.
#include "platform/kde/kde_automation.h"

#include <unistd.h>
#include <wayland-client.h>

#include <chrono>

#include "fake-input-client-protocol.h"
#include "platform/failure_codes.h"
#include "platform/kde/kde_connection.h"
#include "platform/kde/layout_keys.h"
#include "platform/kde/plasma_windows.h"
#include "platform/receiver_rule.h"
#include "platform/wayland/own_app_id.h"
#include "platform/x11/batch_start.h"

namespace kde {
namespace {

using failure_code::kInvalidArgument;
// How long keys wait for a just-activated window to get the focus, and
// for the keyboard map.
constexpr auto kFocusWait = std::chrono::milliseconds(1000);
// Qt activates its window only after a round trip of its own once KWin
// has made it active; keys sent before that were seen to go missing.
constexpr auto kSettle = std::chrono::milliseconds(100);

class KdeAutomation : public Automation {
 public:
  explicit KdeAutomation(std::unique_ptr<Connection> connection)
      : conn_(std::move(connection)), windows_(conn_->windowManagement(), conn_->windowManagementVersion()) {
    // The fake keyboard is made at once: on a seat that had none, programs
    // ask for keys only once they learn of it.
    org_kde_kwin_fake_input_authenticate(conn_->fakeInput(), "Talvor Start",
                                         "Types the keys that choose and start a backup job");
    conn_->roundtrip();
    conn_->roundtrip();  // the seat's keyboard, then its keymap
    windows_.markExisting();
  }

  AutomationStatus start(const std::string& file, const std::string& programFolder, const std::string& settingsFolder,
                         int) override {
    x11::StartResult r = x11::startBatchFile(file, programFolder, settingsFolder);
    return AutomationStatus::failure(r.code, r.description);
  }

  void beginRun() override {
    conn_->roundtrip();
    windows_.markExisting();
    target_ = 0;
  }

  AutomationStatus activate(const std::string& title, TitleMatch match) override {
    if (!conn_->roundtrip()) return lost();
    const PlasmaWindow* w = windows_.find(title, match, isOwn);
    if (!w) return AutomationStatus::failure(kInvalidArgument, noWindowText(title, match));
    wasActive_ = w->active;
    windows_.activate(*w);
    target_ = w->serial;
    justActivated_ = true;
    AutomationStatus done;
    done.window = w->title;
    return conn_->roundtrip() ? done : lost();
  }

  AutomationStatus send(const std::vector<KeyStroke>& strokes, bool wait) override {
    if (!conn_->alive()) return lost();
    std::string reason;
    if (!loadKeymap(reason)) return AutomationStatus::failure(kInvalidArgument, reason);
    std::vector<EvdevKey> keys;
    if (!layout_.plan(strokes, keys, reason)) return AutomationStatus::failure(kInvalidArgument, reason);

    if (justActivated_) {
      justActivated_ = false;
      const bool active = conn_->waitFor([this] { return isTargetActive(); }, kFocusWait);
      if (active && !wasActive_) conn_->waitFor([] { return false; }, kSettle);
    }
    // A window that KWin announces in the first answer tells its state only
    // in answer to our request for it: without the second, keys reached a
    // window that took the focus halfway in 10 of 30 runs, with it in 3.
    if (!conn_->roundtrip() || !conn_->roundtrip()) return lost();
    const AutomationStatus receiver = checkReceiver();
    if (!receiver.ok()) return receiver;

    for (const EvdevKey& k : keys)
      org_kde_kwin_fake_input_keyboard_key(conn_->fakeInput(), k.code,
                                           k.down ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
    // With waiting: once KWin answers, it has handled the keys and passed
    // them on to the focused window's connection, in order.
    if (wait ? !conn_->roundtrip() : !conn_->flush()) return lost();
    return {};
  }

  void setOwnWindow(std::uintptr_t) override {}  // ours are told by their application id and process

  bool usable() const { return conn_->alive(); }

 private:
  static bool isOwn(const PlasmaWindow& w) {
    return wayland::isOwnAppId(w.appId) || (w.pid != 0 && w.pid == std::uint32_t(getpid()));
  }

  // The layout the keys are looked up in is the one KWin sent last.
  bool loadKeymap(std::string& reason) {
    if (conn_->keymap().empty()) conn_->waitFor([this] { return !conn_->keymap().empty(); }, kFocusWait);
    if (conn_->keymap().empty()) {
      reason = "KWin has not told its keyboard map; the keys were not sent";
      return false;
    }
    if (keymapSerial_ == conn_->keymapSerial() && layout_.loaded()) return true;
    keymapSerial_ = conn_->keymapSerial();
    return layout_.load(conn_->keymap(), reason);
  }

  bool isTargetActive() const {
    const PlasmaWindow* a = windows_.active();
    return a && a->serial == target_;
  }

  AutomationStatus checkReceiver() {
    const PlasmaWindow* a = windows_.active();
    ActiveWindow w;
    if (a) w = {true, isOwn(*a), windows_.isNew(*a), a->serial, a->title};
    return ::checkReceiver(w, target_, [&](std::uint64_t t) { return windows_.isDialogOf(*a, t); });
  }

  static AutomationStatus lost() {
    return stopKeys(KeyStop::ConnectionLost, "The connection to KWin was lost; the keys were not sent");
  }

  std::unique_ptr<Connection> conn_;
  PlasmaWindows windows_;
  LayoutKeys layout_;
  std::uint64_t keymapSerial_ = 0;
  std::uint64_t target_ = 0;
  bool justActivated_ = false;
  bool wasActive_ = false;
};

}  // namespace

Choice connect() {
  Choice c;
  auto conn = std::make_unique<Connection>();
  if (!conn->connected() || !conn->alive()) return c;
  c.kwin = conn->isKwin();
  const bool windows = conn->windowManagement() != nullptr;
  const bool keys = conn->fakeInput() != nullptr && conn->fakeInputVersion() >= 4;
  if (!conn->seat()) {
    c.lacking = "no seat, so no keyboard to type with";
  } else if (!windows || !keys) {
    c.lacking =
        "its window list (Plasma window management) and fake keyboard (fake input) only to programs that "
        "an installed desktop file names, and not to this one";
  }
  if (!c.lacking.empty()) return c;
  auto automation = std::make_unique<KdeAutomation>(std::move(conn));
  if (automation->usable()) {
    c.automation = std::move(automation);
  } else {
    c.lacking = "its fake keyboard, but refused it to this program";
  }
  return c;
}

}  // namespace kde
