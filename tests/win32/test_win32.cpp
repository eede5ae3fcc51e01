#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "platform/automation.h"
#include "platform/desktop_services.h"
#include "platform/failure_codes.h"
#include "test_windows.h"
#include "win32_batch_start.h"
#include "win32_keys.h"
#include "win32_windows.h"

namespace {

KeyStroke chr(char32_t c, bool alt = false) { return {KeyStroke::Key::Character, c, alt}; }
KeyStroke named(KeyStroke::Key k) { return {k, 0, false}; }

}  // namespace

TEST(WindowByTitle, ExactTitleBeforePrefixCaseSensitiveNeverOwnNeverEmptyElseCode5) {
  LoggingWindow longer(L"Microsoft Backup - test 2");
  LoggingWindow target(L"Microsoft Backup - test");
  EXPECT_EQ(findWindowByTitle(L"Microsoft Backup - test", TitleMatch::Start, nullptr), target.handle());
  const HWND byPrefix = findWindowByTitle(L"Microsoft Backup", TitleMatch::Start, nullptr);
  EXPECT_TRUE(byPrefix == target.handle() || byPrefix == longer.handle());
  EXPECT_EQ(findWindowByTitle(L"microsoft backup - test", TitleMatch::Start, nullptr), nullptr);
  EXPECT_EQ(findWindowByTitle(L"", TitleMatch::Start, nullptr), nullptr);
  EXPECT_EQ(findWindowByTitle(L"Microsoft Backup - test", TitleMatch::Start, target.handle()), longer.handle());
  EXPECT_EQ(findWindowByTitle(L"Microsoft Backup - test 2", TitleMatch::Start, longer.handle()), nullptr);
  // By the end of the title, and by the window class whatever the title.
  EXPECT_EQ(findWindowByTitle(L"test 2", TitleMatch::End, nullptr), longer.handle());
  EXPECT_EQ(findWindowByTitle(L"talvortestwindow", TitleMatch::Class, longer.handle()), target.handle());
  EXPECT_EQ(findWindowByTitle(L"Microsoft Backup - test", TitleMatch::Class, nullptr), nullptr);
  auto automation = createAutomation();
  for (const char* title : {"Microsoft Backup - tset", ""})
    EXPECT_EQ(automation->activate(title, TitleMatch::Start).code, failure_code::kInvalidArgument) << title;
}

// A window of the backup program's maker that was open before the run (its
// help in a browser, a main window titled exactly) loses to the window the
// batch file brought up, even when it is in front.
TEST(WindowByTitle, TheWindowThatAppearedSinceTheStartBeforeOneThatWasThere) {
  struct Case {
    const wchar_t* older;
    const wchar_t* newer;
  };
  for (const Case& c : {Case{L"Microsoft Backup - Help - Web Browser", L"Microsoft Backup - [Untitled]"},
                        Case{L"Microsoft Backup", L"Microsoft Backup - [Untitled]"}}) {
    LoggingWindow older(c.older);
    auto automation = createAutomation();
    automation->beginRun();
    LoggingWindow newer(c.newer);
    SetForegroundWindow(older.handle());
    pumpMessages(20);
    const AutomationStatus activated = automation->activate("Microsoft Backup", TitleMatch::Start);
    ASSERT_TRUE(activated.ok());
    EXPECT_EQ(activated.window, "Microsoft Backup - [Untitled]");
    pumpMessages(20);
    EXPECT_EQ(GetForegroundWindow(), newer.handle()) << "older window: " << ::testing::PrintToString(c.older);
  }
}

TEST(Automation, KeysAreNeverSentToTheToolsOwnWindow) {
  LoggingWindow own(L"Talvor Start");
  SetForegroundWindow(own.handle());
  pumpMessages(20);
  auto automation = createAutomation();
  automation->setOwnWindow(reinterpret_cast<std::uintptr_t>(own.handle()));
  const AutomationStatus sent = automation->send({chr(U'B', true)}, true);
  EXPECT_EQ(sent.code, failure_code::kInvalidArgument);
  EXPECT_TRUE(sent.ownWindow);
  pumpMessages();
  EXPECT_TRUE(own.keys().empty());
}

TEST(KeyPlan, AltLetterHasNoShiftUpIsExtendedEveryPressIsReleasedAndAnUntypableCharacterSendsNothing) {
  const KeyPlan plan = planKeys({chr(U'B', true), chr(U'b'), named(KeyStroke::Key::Up), chr(U'{', true)});
  ASSERT_TRUE(plan.status.ok());
  int down[256] = {};
  for (const INPUT& i : plan.inputs) {
    down[i.ki.wVk & 0xFF] += (i.ki.dwFlags & KEYEVENTF_KEYUP) ? -1 : 1;
    EXPECT_GE(down[i.ki.wVk & 0xFF], 0);
    // A plain Up would be the keypad's 8 with Num Lock on.
    if (i.ki.wVk == VK_UP) {
      EXPECT_TRUE(i.ki.dwFlags & KEYEVENTF_EXTENDEDKEY);
    }
  }
  for (int d : down) EXPECT_EQ(d, 0);
  // Shift+Alt+B would not be the mnemonic.
  for (const INPUT& i : planKeys({chr(U'B', true)}).inputs) EXPECT_NE(i.ki.wVk, VK_SHIFT);
  const KeyPlan untypable = planKeys({chr(U'a'), chr(U'\U0001F600')});
  EXPECT_EQ(untypable.status.code, failure_code::kInvalidArgument);
  EXPECT_TRUE(untypable.inputs.empty());
}

class BatchFile : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    // A folder of its own per case: a batch file still running cannot be deleted.
    static int cases = 0;
    base_ =
        std::wstring(temp) + L"talvor test " + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++cases);
    program_ = base_ + L"\\program folder";
    elsewhere_ = base_ + L"\\elsewhere";
    CreateDirectoryW(base_.c_str(), nullptr);
    CreateDirectoryW(program_.c_str(), nullptr);
    CreateDirectoryW(elsewhere_.c_str(), nullptr);
    GetCurrentDirectoryW(MAX_PATH, current_);
    SetCurrentDirectoryW(elsewhere_.c_str());
  }
  void TearDown() override {
    SetCurrentDirectoryW(current_);
    for (const std::wstring& dir : {program_, elsewhere_}) {
      DeleteFileW((dir + L"\\TalvorStart.bat").c_str());
      DeleteFileW((dir + L"\\ran.txt").c_str());
      RemoveDirectoryW(dir.c_str());
    }
    RemoveDirectoryW(base_.c_str());
  }
  // A batch file that leaves ran.txt beside itself.
  void plant(const std::wstring& dir) {
    std::ofstream((dir + L"\\TalvorStart.bat").c_str()) << "@echo ran> \"%~dp0ran.txt\"\r\n";
  }
  bool ranIn(const std::wstring& dir, DWORD waitMs) {
    const DWORD start = GetTickCount();
    do {
      if (GetFileAttributesW((dir + L"\\ran.txt").c_str()) != INVALID_FILE_ATTRIBUTES) return true;
      Sleep(50);
    } while (GetTickCount() - start < waitMs);
    return false;
  }
  static std::string utf8(const std::wstring& w) { return std::string(w.begin(), w.end()); }

  std::wstring base_, program_, elsewhere_;
  wchar_t current_[MAX_PATH] = L"";
};

// Only the program folder's file runs, whatever the current folder holds;
// none there is code 53.
TEST_F(BatchFile, RunsFromTheProgramFolderWithBlanksNeverFromTheCurrentFolder) {
  const auto start = [this] {
    return startBatchFile("TalvorStart.bat", utf8(program_), shell_style::kMinimizedNoFocus);
  };
  EXPECT_EQ(start().code, failure_code::kFileNotFound);
  plant(elsewhere_);
  EXPECT_EQ(start().code, failure_code::kFileNotFound);
  plant(program_);
  ASSERT_TRUE(start().ok());
  EXPECT_TRUE(ranIn(program_, 15000));
  EXPECT_FALSE(ranIn(elsewhere_, 0));
}

// Its console window may come up after the backup program was brought to the
// front; it must not take the keys.
TEST_F(BatchFile, ItsWindowLeavesTheForegroundToTheBackupProgram) {
  std::ofstream((program_ + L"\\TalvorStart.bat").c_str())
      << "@echo ran> \"%~dp0ran.txt\"\r\n@for /l %%i in (1,1,3000) do @rem\r\n@echo done> \"%~dp0done.txt\"\r\n";
  LoggingWindow backup(L"Microsoft Backup - batch");
  SetForegroundWindow(backup.handle());
  pumpMessages(20);
  ASSERT_EQ(GetForegroundWindow(), backup.handle());
  ASSERT_TRUE(startBatchFile("TalvorStart.bat", utf8(program_), shell_style::kMinimizedNoFocus).ok());
  // From the start until the batch file has ended and its window is gone.
  std::vector<HWND> others;
  const DWORD start = GetTickCount();
  DWORD ended = 0;
  while (GetTickCount() - start < 15000 && (!ended || GetTickCount() - ended < 500)) {
    pumpMessages(10);
    const HWND front = GetForegroundWindow();
    if (front != backup.handle() && (others.empty() || others.back() != front)) others.push_back(front);
    if (!ended && GetFileAttributesW((program_ + L"\\done.txt").c_str()) != INVALID_FILE_ATTRIBUTES)
      ended = GetTickCount();
  }
  DeleteFileW((program_ + L"\\done.txt").c_str());
  EXPECT_TRUE(ended) << "the batch file did not end";
  EXPECT_TRUE(others.empty()) << others.size() << " other window(s) in front, the first \""
                              << (others.empty()   ? ""
                                  : others.front() ? windowTitleUtf8(others.front())
                                                   : "(none)")
                              << "\"";
}

TEST_F(BatchFile, AnInterpreterThatCannotStartIsAFailureWithTheSystemsReason) {
  plant(program_);
  wchar_t saved[MAX_PATH] = {};
  GetEnvironmentVariableW(L"ComSpec", saved, MAX_PATH);
  SetEnvironmentVariableW(L"ComSpec", L"C:\\nowhere\\cmd.exe");
  const AutomationStatus started = startBatchFile("TalvorStart.bat", utf8(program_), shell_style::kMinimizedNoFocus);
  SetEnvironmentVariableW(L"ComSpec", saved);
  EXPECT_NE(started.code, 0);
  EXPECT_NE(started.code, failure_code::kFileNotFound);
  EXPECT_NE(started.description.find("(system error "), std::string::npos) << started.description;
}
