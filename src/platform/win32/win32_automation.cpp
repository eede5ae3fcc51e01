#include "platform/automation.h"
#include "platform/failure_codes.h"
#include "win32_batch_start.h"
#include "win32_keys.h"
#include "win32_text.h"
#include "win32_windows.h"

#include <windows.h>

namespace {

// How long keys sent with waiting wait for the target to take them.
constexpr DWORD kInputIdleMs = 1000;
// How long keys wait for a just-activated window to come to the front.
constexpr DWORD kForegroundWaitMs = 1000;

class Win32Automation : public Automation {
 public:
  AutomationStatus start(const std::string& file, const std::string& programFolder, const std::string&,
                         int windowStyle) override {
    // The settings live in the registry here, so only the program's folder holds the file.
    return startBatchFile(file, programFolder, windowStyle);
  }

  AutomationStatus activate(const std::string& title) override {
    HWND window = findWindowByTitle(toWide(title), own_);
    if (!window) return {failure_code::kInvalidArgument, "No window has the title " + title};
    bringToForeground(window);
    pendingForeground_ = window;
    return {};
  }

  AutomationStatus send(const std::vector<KeyStroke>& strokes, bool wait) override {
    waitForPendingForeground();
    HWND target = GetForegroundWindow();
    if (!target || target == own_)
      return {failure_code::kInvalidArgument, "No other window has the keyboard focus; the keys were not sent", true};
    KeyPlan plan = planKeys(strokes);
    if (!plan.status.ok()) return plan.status;
    AutomationStatus sent = sendPlan(std::move(plan.inputs));
    if (sent.ok() && wait) waitUntilTaken(target);
    return sent;
  }

  void beginRun() override {}
  void setOwnWindow(std::uintptr_t nativeId) override { own_ = reinterpret_cast<HWND>(nativeId); }

 private:
  // Our own windows are served by our own event loop, which the caller runs.
  static void waitUntilTaken(HWND target) {
    DWORD pid = 0;
    GetWindowThreadProcessId(target, &pid);
    if (!pid || pid == GetCurrentProcessId()) return;
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) return;
    WaitForInputIdle(process, kInputIdleMs);
    CloseHandle(process);
  }

  // Activation does not wait; typing must not start before the window is in front.
  void waitForPendingForeground() {
    if (!pendingForeground_) return;
    const DWORD start = GetTickCount();
    while (GetForegroundWindow() != pendingForeground_ && GetTickCount() - start < kForegroundWaitMs) Sleep(2);
    pendingForeground_ = nullptr;
  }

  HWND own_ = nullptr;
  HWND pendingForeground_ = nullptr;
};

}  // namespace

std::unique_ptr<Automation> createAutomation() { return std::make_unique<Win32Automation>(); }
