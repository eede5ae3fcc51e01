// The X11 back end: batch file, window activation and keys on an X
// connection of its own. No Qt header here: Xlib's macros clash with them.
#include "platform/automation.h"
#include "platform/failure_codes.h"
#include "platform/x11/batch_start.h"
#include "platform/x11/x11_keys.h"
#include "platform/x11/x11_session.h"
#include "platform/x11/x11_windows.h"
#include "platform/x11/x11_automation.h"

#include <X11/extensions/XTest.h>

#include <chrono>
#include <thread>

namespace {

using failure_code::kInvalidArgument;
using failure_code::kNotAvailable;
// How long keys wait for a just-activated window to get the focus before
// they go to whichever window has it.
constexpr auto kFocusWait = std::chrono::milliseconds(1000);
constexpr auto kFocusPoll = std::chrono::milliseconds(2);

class X11Automation : public Automation {
 public:
  X11Automation() : dpy_(XOpenDisplay(nullptr)) {
    if (!dpy_) return;
    x11::installErrorHandler();
    int event = 0, error = 0, major = 0, minor = 0;
    xtest_ = XTestQueryExtension(dpy_, &event, &error, &major, &minor);
    windows_ = std::make_unique<x11::Windows>(dpy_);
    keyboard_ = std::make_unique<x11::Keyboard>(dpy_);
  }
  ~X11Automation() override {
    keyboard_.reset();
    windows_.reset();
    if (dpy_) XCloseDisplay(dpy_);
  }

  AutomationStatus start(const std::string& file, const std::string& programFolder,
                         const std::string& settingsFolder, int) override {
    x11::StartResult r = x11::startBatchFile(file, programFolder, settingsFolder);
    return {r.code, r.description, false};
  }

  AutomationStatus activate(const std::string& title) override {
    if (!dpy_) return noDisplay();
    const Window w = windows_->find(title, own_);
    if (!w) return {kInvalidArgument, "No window has the title \"" + title + "\"", false};
    std::string reason;
    if (!windows_->activate(w, reason)) return {kInvalidArgument, reason, false};
    pendingFocus_ = w;
    return {};
  }

  AutomationStatus send(const std::vector<KeyStroke>& strokes, bool) override {
    if (!dpy_) return noDisplay();
    if (!xtest_) return {kNotAvailable, "The X server does not offer the XTest extension", false};
    waitForPendingFocus();
    const Window target = windows_->focusedClient();
    if (!target || windows_->isOurs(target, own_))
      return {kInvalidArgument, "No other window has the keyboard focus; the keys were not sent", true};
    std::string reason;
    if (!keyboard_->type(strokes, reason)) return {kInvalidArgument, reason, false};
    return {};
  }

  void beginRun() override {}
  void setOwnWindow(std::uintptr_t nativeId) override { own_ = Window(nativeId); }

  bool raiseWindowOf(long pid) override {
    if (!dpy_ || pid <= 0) return false;
    std::string reason;
    for (const x11::ClientWindow& c : windows_->clients())
      if (windows_->pid(c.id) == pid) return windows_->activate(c.id, reason);
    return false;
  }

 private:
  static AutomationStatus noDisplay() { return {kNotAvailable, "The X display could not be opened", false}; }

  void waitForPendingFocus() {
    if (!pendingFocus_) return;
    const auto until = std::chrono::steady_clock::now() + kFocusWait;
    while (windows_->focusedClient() != pendingFocus_ && std::chrono::steady_clock::now() < until)
      std::this_thread::sleep_for(kFocusPoll);
    pendingFocus_ = 0;
  }

  Display* dpy_;
  bool xtest_ = false;
  std::unique_ptr<x11::Windows> windows_;
  std::unique_ptr<x11::Keyboard> keyboard_;
  Window own_ = 0;
  Window pendingFocus_ = 0;
};

}  // namespace

std::unique_ptr<Automation> createX11Automation() { return std::make_unique<X11Automation>(); }
