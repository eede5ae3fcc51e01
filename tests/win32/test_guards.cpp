// Keys reach the backup program or nobody; a second start raises the running one, in another process.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "test_windows.h"
#include "win32_foreground_wait.h"

namespace {

const std::vector<KeyStroke> kUp{named(KeyStroke::Key::Up)};
const std::vector<std::string> kUpName{"Up"};

class OtherProcess {
 public:
  explicit OtherProcess(const wchar_t* title) {
    const std::wstring path = besideTheTests(L"other_window.exe");
    std::wstring command = L"\"" + path + L"\" \"" + title + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info_);
    waitUntil([&] { return (window = FindWindowW(nullptr, title)) && IsWindowVisible(window); }, 10000);
  }
  ~OtherProcess() {
    TerminateProcess(info_.hProcess, 0);
    WaitForSingleObject(info_.hProcess, 5000);
    CloseHandle(info_.hProcess), CloseHandle(info_.hThread);
  }
  long pid() const { return long(info_.dwProcessId); }
  HWND window = nullptr;

 private:
  PROCESS_INFORMATION info_{};
};

}  // namespace

// Nothing found, a window new since the start may have another title. (One that was there before gets nothing:
// run-wine-e2e, "another program in front".)
TEST(Guards, AWindowThatAppearedAfterTheStartGetsKeysWhenTheTitleIsNotFound) {
  auto automation = createAutomation();
  automation->beginRun();
  LoggingWindow after(L"Backup Pro 9");
  putInFront(after.handle());
  EXPECT_FALSE(automation->activate("No Such Window", TitleMatch::Start).ok());
  const AutomationStatus sent = automation->send({chr(U'B', true)}, true);
  pumpMessages();
  EXPECT_TRUE(sent.ok()) << sent.description;
  EXPECT_EQ(after.keys(), std::vector<std::string>{"Alt+B"});
}

// A key the user holds is waited for; held on, it stops the keys. A letter held on, a modifier let go: either kind is
// watched.
TEST(Guards, AKeyHeldDownIsWaitedForThenStopsTheKeys) {
  for (const auto& [vk, letGoAfterMs] : {std::pair<WORD, DWORD>{'X', 0}, {VK_LSHIFT, 300}}) {
    SCOPED_TRACE("key " + std::to_string(vk));
    LoggingWindow target(L"Microsoft Backup - test");
    auto automation = createAutomation();
    ASSERT_TRUE(automation->activate("Microsoft Backup", TitleMatch::Start).ok());
    pumpMessages(20);
    sendKey(vk, true);  // after the window got the focus, as a user would
    pumpMessages(20);
    target.clear();
    ASSERT_LT(GetAsyncKeyState(vk), 0);
    std::thread letGo([vk = vk, ms = letGoAfterMs] {
      if (ms) Sleep(ms), sendKey(vk, false);
    });
    const DWORD start = GetTickCount();
    const AutomationStatus sent = automation->send({chr(U'B', true)}, true);
    const DWORD took = GetTickCount() - start;
    letGo.join();
    if (!letGoAfterMs) sendKey(vk, false);
    pumpMessages();
    EXPECT_EQ(sent.stop, letGoAfterMs ? KeyStop::None : KeyStop::KeyHeld) << sent.description;
    EXPECT_EQ(target.keys(), letGoAfterMs ? std::vector<std::string>{"Alt+B"} : std::vector<std::string>{});
    if (letGoAfterMs)
      EXPECT_LT(took, 1500u);  // woken by the release, not by the end of the wait
    else
      EXPECT_NE(sent.description.find("virtual key " + std::to_string(vk)), std::string::npos) << sent.description;
  }
}

// The backup program's dialog may take the keys. (Its other top-level window, an update notice, may not: run-wine-e2e,
// "a window of the backup program".)
TEST(Guards, AWindowOwnedByTheBackupProgramTakesTheKeys) {
  LoggingWindow target(L"Microsoft Backup - test");
  auto automation = createAutomation();
  ASSERT_TRUE(automation->activate("Microsoft Backup", TitleMatch::Start).ok());
  ASSERT_TRUE(automation->send(kUp, true).ok());
  pumpMessages();  // keys to this thread's windows are taken by its own loop
  LoggingWindow dialog(L"Choose a job", target.handle());
  putInFront(dialog.handle());
  ASSERT_EQ(GetForegroundWindow(), dialog.handle());
  const AutomationStatus sent = automation->send(kUp, true);
  pumpMessages();
  EXPECT_EQ(sent.stop, KeyStop::None) << sent.description;
  EXPECT_EQ(dialog.keys(), kUpName);
  EXPECT_EQ(target.keys(), kUpName);
}

// The running start's window behind another program's, which has the foreground; no message of this thread's own
// windows ends the wait.
TEST(OtherProcess, ASecondStartRaisesTheRunningOneAndTheWaitEndsOnTheChange) {
  OtherProcess backup(L"Microsoft Backup"), inFront(L"Update ready");
  ASSERT_TRUE(backup.window && waitUntil([&] { return GetForegroundWindow() == inFront.window; }, 5000));
  DWORD start = GetTickCount();
  EXPECT_FALSE(waitForForeground(backup.window, 300));
  EXPECT_GE(GetTickCount() - start, 300u);
  bool raised = false;
  std::thread secondStart([&] { Sleep(200), raised = createAutomation()->raiseWindowOf(backup.pid()); });
  start = GetTickCount();
  EXPECT_TRUE(waitForForeground(backup.window, 5000));
  const DWORD took = GetTickCount() - start;
  secondStart.join();
  EXPECT_TRUE(raised);
  EXPECT_GE(took, 150u);
  EXPECT_LT(took, 1000u);                              // ended by the change, not by the end of the wait
  EXPECT_FALSE(createAutomation()->raiseWindowOf(0));  // no pid known: nothing is raised
}
