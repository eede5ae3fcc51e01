#include "dialog_driver.h"
#include "help_text.h"
#include "help_window.h"

#include <gtest/gtest.h>

namespace {

std::wstring lineAt(const std::wstring& text, size_t start) {
  return text.substr(start, text.find(L"\r\n", start) - start);
}

std::wstring line(const std::wstring& text, int n) {
  size_t start = 0;
  for (int i = 0; i < n && start != std::wstring::npos; ++i) {
    start = text.find(L"\r\n", start);
    if (start != std::wstring::npos) start += 2;
  }
  if (start == std::wstring::npos) return L"(no such line)";
  return text.substr(start, text.find(L"\r\n", start) - start);
}

std::wstring besideThisProgram(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\') + 1) + name;
}

}  // namespace

TEST(HelpText, BlocksOnLinesOfTheirOwnAndTopicsAtTheirHeadings) {
  const HelpText help = helpTextFromHtml(
      "<html><head><title>Not shown</title></head><body>\n<h2><a name=\"contents\"></a>Talvor  Start</h2>\n"
      "<p>Runs one\nbackup <b>each</b>, time &amp; again.</p><ol><li>First</li>\n<li>Second</li></ol>"
      "<h3><a name=\"topic12\"></a>Backup Job</h3><p>Don&#39;t &bogus; &#xZZ; &#99999999999;</p>");
  EXPECT_EQ(line(help.text, 0), L"Talvor Start");
  EXPECT_EQ(line(help.text, 1), L"");
  EXPECT_EQ(line(help.text, 2), L"Runs one backup each, time & again.");
  EXPECT_EQ(line(help.text, 4), L"  1. First");
  EXPECT_EQ(line(help.text, 5), L"  2. Second");
  EXPECT_EQ(help.topicStart.at(0), 0u);
  ASSERT_EQ(help.topicStart.count(12), 1u);
  EXPECT_EQ(lineAt(help.text, help.topicStart.at(12)), L"Backup Job");
  EXPECT_EQ(line(help.text, 9), L"Don't &bogus; &#xZZ; &#99999999999;");
  EXPECT_EQ(helpTextFromHtml("<p>unclosed <b").text, L"unclosed\r\n");
}

TEST(HelpWindow, ShowsTheShippedHelpAtEachTopicOfTheWindow) {
  HelpWindow help;
  const std::wstring file = besideThisProgram(L"talvorstart.hlp");
  const std::pair<int, const wchar_t*> topics[] = {{4, L"Last Backup"}, {5, L"Backup number"}, {6, L"Weekdays"},
                                                   {9, L"Delay"},       {10, L"Start Key"},     {11, L"Start Title"},
                                                   {12, L"Backup Job"}, {0, L"Talvor Start"},   {99, L"Talvor Start"}};
  for (const auto& [topic, heading] : topics) {
    ASSERT_TRUE(help.show(nullptr, file, topic));
    EXPECT_TRUE(IsWindowVisible(help.handle()));
    EXPECT_EQ(help.topLine(), heading) << "topic " << topic;
  }
}

TEST(HelpWindow, AMissingFileIsToldWithItsName) {
  HelpWindow help;
  std::wstring told;
  WhenWindowShows close(L"talvorstart", [&](HWND box) {
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      if (textOf(c).size() > told.size()) told = textOf(c);
    pressKey(VK_RETURN);
  });
  EXPECT_FALSE(help.show(nullptr, besideThisProgram(L"nowhere.hlp"), 4));
  EXPECT_TRUE(close.ran());
  EXPECT_NE(told.find(L"nowhere.hlp could not be opened"), std::wstring::npos) << told.c_str();
  EXPECT_EQ(help.handle(), nullptr);
}
