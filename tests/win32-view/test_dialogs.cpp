#include "dialog_driver.h"
#include "input_box.h"
#include "message_box.h"

#include <gtest/gtest.h>

namespace {

// A visible owner window, as the tool's own window is when it prompts.
class Owner : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExW(0, L"STATIC", L"Talvor Start", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200, 420, 340,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(owner_);
  }
  void TearDown() override { DestroyWindow(owner_); }
  HWND owner_ = nullptr;
};

HWND child(HWND dialog, int id) { return GetDlgItem(dialog, id); }

}  // namespace

TEST_F(Owner, InputBoxShowsPromptAndDefaultAndGivesWhatIsTyped) {
  std::wstring prompt, answerBefore;
  RECT box{}, over{};
  WhenWindowShows answer(L"Start Title", [&](HWND dialog) {
    prompt = textOf(child(dialog, 100));
    answerBefore = textOf(child(dialog, 101));
    GetWindowRect(dialog, &box);
    GetWindowRect(owner_, &over);
    typeKeys(L"Backup Ä");  // replaces the selected default
    pressKey(VK_RETURN);
  });
  const std::wstring typed = showInputBox(owner_, L"Enter the title of the backup program", L"Start Title",
                                          L"Microsoft Backup");
  ASSERT_TRUE(answer.ran());
  EXPECT_EQ(prompt, L"Enter the title of the backup program");
  EXPECT_EQ(answerBefore, L"Microsoft Backup");
  EXPECT_EQ(typed, L"Backup Ä");
  // Opened over the tool's window, not in a corner of the screen.
  const LONG cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
  EXPECT_NEAR(cx, (over.left + over.right) / 2, 2);
  EXPECT_NEAR(cy, (over.top + over.bottom) / 2, 2);
}

TEST_F(Owner, InputBoxKeepsTheDefaultOnEnterAndGivesNothingOnCancelOrEsc) {
  {
    WhenWindowShows answer(L"Prompt", [](HWND) { pressKey(VK_RETURN); });
    EXPECT_EQ(showInputBox(owner_, L"p", L"Prompt", L"S"), L"S");
    ASSERT_TRUE(answer.ran());
  }
  {
    WhenWindowShows answer(L"Prompt", [](HWND dialog) {
      typeKeys(L"X");
      SendMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(showInputBox(owner_, L"p", L"Prompt", L"S"), L"");
    ASSERT_TRUE(answer.ran());
  }
  {
    WhenWindowShows answer(L"Prompt", [](HWND) { pressKey(VK_ESCAPE); });
    EXPECT_EQ(showInputBox(owner_, L"p", L"Prompt", L"S"), L"");
    ASSERT_TRUE(answer.ran());
  }
}

TEST_F(Owner, MessageBoxCarriesTheApplicationsTitleUnlessGivenOne) {
  for (int style : {0, 16, 64}) {
    std::wstring text;
    WhenWindowShows close(L"talvorstart", [&](HWND box) {
      // The box's text is its one static control that has text.
      for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (!textOf(c).empty() && textOf(c) != L"OK") text = textOf(c);
      pressKey(VK_RETURN);
    });
    showMessageBox(owner_, L"File Not Found", style);
    EXPECT_TRUE(close.ran()) << "style " << style;
    EXPECT_EQ(text, L"File Not Found") << "style " << style;
  }
  WhenWindowShows close(L"About Talvor Start", [](HWND) { pressKey(VK_RETURN); });
  showMessageBox(owner_, L"Version 1.0.29", 64, L"About Talvor Start");
  EXPECT_TRUE(close.ran());
}
