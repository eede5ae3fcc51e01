// The toast through Windows PowerShell, with a stand-in program in its place: Wine's own powershell.exe is a stub, and
// Wine has no notification centre.
#include <gtest/gtest.h>
#include <windows.h>
// tlhelp32.h needs the types of windows.h first
#include <tlhelp32.h>

#include <fstream>
#include <string>

#include "test_windows.h"
#include "win32_toast.h"

namespace {

const ToastApp kApp{"example.talvorstart.test", "Talvor Start", L""};
const wchar_t kAppKey[] = L"Software\\Classes\\AppUserModelId\\example.talvorstart.test";

std::wstring appValue(const wchar_t* name, DWORD* type = nullptr) {
  wchar_t buffer[512] = {};
  DWORD size = sizeof buffer;
  return RegGetValueW(HKEY_CURRENT_USER, kAppKey, name, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, type,
                      buffer, &size) == ERROR_SUCCESS
             ? buffer
             : L"<missing>";
}

bool standInsRunning() {
  HANDLE all = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W p{};
  p.dwSize = sizeof p;
  bool found = false;
  for (BOOL more = Process32FirstW(all, &p); more && !found; more = Process32NextW(all, &p))
    found = _wcsicmp(p.szExeFile, L"powershell_stand_in.exe") == 0;
  return CloseHandle(all), found;
}

class Toast : public ::testing::Test {
 protected:
  void SetUp() override { TearDown(); }
  void TearDown() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kAppKey);
    for (const wchar_t* name : {L"STAND_IN_SLEEP_MS", L"STAND_IN_EXIT"}) SetEnvironmentVariableW(name, nullptr);
    // A stand-in left after the bound ends before the next case: no process outlives the tests.
    waitUntil([] { return !standInsRunning(); }, 5000);
  }
  DWORD show(DWORD waitMs = 5000, const WhileWaiting& whileWaiting = nullptr, const ToastApp& app = kApp,
             const std::wstring& powershell = besideTheTests(L"powershell_stand_in.exe")) {
    const DWORD start = GetTickCount();
    shown_ = showToastThrough(powershell, waitMs, app, "Talvor Start", "b", whileWaiting, reason_);
    return GetTickCount() - start;
  }
  bool shown_ = false;
  std::string reason_;
};

}  // namespace

TEST_F(Toast, TheAppIdIsRegisteredForTheUserWithItsNameAndTheIconWhileThereIsOne) {
  wchar_t system[MAX_PATH];
  EXPECT_EQ(systemPowerShell(),
            std::wstring(system, GetSystemDirectoryW(system, MAX_PATH)) + L"\\WindowsPowerShell\\v1.0\\powershell.exe");
  ToastApp app = kApp;
  app.iconFile = tempPath(L"icon.ico");
  for (const bool iconThere : {false, true, false}) {  // an icon that is gone is no longer registered
    iconThere ? void(std::ofstream(app.iconFile.c_str()) << "icon") : void(DeleteFileW(app.iconFile.c_str()));
    show(5000, nullptr, app);
    ASSERT_TRUE(shown_) << reason_;
    EXPECT_EQ(appValue(L"IconUri"), iconThere ? app.iconFile : L"<missing>") << iconThere;
  }
  DWORD type = 0;
  EXPECT_EQ(appValue(L"DisplayName", &type), L"Talvor Start");
  EXPECT_EQ(type, DWORD(REG_EXPAND_SZ));
}

TEST_F(Toast, EachFailureGivesAReasonTheUserCanActOn) {
  const std::pair<const wchar_t*, const char*> cases[] = {
      {L"2", "could not load the notification types of Windows"},
      {L"3", "Windows did not take it"},
      {L"4", "notifications of Talvor Start are turned off (Windows Settings, System, Notifications)"},
      {L"1", "ended with exit status 1 without showing it"},
  };
  for (const auto& [status, said] : cases) {
    SetEnvironmentVariableW(L"STAND_IN_EXIT", status);
    show();
    EXPECT_FALSE(shown_);
    EXPECT_NE(reason_.find(said), std::string::npos) << reason_;
  }
  EXPECT_LT(show(5000, nullptr, kApp, L"C:\\no such folder\\powershell.exe"), 500u);
  EXPECT_FALSE(shown_);
  EXPECT_EQ(reason_,
            "Windows PowerShell, which shows the notification, was not found (C:\\no such folder\\powershell.exe)");
  SetEnvironmentVariableW(L"STAND_IN_EXIT", nullptr);
  SetEnvironmentVariableW(L"STAND_IN_SLEEP_MS", L"2000");
  const DWORD ms = show(1000);
  EXPECT_FALSE(shown_);
  EXPECT_EQ(reason_, "Windows PowerShell had not shown it after 1 seconds; it may still come");
  EXPECT_GE(ms, 950u);
  EXPECT_LT(ms, 1800u);
}

// Messages are handled while it waits, and the wait still ends; a program that is ending stops the handling (the
// message stays, as a quit message does) with one call, then waits plainly instead of spinning.
TEST_F(Toast, MessagesAreHandledWhileWaitingWithoutSpinning) {
  SetEnvironmentVariableW(L"STAND_IN_SLEEP_MS", L"600");
  for (const bool goOn : {true, false}) {
    int calls = 0;
    PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0);
    EXPECT_GE(show(5000, [&calls, goOn] { return ++calls, goOn && (pumpMessages(1), true); }), 550u);
    EXPECT_TRUE(shown_) << reason_;
    EXPECT_EQ(calls, 1) << goOn;
    pumpMessages(20);  // the message left in the queue
  }
}
