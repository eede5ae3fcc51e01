#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>
#include <tuple>

#include "platform/desktop_services.h"
#include "platform/failure_codes.h"
#include "test_windows.h"
#include "win32_batch_start.h"
#include "win32_keys.h"
#include "win32_windows.h"

TEST(WindowByTitle, ExactBeforePrefixCaseSensitiveNeverOwnNeverEmpty) {
  LoggingWindow longer(L"Microsoft Backup - test 2");
  LoggingWindow target(L"Microsoft Backup - test");
  const std::tuple<const wchar_t*, TitleMatch, HWND, HWND> cases[] = {
      {L"Microsoft Backup - test", TitleMatch::Start, nullptr, target.handle()},
      {L"microsoft backup - test", TitleMatch::Start, nullptr, nullptr},
      {L"", TitleMatch::Start, nullptr, nullptr},
      {L"Microsoft Backup - test", TitleMatch::Start, target.handle(), longer.handle()},
      {L"Microsoft Backup - test 2", TitleMatch::Start, longer.handle(), nullptr},
      {L"test 2", TitleMatch::End, nullptr, longer.handle()},
      {L"talvortestwindow", TitleMatch::Class, longer.handle(), target.handle()},
      {L"Microsoft Backup - test", TitleMatch::Class, nullptr, nullptr}};
  for (const auto& [title, match, own, expected] : cases)
    EXPECT_EQ(findWindowByTitle(title, match, own), expected) << ::testing::PrintToString(title);
  for (const char* title : {"Microsoft Backup - tset", ""})
    EXPECT_EQ(createAutomation()->activate(title, TitleMatch::Start).code, failure_code::kInvalidArgument) << title;
}

// A window of the backup program's maker that was open before the run (its
// help in a browser, a main window titled exactly) loses to the new one, even in front.
TEST(WindowByTitle, TheWindowThatAppearedSinceTheStartBeforeOneThatWasThere) {
  for (const wchar_t* older : {L"Microsoft Backup - Help - Web Browser", L"Microsoft Backup"}) {
    LoggingWindow before(older);
    auto automation = createAutomation();
    automation->beginRun();
    LoggingWindow newer(L"Microsoft Backup - [Untitled]");
    putInFront(before.handle());
    const AutomationStatus activated = automation->activate("Microsoft Backup", TitleMatch::Start);
    EXPECT_EQ(activated.window, "Microsoft Backup - [Untitled]");
    pumpMessages(20);
    EXPECT_EQ(GetForegroundWindow(), newer.handle()) << ::testing::PrintToString(older);
  }
}

TEST(Automation, KeysAreNeverSentToTheToolsOwnWindow) {
  LoggingWindow own(L"Talvor Start");
  putInFront(own.handle());
  auto automation = createAutomation();
  automation->setOwnWindow(reinterpret_cast<std::uintptr_t>(own.handle()));
  const AutomationStatus sent = automation->send({chr(U'B', true)}, true);
  EXPECT_EQ(sent.code, failure_code::kInvalidArgument);
  EXPECT_TRUE(sent.ownWindow);
  pumpMessages();
  EXPECT_TRUE(own.keys().empty());
}

TEST(KeyPlan, UpIsExtendedEveryPressIsReleasedAndAnUntypableCharacterSendsNothing) {
  const KeyPlan plan = planKeys({chr(U'B', true), chr(U'b'), named(KeyStroke::Key::Up), chr(U'{', true)});
  ASSERT_TRUE(plan.status.ok());
  int down[256] = {};
  for (const INPUT& i : plan.inputs) {
    EXPECT_GE(down[i.ki.wVk & 0xFF] += (i.ki.dwFlags & KEYEVENTF_KEYUP) ? -1 : 1, 0);
    // A plain Up would be the keypad's 8 with Num Lock on.
    EXPECT_TRUE(i.ki.wVk != VK_UP || (i.ki.dwFlags & KEYEVENTF_EXTENDEDKEY));
  }
  for (int d : down) EXPECT_EQ(d, 0);
  const KeyPlan untypable = planKeys({chr(U'a'), chr(U'\U0001F600')});
  EXPECT_EQ(untypable.status.code, failure_code::kInvalidArgument);
  EXPECT_TRUE(untypable.inputs.empty());
}

// A program folder with blanks, and a current folder that anyone may have filled.
class BatchFile : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const std::wstring& dir : {base_, program_, elsewhere_}) CreateDirectoryW(dir.c_str(), nullptr);
    GetCurrentDirectoryW(MAX_PATH, current_);
    SetCurrentDirectoryW(elsewhere_.c_str());
  }
  void TearDown() override {
    SetCurrentDirectoryW(current_);
    waitUntil([this] { return removed(); }, 5000);  // a batch file still running holds its folder a moment
  }
  bool removed() const {
    for (const std::wstring& dir : {program_, elsewhere_}) {
      for (const wchar_t* file : {L"\\TalvorStart.bat", L"\\ran.txt", L"\\done.txt"}) DeleteFileW((dir + file).c_str());
      RemoveDirectoryW(dir.c_str());
    }
    return RemoveDirectoryW(base_.c_str());
  }
  void plant(const std::wstring& dir, const char* more = "") {
    std::ofstream((dir + L"\\TalvorStart.bat").c_str()) << "@echo ran> \"%~dp0ran.txt\"\r\n" << more;
  }
  static bool has(const std::wstring& dir, const wchar_t* file) {
    return GetFileAttributesW((dir + file).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  AutomationStatus start() {
    return startBatchFile("TalvorStart.bat", std::string(program_.begin(), program_.end()),
                          shell_style::kMinimizedNoFocus);
  }
  const std::wstring base_ = tempPath(L"batch"), program_ = base_ + L"\\program folder",
                     elsewhere_ = base_ + L"\\elsewhere";
  wchar_t current_[MAX_PATH] = L"";
};

// None in the program folder is code 53, whatever the current folder holds.
TEST_F(BatchFile, RunsFromTheProgramFolderNeverFromTheCurrentFolder) {
  EXPECT_EQ(start().code, failure_code::kFileNotFound);
  plant(elsewhere_);
  EXPECT_EQ(start().code, failure_code::kFileNotFound);
  plant(program_);
  ASSERT_TRUE(start().ok());
  EXPECT_TRUE(waitUntil([this] { return has(program_, L"\\ran.txt"); }, 15000));
  EXPECT_FALSE(has(elsewhere_, L"\\ran.txt"));
}

// Its console window may come up after the backup program was brought to the front; it must not take the keys.
TEST_F(BatchFile, ItsWindowLeavesTheForegroundToTheBackupProgram) {
  plant(program_, "@for /l %%i in (1,1,3000) do @rem\r\n@echo done> \"%~dp0done.txt\"\r\n");
  LoggingWindow backup(L"Microsoft Backup - batch");
  putInFront(backup.handle());
  ASSERT_EQ(GetForegroundWindow(), backup.handle());
  ASSERT_TRUE(start().ok());
  std::string others;  // from the start until the batch file has ended and its window is gone
  DWORD ended = 0;
  HWND last = backup.handle();
  for (const DWORD start = GetTickCount();
       GetTickCount() - start < 15000 && (!ended || GetTickCount() - ended < 500);) {
    pumpMessages(10);
    const HWND front = GetForegroundWindow();
    if (front != last && (last = front) != backup.handle())
      others += "\"" + (front ? windowTitleUtf8(front) : "(none)") + "\" ";
    if (!ended && has(program_, L"\\done.txt")) ended = GetTickCount();
  }
  EXPECT_TRUE(ended) << "the batch file did not end";
  EXPECT_EQ(others, "");
}

TEST_F(BatchFile, AnInterpreterThatCannotStartIsAFailureWithTheSystemsReason) {
  plant(program_);
  wchar_t saved[MAX_PATH] = {};
  GetEnvironmentVariableW(L"ComSpec", saved, MAX_PATH);
  SetEnvironmentVariableW(L"ComSpec", L"C:\\nowhere\\cmd.exe");
  const AutomationStatus started = start();
  SetEnvironmentVariableW(L"ComSpec", saved);
  EXPECT_NE(started.code, 0);
  EXPECT_NE(started.code, failure_code::kFileNotFound);
  EXPECT_NE(started.description.find("(system error "), std::string::npos) << started.description;
}
