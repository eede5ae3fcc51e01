// Which window a run activates when several could be the backup program.
#include <gtest/gtest.h>

#include "platform/window_choice.h"

namespace {

struct Case {
  const char* what;
  std::vector<WindowCandidate> oldestFirst;
  std::string title;
  int expected;
};

TEST(WindowChoice, NewWindowsFirstNewestFirstExactBeforePrefix) {
  const std::string mb = "Microsoft Backup", t = mb;
  const Case cases[] = {
      {"a new prefix before an older one", {{mb + " - Help - Web Browser", true}, {mb + " - [Untitled]", false}}, t, 1},
      {"a new prefix before an older exact title", {{mb, true}, {mb + " - [Untitled]", false}}, t, 1},
      {"among new windows the exact title", {{mb, false}, {mb + " - x", false}}, t, 0},
      {"among new windows the newest", {{mb + " - a", false}, {mb + " - b", false}, {"Other", false}}, t, 1},
      {"no new one: an older exact title", {{mb + " - a", true}, {mb, true}, {"x", false}}, t, 1},
      {"no new one: the newest older prefix", {{mb + " - a", true}, {mb + " - b", true}}, t, 1},
      {"case counts", {{"microsoft backup", false}}, t, -1},
      {"a longer text is no prefix of a shorter title", {{"Microsoft", false}}, t, -1},
      {"an empty text matches nothing", {{mb, false}}, "", -1},
      {"no windows", {}, t, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(chooseWindowByTitle(c.oldestFirst, c.title), c.expected) << c.what;
}

TEST(WindowChoice, OtherWaysOfMatching) {
  const std::vector<WindowCandidate> windows = {
      {"/home/u/nightly.profile - Profile Backup", false, {"profile-backup", "Profile-backup"}},
      {"Profile Backup", true, {"other"}},
      {"Backup Profile Backup Help", false, {"help"}}};
  // A new window before an older exact title; an end as long as the whole title.
  using M = TitleMatch;
  // clang-format off
  const std::tuple<TitleMatch, const char*, int> cases[] = {
      {M::End, "- Profile Backup", 0}, {M::End, "Profile Backup", 0}, {M::End, "Backup Profile Backup Help", 2},
      {M::End, "/home", -1}, {M::Contains, "nightly", 0}, {M::Contains, "Profile Backup", 2}, {M::Contains, "Backup", 2},
      {M::Contains, "NIGHTLY", -1}, {M::Class, "profile-backup", 0}, {M::Class, "PROFILE-BACKUP", 0},
      {M::Class, "Profile Backup", -1}, {M::Class, "other", 1}, {M::Start, "Backup Profile", 2}, {M::Start, "Profile", 1}};
  // clang-format on
  for (const auto& [match, text, expected] : cases)
    EXPECT_EQ(chooseWindowByTitle(windows, text, match), expected) << titleMatchSetting(match) << " " << text;

  // clang-format off
  const std::pair<const char*, const char*> texts[] = {
      {"start", "No window has the title \"X\""}, {"END", "No window has a title that ends with \"X\""},
      {"contains", "No window has a title that contains \"X\""}, {"", "No window has the title \"X\""},
      {"Class", "No window has the class or application id \"X\""}};
  // clang-format on
  for (const auto& [word, text] : texts) {
    TitleMatch m = TitleMatch::Contains;
    ASSERT_TRUE(titleMatchFromSetting(word, m)) << word;
    EXPECT_EQ(noWindowText("X", m), text);
  }
  TitleMatch m;
  EXPECT_FALSE(titleMatchFromSetting("prefix", m));
}

}  // namespace
