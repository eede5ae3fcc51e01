#include <gtest/gtest.h>

#include "help_text.h"
#include "help_window.h"
#include "test_windows.h"

TEST(HelpText, BlocksOnLinesOfTheirOwnAndTopicsAtTheirHeadings) {
  const HelpText help = helpTextFromHtml(
      "<html><head><title>Not shown</title></head><body>\n<h2><a name=\"contents\"></a>Talvor  Start</h2>\n"
      "<p>Runs one\nbackup <b>each</b>, time &amp; again.</p><ol><li>First</li>\n<li>Second</li></ol>"
      "<h3><a name=\"topic12\"></a>Backup Job</h3><p>Don&#39;t &bogus; &#xZZ; &#99999999999;</p>");
  EXPECT_EQ(help.text,
            L"Talvor Start\r\n\r\nRuns one backup each, time & again.\r\n\r\n  1. First\r\n  2. Second\r\n\r\n"
            L"Backup Job\r\n\r\nDon't &bogus; &#xZZ; &#99999999999;\r\n\r\n");
  EXPECT_EQ(help.topicStart.at(0), 0u);
  EXPECT_EQ(help.text.substr(help.topicStart.at(12), 10), L"Backup Job");
  EXPECT_EQ(helpTextFromHtml("<p>unclosed <b").text, L"unclosed\r\n");
}

// F1 on each control of the window opens the shipped help at its topic; an unknown one at the contents.
TEST(HelpWindow, ShowsTheShippedHelpAtEachTopicOfTheWindow) {
  HelpWindow help;
  const std::pair<int, const wchar_t*> topics[] = {{4, L"Last Backup"}, {5, L"Backup number"}, {6, L"Weekdays"},
                                                   {9, L"Delay"},       {10, L"Start Key"},    {11, L"Start Title"},
                                                   {12, L"Backup Job"}, {0, L"Talvor Start"},  {99, L"Talvor Start"}};
  for (const auto& [topic, heading] : topics) {
    ASSERT_TRUE(help.show(nullptr, besideTheTests(L"talvorstart.hlp"), topic));
    EXPECT_TRUE(IsWindowVisible(help.handle()));
    EXPECT_EQ(help.topLine(), heading) << "topic " << topic;
  }
}

TEST(HelpWindow, AMissingFileIsToldWithItsName) {
  HelpWindow help;
  std::wstring told;
  WhenWindowShows close(L"talvorstart", [&](HWND box) { told = boxText(box), pressKey(VK_RETURN); });
  EXPECT_FALSE(help.show(nullptr, besideTheTests(L"nowhere.hlp"), 4));
  EXPECT_TRUE(close.ran());
  EXPECT_NE(told.find(L"nowhere.hlp could not be opened"), std::wstring::npos);
  EXPECT_EQ(help.handle(), nullptr);
}
