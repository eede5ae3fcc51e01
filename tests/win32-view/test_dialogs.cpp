#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "input_box.h"
#include "message_box.h"
#include "test_windows.h"

namespace {

// A visible owner window, as the tool's own window is when it prompts.
class Owner : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExW(0, L"STATIC", L"Talvor Start", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200, 420, 340,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(owner_);
    settled(owner_);
  }
  // Where the window manager leaves a window: on a busy machine it places it a moment after it shows.
  static RECT settled(HWND window) {
    RECT last{}, now{};
    for (int i = 0; i < 20 && (pumpMessages(100), GetWindowRect(window, &now), !EqualRect(&now, &last)); ++i)
      last = now;
    return now;
  }
  void TearDown() override { DestroyWindow(owner_); }
  HWND owner_ = nullptr;
};

}  // namespace

// Typed text replaces the selected default; Enter alone keeps it; Cancel and Esc give nothing.
TEST_F(Owner, InputBoxShowsPromptAndDefaultOverItsOwnerAndGivesTheAnswer) {
  // Typed, the key that ends it (0: the Cancel button), the answer.
  const std::tuple<std::wstring, WORD, std::wstring> cases[] = {{L"Backup Ä", VK_RETURN, L"Backup Ä"},
                                                                {L"", VK_RETURN, L"Microsoft Backup"},
                                                                {L"", 0, L""},
                                                                {L"", VK_ESCAPE, L""}};
  for (const auto& [typed, finish, answer] : cases) {
    std::wstring prompt, before;
    RECT box{}, over{};
    WhenWindowShows answering(L"Start Title", [&, typed = typed, finish = finish](HWND dialog) {
      prompt = textOf(GetDlgItem(dialog, 100));
      before = textOf(GetDlgItem(dialog, 101));
      box = settled(dialog);
      GetWindowRect(owner_, &over);
      typeKeys(typed);
      finish ? pressKey(finish) : void(SendMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0));
    });
    EXPECT_EQ(showInputBox(owner_, L"Enter the title of the backup program", L"Start Title", L"Microsoft Backup"),
              answer);
    ASSERT_TRUE(answering.ran());
    EXPECT_EQ(prompt, L"Enter the title of the backup program");
    EXPECT_EQ(before, L"Microsoft Backup");
    // Opened over the tool's window, not in a corner of the screen; the window manager may nudge either a little.
    const auto at = [](const RECT& r) { return std::to_string(r.left) + "," + std::to_string(r.top); };
    EXPECT_NEAR(box.left + box.right, over.left + over.right, 40) << "box at " << at(box) << ", owner at " << at(over);
    EXPECT_NEAR(box.top + box.bottom, over.top + over.bottom, 40) << "box at " << at(box) << ", owner at " << at(over);
  }
}

TEST_F(Owner, MessageBoxCarriesTheApplicationsTitleUnlessGivenOne) {
  const std::pair<int, const wchar_t*> cases[] = {{0, L"talvorstart"}, {16, L"talvorstart"}, {64, L"About"}};
  for (const auto& [style, title] : cases) {
    std::wstring text;
    WhenWindowShows close(title, [&text](HWND box) { text = boxText(box), pressKey(VK_RETURN); });
    showMessageBox(owner_, L"File Not Found", style, title == std::wstring(L"About") ? title : L"");
    EXPECT_TRUE(close.ran()) << "style " << style;
    EXPECT_EQ(text, L"File Not Found") << "style " << style;
  }
}
