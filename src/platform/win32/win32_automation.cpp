#include <windows.h>

#include <set>

#include "platform/automation.h"
#include "platform/failure_codes.h"
#include "win32_batch_start.h"
#include "win32_foreground_wait.h"
#include "win32_held_keys.h"
#include "win32_keys.h"
#include "win32_modifiers.h"
#include "win32_processed.h"
#include "win32_text.h"
#include "win32_windows.h"

namespace {

// How long keys sent with waiting wait for the target to take them; longer
// means it is hung or swamped, and keys sent on would land at some unknown time.
constexpr DWORD kProcessedMs = 3000;
// How long keys wait for a just-activated window to come to the front.
constexpr DWORD kForegroundWaitMs = 1000;
// Some programs drop a key that comes right after their window came to the
// front: the keys wait this long after a window that was not in front came.
constexpr DWORD kActivationSettleMs = 100;
// How long keys wait for the user to let go of a key; a person lets go
// within a second, a key held longer is stuck or leant on.
constexpr DWORD kHeldKeyWaitMs = 2000;

AutomationStatus stopRun(KeyStop why, const std::string& description) {
  AutomationStatus s = AutomationStatus::failure(failure_code::kInvalidArgument, description);
  s.stop = why;
  return s;
}

std::string quoted(HWND window) {
  const std::string title = windowTitleUtf8(window);
  return title.empty() ? "a window without a title" : "the window \"" + title + "\"";
}

class Win32Automation : public Automation {
 public:
  void beginRun() override {
    runBegun_ = true;
    before_ = topLevelWindows();
    target_ = nullptr;
    missingTitle_.clear();
  }

  // The second start of the tool points the user at the running one. The
  // system may hand the foreground on late or not at all the first time
  // (Wine did in one of six tries when idle): asked again, briefly.
  bool raiseWindowOf(long pid) override {
    HWND window = pid > 0 ? mainWindowOfProcess(DWORD(pid)) : nullptr;
    if (!window) return false;
    for (int attempt = 0; attempt < 3; ++attempt) {
      bringToForeground(window);
      if (waitForForeground(window, 300)) return true;
    }
    return false;
  }

  AutomationStatus start(const std::string& file, const std::string& programFolder, const std::string&,
                         int windowStyle) override {
    // The settings live in the registry here, so only the program's folder holds the file.
    return startBatchFile(file, programFolder, windowStyle);
  }

  AutomationStatus activate(const std::string& title, TitleMatch match) override {
    HWND window = findWindowByTitle(toWide(title), match, own_, before_);
    if (!window) {
      missingTitle_ = title;
      return AutomationStatus::failure(failure_code::kInvalidArgument, noWindowText(title, match));
    }
    movedForeground_ = GetForegroundWindow() != window;
    bringToForeground(window);
    pendingForeground_ = window;
    target_ = window;
    AutomationStatus done;
    done.window = windowTitleUtf8(window);  // the run history names it
    return done;
  }

  AutomationStatus send(const std::vector<KeyStroke>& strokes, bool wait) override {
    waitForPendingForeground();
    if (const WORD held = waitForKeysReleased(kHeldKeyWaitMs))
      return stopRun(KeyStop::KeyHeld, "The key " + keyName(held) + " was held down for more than " +
                                           std::to_string(kHeldKeyWaitMs / 1000) +
                                           " seconds, so no more keys were sent and no job was started: it would "
                                           "have mixed with them");
    const HWND foreground = GetForegroundWindow();
    AutomationStatus guard = checkReceiver(foreground);
    if (!guard.ok()) return guard;
    KeyPlan plan = planKeys(strokes);
    if (!plan.status.ok()) return plan.status;
    std::vector<INPUT> inputs = withoutHeldModifiers(plan.inputs, heldModifiers());
    ProcessedWait processed(foreground, plan.inputs);
    AutomationStatus sent = sendPlan(std::move(inputs));
    if (sent.ok() && wait && !processed.wait(kProcessedMs))
      return stopRun(KeyStop::NotAnswering,
                     "The backup program did not take the keys within " + std::to_string(kProcessedMs / 1000) +
                         " seconds, so no more keys were sent and no job was started; it may be busy or hung");
    return sent;
  }

  void setOwnWindow(std::uintptr_t nativeId) override { own_ = reinterpret_cast<HWND>(nativeId); }

 private:
  // The keys may go only to the backup program: the activated window, the
  // windows it owns (its dialogs, its drop-down lists and menus, which may
  // also show as windows of its thread). Another top-level window of the
  // same program (an update notice) is not where the job's keys belong.
  // Without an activated window, only a window that appeared after the
  // batch file was started becomes the one.
  AutomationStatus checkReceiver(HWND foreground) {
    if (!foreground || foreground == own_)
      return AutomationStatus::failure(failure_code::kInvalidArgument,
                                       "No other window has the keyboard focus; the keys were not sent", true);
    if (!target_) {
      const HWND root = GetAncestor(foreground, GA_ROOTOWNER);
      if (runBegun_ && before_.count(root ? root : foreground)) return olderWindowInFront(foreground);
      target_ = foreground;  // the backup program, titled otherwise than configured
    }
    if (ownedByTarget(foreground) || isPopupOfTarget(foreground)) return {};
    return stopRun(KeyStop::FocusLost,
                   "The backup program lost the keyboard focus to " + quoted(foreground) +
                       ", so no more keys were sent and no job was started. Close that window, or keep it from "
                       "taking the focus, and start Talvor Start again.");
  }

  bool ownedByTarget(HWND window) const {
    for (HWND w = window; w; w = GetWindow(w, GW_OWNER))
      if (w == target_) return true;
    return false;
  }

  bool isPopupOfTarget(HWND window) const {
    if (GetWindowThreadProcessId(window, nullptr) != GetWindowThreadProcessId(target_, nullptr)) return false;
    wchar_t name[16] = L"";
    GetClassNameW(window, name, 16);
    return lstrcmpiW(name, L"ComboLBox") == 0 || lstrcmpiW(name, L"#32768") == 0;
  }

  AutomationStatus olderWindowInFront(HWND foreground) {
    std::string appeared;
    for (HWND w : topLevelWindows()) {
      if (before_.count(w) || w == own_ || !IsWindowVisible(w)) continue;
      const std::string title = windowTitleUtf8(w);
      if (!title.empty()) appeared += (appeared.empty() ? "\"" : ", \"") + title + "\"";
    }
    return stopRun(KeyStop::OnlyOlderWindows,
                   "No window has the title \"" + missingTitle_ + "\", and the keys were not sent to " +
                       quoted(foreground) + ", which was open before the backup program was started. " +
                       (appeared.empty() ? std::string("No window appeared since then.")
                                         : "Windows that appeared since then: " + appeared + ".") +
                       " Set the backup program's window title in Talvor Start.");
  }

  // Activation does not wait; typing must not start before the window is in
  // front. A window that never comes is left to the guard.
  void waitForPendingForeground() {
    if (!pendingForeground_) return;
    if (waitForForeground(pendingForeground_, kForegroundWaitMs) && movedForeground_) Sleep(kActivationSettleMs);
    pendingForeground_ = nullptr;
  }

  HWND own_ = nullptr;
  HWND pendingForeground_ = nullptr;
  bool movedForeground_ = false;
  HWND target_ = nullptr;
  bool runBegun_ = false;
  std::set<HWND> before_;
  std::string missingTitle_;
};

}  // namespace

std::unique_ptr<Automation> createAutomation() { return std::make_unique<Win32Automation>(); }
