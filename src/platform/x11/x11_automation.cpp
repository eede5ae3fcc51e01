// The X11 back end: batch file, window activation and keys on an X
// connection of its own. No Qt header here: Xlib's macros clash with them.
#include "platform/x11/x11_automation.h"

#include <X11/extensions/XTest.h>

#include <chrono>
#include <set>

#include "platform/automation.h"
#include "platform/failure_codes.h"
#include "platform/x11/batch_start.h"
#include "platform/x11/focus_rule.h"
#include "platform/x11/x11_clients.h"
#include "platform/x11/x11_held_keys.h"
#include "platform/x11/x11_keys.h"
#include "platform/x11/x11_session.h"
#include "platform/x11/x11_settle.h"
#include "platform/x11/x11_windows.h"

namespace {

using failure_code::kInvalidArgument;
using failure_code::kNotAvailable;
// How long keys wait for a just-activated window to get the focus before
// the focus guard looks at who has it.
constexpr auto kFocusWait = std::chrono::milliseconds(1000);
// How long the keys wait after the focus moved to the activated window.
constexpr auto kActivationSettle = std::chrono::milliseconds(100);
// How long keys wait for the user to let go of a key: Shift, Ctrl, Alt and
// Super only before the first keys of a run, any other before every string.
constexpr auto kHeldKeyWait = std::chrono::milliseconds(2000);
// A keymap change or a key pressed between planning and sending: plan again.
constexpr int kSendAttempts = 3;

std::string quoted(const std::string& title) {
  return title.empty() ? "a window without a title" : "the window \"" + title + "\"";
}

AutomationStatus failure(int code, const std::string& description, bool ownWindow = false) {
  AutomationStatus s;
  s.code = code;
  s.description = description;
  s.ownWindow = ownWindow;
  return s;
}

AutomationStatus stopRun(KeyStop why, const std::string& description) {
  AutomationStatus s = failure(kInvalidArgument, description);
  s.stop = why;
  return s;
}

// Holds every other client's requests while the focus is checked and the
// keys are queued, so that no window can take the focus in between.
class ServerGrab {
 public:
  explicit ServerGrab(Display* dpy) : dpy_(dpy) { XGrabServer(dpy_); }
  ~ServerGrab() {
    XUngrabServer(dpy_);
    XSync(dpy_, False);
  }

 private:
  Display* dpy_;
};

class X11Automation : public Automation {
 public:
  X11Automation() : dpy_(XOpenDisplay(nullptr)) {
    if (!dpy_) return;
    x11::installErrorHandler();
    int event = 0, error = 0, major = 0, minor = 0;
    xtest_ = XTestQueryExtension(dpy_, &event, &error, &major, &minor);
    windows_ = std::make_unique<x11::Windows>(dpy_);
    clients_ = std::make_unique<x11::Clients>(dpy_);
    keyboard_ = std::make_unique<x11::Keyboard>(dpy_);
    settle_ = std::make_unique<x11::Settle>(dpy_, *clients_);
    heldKeys_ = std::make_unique<x11::HeldKeys>(dpy_);
  }
  ~X11Automation() override {
    keyboard_.reset();
    if (dpy_) XCloseDisplay(dpy_);
  }

  void beginRun() override {
    if (!dpy_) return;
    runBegun_ = true;
    before_ = clients_->onScreen();
    beforeWindows_.clear();
    for (const x11::ClientWindow& c : windows_->clients()) beforeWindows_.insert(c.id);
    target_ = 0;
    missingTitle_.clear();
    modifiersWaited_ = false;
    keysSent_ = false;
  }

  AutomationStatus start(const std::string& file, const std::string& programFolder, const std::string& settingsFolder,
                         int) override {
    x11::StartResult r = x11::startBatchFile(file, programFolder, settingsFolder);
    return failure(r.code, r.description);
  }

  AutomationStatus activate(const std::string& title, TitleMatch match) override {
    if (!dpy_) return noDisplay();
    const Window w = windows_->find(title, match, own_, beforeWindows_);
    if (!w) {
      missingTitle_ = title;
      return failure(kInvalidArgument, noWindowText(title, match));
    }
    // A key held now would repeat into the window once it has the focus.
    const auto heldUntil = std::chrono::steady_clock::now() + kHeldKeyWait;
    if (const KeyCode held = heldKeys_->waitForRelease(heldUntil, false)) return keyHeld(held);
    std::string reason;
    // Asked before the request: without a window manager the focus moves
    // at once.
    focusMoves_ = windows_->focusedClient() != w;
    if (!windows_->activate(w, reason)) return failure(kInvalidArgument, reason);
    pendingFocus_ = w;
    target_ = w;
    AutomationStatus done;
    done.window = windows_->title(w);
    return done;
  }

  AutomationStatus send(const std::vector<KeyStroke>& strokes, bool wait) override {
    if (!dpy_) return noDisplay();
    if (!xtest_) return failure(kNotAvailable, "The X server does not offer the XTest extension");
    waitForPendingFocus();
    const auto heldUntil = std::chrono::steady_clock::now() + kHeldKeyWait;
    for (int attempt = 1;; ++attempt) {
      const KeyCode held = heldKeys_->waitForRelease(heldUntil, !modifiersWaited_);
      if (held) return keyHeld(held);
      modifiersWaited_ = true;
      AutomationStatus guard = checkReceiver();
      if (!guard.ok()) return guard;

      std::vector<x11::Keyboard::Press> presses;
      std::string reason;
      if (!keyboard_->plan(strokes, presses, reason)) return failure(kInvalidArgument, reason);
      settle_->watch(target_);
      // A target reads a key by the keymap it knows: it must have taken the
      // new mapping of a spare keycode before the key comes.
      if (keyboard_->keymapChanged() && !settle_->wait(target_, reason)) {
        keyboard_->giveBack();
        return stopRun(KeyStop::NotAnswering, reason);
      }
      {
        ServerGrab grab(dpy_);
        guard = checkReceiver();
        if (!guard.ok()) {
          keyboard_->giveBack();
          return guard;
        }
        // Nobody can change the keymap or press a key while the server is
        // held: what is checked here holds for the keys queued below.
        const bool keymapSame = keyboard_->stillTypes(strokes, presses);
        const KeyCode pressed = heldKeys_->otherKeyDown();
        if (!keymapSame || pressed) {
          keyboard_->giveBack();
          if (attempt < kSendAttempts) continue;
          if (pressed) return keyHeld(pressed);
          return stopRun(KeyStop::KeyHeld, "The keyboard layout kept changing while the keys were typed, so " +
                                               std::string(keysSent_ ? "no more" : "no") +
                                               " keys were sent and no job was started.");
        }
        heldKeys_->releaseForSequence();
        keyboard_->send(presses);
        heldKeys_->restore();
        XSync(dpy_, False);
        keysSent_ = true;
      }
      const bool settled = !wait || settle_->wait(target_, reason);
      keyboard_->giveBack();
      if (!settled) return stopRun(KeyStop::NotAnswering, reason);
      return {};
    }
  }

  void setOwnWindow(std::uintptr_t nativeId) override { own_ = Window(nativeId); }

  bool raiseWindowOf(long pid) override {
    if (!dpy_ || pid <= 0) return false;
    std::string reason;
    for (const x11::ClientWindow& c : windows_->clients())
      if (windows_->pid(c.id) == pid) return windows_->activate(c.id, reason);
    return false;
  }

 private:
  static AutomationStatus noDisplay() { return failure(kNotAvailable, "The X display could not be opened"); }

  // The keys may go only to the backup program: the activated window, its
  // dialogs and its pop-ups. Without an activated window, only to a window
  // that appeared after the batch file was started.
  AutomationStatus checkReceiver() {
    const Window client = windows_->focusedClient();
    if (!client || windows_->isOurs(client, own_))
      return failure(kInvalidArgument, "No other window has the keyboard focus; the keys were not sent", true);
    if (!target_) {
      if (runBegun_ && before_.count(clients_->clientOf(client))) return olderWindowInFront(client);
      target_ = client;  // the backup program, titled otherwise than configured
    }
    x11::FocusedWindow focused;
    focused.id = client;
    focused.overrideRedirect = windows_->overrideRedirect(client);
    focused.sameClient = clients_->sameClient(client, target_);
    for (Window w : windows_->transientChain(client)) focused.transientFor.push_back(w);
    if (x11::mayReceiveKeys(x11::classifyReceiver(target_, focused))) return {};
    return stopRun(KeyStop::FocusLost,
                   "The backup program lost the keyboard focus to " + quoted(windows_->title(client)) + ", so " +
                       (keysSent_ ? "no more" : "no") +
                       " keys were sent and no job was started. Close that window, or keep it from taking the "
                       "focus, and start Talvor Start again.");
  }

  AutomationStatus keyHeld(KeyCode key) {
    return stopRun(KeyStop::KeyHeld, "The key " + heldKeys_->name(key) + " was held down for " +
                                         std::to_string(kHeldKeyWait.count() / 1000) + " seconds, so " +
                                         (keysSent_ ? "no more" : "no") +
                                         " keys were sent and no job was started; let go of it, or free it if it "
                                         "is stuck, and start Talvor Start again.");
  }

  AutomationStatus olderWindowInFront(Window focused) {
    std::string appeared;
    for (const x11::ClientWindow& c : windows_->clients()) {
      if (before_.count(clients_->clientOf(c.id)) || windows_->isOurs(c.id, own_)) continue;
      appeared += (appeared.empty() ? "\"" : ", \"") + c.title + "\"";
    }
    return stopRun(KeyStop::OnlyOlderWindows,
                   "No window has the title \"" + missingTitle_ + "\", and the keys were not sent to " +
                       quoted(windows_->title(focused)) + ", which was open before the backup program was started. " +
                       (appeared.empty() ? std::string("No window appeared since then.")
                                         : "Windows that appeared since then: " + appeared + ".") +
                       " Set the backup program's window title in Talvor Start.");
  }

  void waitForPendingFocus() {
    if (!pendingFocus_) return;
    // Its focus changes, and the window manager's note of the active
    // window, wake the wait.
    settle_->watch(pendingFocus_);
    const auto until = std::chrono::steady_clock::now() + kFocusWait;
    while (windows_->focusedClient() != pendingFocus_ && x11::awaitEvents(dpy_, until)) {
    }
    // Some programs drop a key that comes right after their window got the
    // focus (one KDE program took none at once, every one after 20 ms).
    const auto settled = std::chrono::steady_clock::now() + kActivationSettle;
    if (focusMoves_)
      while (x11::awaitEvents(dpy_, settled)) {
      }
    pendingFocus_ = 0;
  }

  Display* dpy_;
  bool xtest_ = false;
  std::unique_ptr<x11::Windows> windows_;
  std::unique_ptr<x11::Clients> clients_;
  std::unique_ptr<x11::Keyboard> keyboard_;
  std::unique_ptr<x11::Settle> settle_;
  std::unique_ptr<x11::HeldKeys> heldKeys_;
  Window own_ = 0;
  Window pendingFocus_ = 0;
  bool focusMoves_ = false;  // the activated window did not have the focus
  Window target_ = 0;  // the backup program's window once known
  bool runBegun_ = false;
  std::set<unsigned long> before_;  // clients with windows when the run began
  std::set<Window> beforeWindows_;  // client windows when the run began
  std::string missingTitle_;
  bool modifiersWaited_ = false;
  bool keysSent_ = false;
};

}  // namespace

std::unique_ptr<Automation> createX11Automation() { return std::make_unique<X11Automation>(); }
