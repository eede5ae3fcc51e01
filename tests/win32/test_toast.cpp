// The toast through Windows PowerShell, with a stand-in program in its place:
// Wine's own powershell.exe is a stub, and Wine has no notification centre.
#include <gtest/gtest.h>
#include <windows.h>
// tlhelp32.h needs the types of windows.h first
#include <tlhelp32.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/win32/toast_script.h"
#include "win32_toast.h"

namespace {

const ToastApp kApp{"example.talvorstart.test", "Talvor Start", L""};
const std::wstring kAppKey = L"Software\\Classes\\AppUserModelId\\example.talvorstart.test";

std::wstring besideTheTests(const std::wstring& name) {
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  const std::wstring path(exe);
  return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
}

std::wstring tempFile(const std::wstring& name) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + L"talvorstart-toast-" + std::to_wstring(GetCurrentProcessId()) + L"-" + name;
}

std::string narrow(const std::wstring& wide) { return std::string(wide.begin(), wide.end()); }

// A value of the app's key, read straight from the registry.
std::wstring appValue(const wchar_t* name, DWORD* type = nullptr) {
  wchar_t buffer[512] = {};
  DWORD size = sizeof buffer;
  const LSTATUS s = RegGetValueW(HKEY_CURRENT_USER, kAppKey.c_str(), name,
                                 RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, type, buffer, &size);
  return s == ERROR_SUCCESS ? buffer : L"<missing>";
}

class Toast : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kAppKey.c_str());
    log_ = tempFile(L"command.txt");
    DeleteFileW(log_.c_str());
    SetEnvironmentVariableW(L"STAND_IN_LOG", log_.c_str());
    SetEnvironmentVariableW(L"STAND_IN_SLEEP_MS", nullptr);
    SetEnvironmentVariableW(L"STAND_IN_EXIT", nullptr);
  }
  void TearDown() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kAppKey.c_str());
    DeleteFileW(log_.c_str());
    for (const wchar_t* name : {L"STAND_IN_LOG", L"STAND_IN_SLEEP_MS", L"STAND_IN_EXIT"})
      SetEnvironmentVariableW(name, nullptr);
    // A stand-in left after the bound ends before the next case: no process outlives the tests.
    for (DWORD start = GetTickCount(); standInsRunning() && GetTickCount() - start < 5000;) Sleep(20);
  }
  static bool standInsRunning() {
    HANDLE all = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W p{};
    p.dwSize = sizeof p;
    bool found = false;
    for (BOOL more = Process32FirstW(all, &p); more && !found; more = Process32NextW(all, &p))
      found = _wcsicmp(p.szExeFile, L"powershell_stand_in.exe") == 0;
    CloseHandle(all);
    return found;
  }

  // Shows the toast through the stand-in; the milliseconds it took.
  long show(const std::string& body, DWORD waitMs = 5000, const WhileWaiting& whileWaiting = nullptr,
            const ToastApp& app = kApp) {
    const auto t0 = std::chrono::steady_clock::now();
    shown_ = showToastThrough(standIn_, waitMs, app, "Talvor Start", body, whileWaiting, reason_);
    return long(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count());
  }

  const std::wstring standIn_ = besideTheTests(L"powershell_stand_in.exe");
  std::wstring log_;
  bool shown_ = false;
  std::string reason_;
};

TEST_F(Toast, ThePowerShellOfTheSystemFolderIsUsed) {
  wchar_t folder[MAX_PATH];
  const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
  EXPECT_EQ(systemPowerShell(), std::wstring(folder, n) + L"\\WindowsPowerShell\\v1.0\\powershell.exe");
}

TEST_F(Toast, TheAppIdIsRegisteredForTheUserWithItsNameAndTheIconWhileThereIsOne) {
  const std::wstring icon = tempFile(L"icon.ico");
  DeleteFileW(icon.c_str());
  ToastApp app = kApp;
  app.iconFile = icon;
  show("x", 5000, nullptr, app);
  ASSERT_TRUE(shown_) << reason_;
  DWORD type = 0;
  EXPECT_EQ(appValue(L"DisplayName", &type), L"Talvor Start");
  EXPECT_EQ(type, DWORD(REG_EXPAND_SZ));
  EXPECT_EQ(appValue(L"IconUri"), L"<missing>");

  std::ofstream(narrow(icon)) << "icon";
  show("x", 5000, nullptr, app);
  EXPECT_EQ(appValue(L"IconUri"), icon);
  DeleteFileW(icon.c_str());
  show("x", 5000, nullptr, app);
  EXPECT_EQ(appValue(L"IconUri"), L"<missing>") << "an icon that is gone stays registered";
}

TEST_F(Toast, AMissingPowerShellIsSaidAtOnce) {
  const auto t0 = std::chrono::steady_clock::now();
  const bool shown = showToastThrough(L"C:\\no such folder\\powershell.exe", 5000, kApp, "t", "b", nullptr, reason_);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
  EXPECT_FALSE(shown);
  EXPECT_EQ(reason_,
            "Windows PowerShell, which shows the notification, was not found (C:\\no such folder\\powershell.exe)");
  EXPECT_LT(ms, 500);
  EXPECT_FALSE(showToastThrough(L"", 5000, kApp, "t", "b", nullptr, reason_));
  EXPECT_NE(reason_.find("was not found"), std::string::npos);
}

TEST_F(Toast, EachFailingExitStatusGivesAReasonTheUserCanActOn) {
  const std::pair<const wchar_t*, const char*> cases[] = {
      {L"2", "could not load the notification types of Windows"},
      {L"3", "Windows did not take it"},
      {L"4", "notifications of Talvor Start are turned off (Windows Settings, System, Notifications)"},
      {L"1", "ended with exit status 1 without showing it"},
  };
  for (const auto& [status, said] : cases) {
    SetEnvironmentVariableW(L"STAND_IN_EXIT", status);
    show("b");
    EXPECT_FALSE(shown_) << "status " << narrow(status);
    EXPECT_NE(reason_.find(said), std::string::npos) << reason_;
  }
}

TEST_F(Toast, APowerShellThatTakesTooLongIsLeftAfterTheBound) {
  SetEnvironmentVariableW(L"STAND_IN_SLEEP_MS", L"2000");
  const long ms = show("b", 1000);
  EXPECT_FALSE(shown_);
  EXPECT_EQ(reason_, "Windows PowerShell had not shown it after 1 seconds; it may still come");
  EXPECT_GE(ms, 950);
  EXPECT_LT(ms, 1800);
}

// Messages are handled while it waits, and the wait still ends; a program
// that is ending stops the handling (the message stays, as a quit message
// does) with one call, then waits plainly instead of spinning.
TEST_F(Toast, MessagesAreHandledWhileWaitingWithoutSpinning) {
  SetEnvironmentVariableW(L"STAND_IN_SLEEP_MS", L"600");
  for (const bool goOn : {true, false}) {
    int calls = 0;
    PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0);
    const long ms = show("b", 5000, [&calls, goOn] {
      ++calls;
      MSG m;
      while (goOn && PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      }
      return goOn;
    });
    EXPECT_TRUE(shown_) << reason_;
    EXPECT_EQ(calls, 1) << goOn;
    EXPECT_GE(ms, 550);
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
}

}  // namespace
