// The guards of the Win32 back end: keys reach the backup program or
// nobody, the user's modifiers are left as they were, and keys sent with
// waiting are handled by a program in another process before the call returns.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/automation.h"
#include "platform/failure_codes.h"
#include "test_windows.h"
#include "win32_foreground_wait.h"

namespace {

KeyStroke chr(char32_t c, bool alt = false) { return {KeyStroke::Key::Character, c, alt}; }
KeyStroke named(KeyStroke::Key k) { return {k, 0, false}; }
const std::vector<KeyStroke> kUp{named(KeyStroke::Key::Up)};

std::vector<std::vector<KeyStroke>> jobThreeSequence() {
  std::vector<std::vector<KeyStroke>> s{{chr(U'B', true)}};
  for (int i = 0; i < 20; ++i) s.push_back(kUp);
  s.push_back({named(KeyStroke::Key::Down)});
  s.push_back({named(KeyStroke::Key::Down)});
  s.push_back({named(KeyStroke::Key::Enter)});
  s.push_back({chr(U'S', true)});
  return s;
}

// target_dialog.exe in a process of its own, stopped at the end.
class OtherProcess {
 public:
  OtherProcess(const std::wstring& log, const std::wstring& mode) {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring path(exe);
    path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"target_dialog.exe";
    std::wstring command = L"\"" + path + L"\" \"" + log + L"\" " + mode;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info_);
  }
  ~OtherProcess() {
    if (!info_.hProcess) return;
    TerminateProcess(info_.hProcess, 0);
    WaitForSingleObject(info_.hProcess, 5000);
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
  bool started() const { return info_.hProcess != nullptr; }
  long pid() const { return long(info_.dwProcessId); }

 private:
  PROCESS_INFORMATION info_{};
};

HWND waitForWindow(const wchar_t* title, DWORD ms = 10000) {
  const DWORD start = GetTickCount();
  for (;;) {
    HWND w = FindWindowW(nullptr, title);
    if (w && IsWindowVisible(w)) return w;
    if (GetTickCount() - start > ms) return nullptr;
    Sleep(20);
  }
}

std::wstring tempLog(const wchar_t* name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring path = std::wstring(temp) + name + std::to_wstring(GetCurrentProcessId()) + L".log";
  DeleteFileW(path.c_str());
  return path;
}

std::vector<std::string> logLines(const std::wstring& path, const std::string& prefix) {
  std::ifstream in(path.c_str());
  std::vector<std::string> out;
  for (std::string line; std::getline(in, line);)
    if (line.compare(0, prefix.size(), prefix) == 0) out.push_back(line.substr(prefix.size()));
  return out;
}

std::vector<std::string> expectedJobKeys() {
  std::vector<std::string> k{"Alt+B"};
  for (int i = 0; i < 20; ++i) k.push_back("Up");
  k.insert(k.end(), {"Down", "Down", "Return", "Alt+S"});
  return k;
}

void press(WORD vk, bool down) {
  INPUT i{};
  i.type = INPUT_KEYBOARD;
  i.ki.wVk = vk;
  i.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &i, sizeof i);
}

// The dialog in a process of its own, behind the "Update ready" window of
// another process, which has the foreground.
struct BackupBehindAnotherProgram {
  explicit BackupBehindAnotherProgram(const wchar_t* logName)
      : log(tempLog(logName)),
        backup(log, L""),
        backupWindow(waitForWindow(L"Microsoft Backup")),
        inFront(log, L"--steal"),
        inFrontWindow(waitForWindow(L"Update ready")) {
    for (DWORD start = GetTickCount(); GetForegroundWindow() != inFrontWindow && GetTickCount() - start < 5000;)
      Sleep(20);
  }
  bool ready() const { return backupWindow && inFrontWindow && GetForegroundWindow() == inFrontWindow; }

  std::wstring log;
  OtherProcess backup;
  HWND backupWindow;
  OtherProcess inFront;
  HWND inFrontWindow;
};

}  // namespace

TEST(Guards, AWindowThatWasThereBeforeTheRunGetsNoKeys) {
  LoggingWindow terminal(L"Terminal");
  auto automation = createAutomation();
  automation->beginRun();
  EXPECT_FALSE(automation->activate("No Such Window", TitleMatch::Start).ok());
  SetForegroundWindow(terminal.handle());
  pumpMessages(20);
  const AutomationStatus sent = automation->send({chr(U'B', true)}, true);
  EXPECT_TRUE(sent.stopsRun());
  EXPECT_NE(sent.description.find("\"No Such Window\""), std::string::npos) << sent.description;
  EXPECT_NE(sent.description.find("\"Terminal\""), std::string::npos) << sent.description;
  pumpMessages();
  EXPECT_TRUE(terminal.keys().empty());
}

TEST(Guards, AWindowThatAppearedAfterTheStartMayHaveAnotherTitle) {
  auto automation = createAutomation();
  automation->beginRun();
  LoggingWindow backup(L"Backup Pro 9");
  SetForegroundWindow(backup.handle());
  pumpMessages(20);
  EXPECT_FALSE(automation->activate("Microsoft Backup", TitleMatch::Start).ok());
  EXPECT_TRUE(automation->send({chr(U'B', true)}, true).ok());
  pumpMessages();
  EXPECT_EQ(backup.keys(), std::vector<std::string>{"Alt+B"});
}

// A key the user holds is waited for; held on, it stops the keys. Each case
// presses its key after the window got the focus, as a user would.
TEST(Guards, AKeyHeldDownIsWaitedForThenStopsTheKeys) {
  struct Case {
    WORD vk;
    DWORD letGoAfterMs;  // 0: held past the wait
  };
  // A letter held on, a modifier let go: either kind is watched.
  for (const Case& c : {Case{'X', 0}, Case{VK_LSHIFT, 300}}) {
    SCOPED_TRACE("key " + std::to_string(c.vk) + ", let go after " + std::to_string(c.letGoAfterMs) + " ms");
    LoggingWindow target(L"Microsoft Backup - test");
    auto automation = createAutomation();
    ASSERT_TRUE(automation->activate("Microsoft Backup", TitleMatch::Start).ok());
    pumpMessages(20);
    press(c.vk, true);
    pumpMessages(20);
    target.clear();  // what the user's key typed there
    ASSERT_LT(GetAsyncKeyState(c.vk), 0);
    std::thread letGo([&c] {
      if (!c.letGoAfterMs) return;
      Sleep(c.letGoAfterMs);
      press(c.vk, false);
    });
    const DWORD start = GetTickCount();
    const AutomationStatus sent = automation->send({chr(U'B', true)}, true);
    const DWORD took = GetTickCount() - start;
    letGo.join();
    if (!c.letGoAfterMs) press(c.vk, false);
    pumpMessages();
    if (c.letGoAfterMs) {
      EXPECT_TRUE(sent.ok()) << sent.description;
      EXPECT_LT(took, 1500u);  // woken by the release, not by the end of the wait
      EXPECT_EQ(target.keys(), std::vector<std::string>{"Alt+B"});
    } else {
      EXPECT_EQ(sent.stop, KeyStop::KeyHeld) << sent.description;
      EXPECT_NE(sent.description.find("virtual key " + std::to_string(c.vk)), std::string::npos) << sent.description;
      EXPECT_TRUE(target.keys().empty());
    }
  }
}

// The backup program's dialog may take the keys; its other top-level window
// (an update notice) may not, though it is of the same program.
TEST(Guards, AWindowOwnedByTheBackupProgramTakesTheKeysAnotherOfItsWindowsStops) {
  struct Case {
    bool owned;
    const wchar_t* title;
  };
  for (const Case& c : {Case{true, L"Choose a job"}, Case{false, L"Update available"}}) {
    LoggingWindow target(L"Microsoft Backup - test");
    auto automation = createAutomation();
    ASSERT_TRUE(automation->activate("Microsoft Backup", TitleMatch::Start).ok());
    ASSERT_TRUE(automation->send(kUp, true).ok());
    pumpMessages();  // keys to this thread's windows are taken by its own loop
    LoggingWindow other(c.title, c.owned ? target.handle() : nullptr);
    SetForegroundWindow(other.handle());
    pumpMessages(20);
    ASSERT_EQ(GetForegroundWindow(), other.handle());
    const AutomationStatus sent = automation->send(kUp, true);
    pumpMessages();
    if (c.owned) {
      EXPECT_TRUE(sent.ok()) << sent.description;
      EXPECT_EQ(other.keys(), std::vector<std::string>{"Up"});
    } else {
      EXPECT_EQ(sent.stop, KeyStop::FocusLost);
      EXPECT_NE(sent.description.find("lost the keyboard focus to the window \"Update available\""), std::string::npos)
          << sent.description;
      EXPECT_TRUE(other.keys().empty());
    }
    EXPECT_EQ(target.keys(), std::vector<std::string>{"Up"});
  }
}

TEST(OtherProcess, ADropDownListDialogStartsJobThreeWithoutPausesBetweenTheKeys) {
  const std::wstring log = tempLog(L"talvor-dialog-");
  auto automation = createAutomation();
  automation->beginRun();
  OtherProcess dialog(log, L"");
  ASSERT_TRUE(dialog.started());
  ASSERT_NE(waitForWindow(L"Microsoft Backup"), nullptr);
  ASSERT_TRUE(automation->activate("Microsoft Backup", TitleMatch::Start).ok());
  for (const auto& strokes : jobThreeSequence()) {
    const AutomationStatus sent = automation->send(strokes, true);
    ASSERT_TRUE(sent.ok()) << sent.description << "\nlog: " << ::testing::PrintToString(logLines(log, ""));
  }
  // Everything sent with waiting has been handled already: no grace period here.
  EXPECT_EQ(logLines(log, "key "), expectedJobKeys());
  EXPECT_EQ(logLines(log, "started "), std::vector<std::string>{"3"});
}

// Between windows of other programs, so that no message of this thread's
// own windows ends the wait.
TEST(ForegroundWait, EndsWhenAnotherProgramComesToTheFrontAndNotBefore) {
  BackupBehindAnotherProgram programs(L"talvor-front-");
  ASSERT_TRUE(programs.ready());
  const HWND backup = programs.backupWindow;

  DWORD start = GetTickCount();
  EXPECT_FALSE(waitForForeground(backup, 300));
  EXPECT_GE(GetTickCount() - start, 300u);

  std::thread activator([backup] {
    Sleep(200);
    SetForegroundWindow(backup);
  });
  start = GetTickCount();
  EXPECT_TRUE(waitForForeground(backup, 5000));
  const DWORD took = GetTickCount() - start;
  activator.join();
  EXPECT_GE(took, 150u);
  EXPECT_LT(took, 1000u);  // ended by the change, not by the end of the wait
}

TEST(OtherProcess, ASecondStartBringsTheRunningStartsWindowForward) {
  BackupBehindAnotherProgram programs(L"talvor-raise-");
  ASSERT_TRUE(programs.ready());
  EXPECT_TRUE(createAutomation()->raiseWindowOf(programs.backup.pid()));
  // Wine hands the foreground on a moment later when busy.
  EXPECT_TRUE(waitForForeground(programs.backupWindow, 1000));
  // No pid known (the record could not be read): nothing is raised.
  EXPECT_FALSE(createAutomation()->raiseWindowOf(0));
}
