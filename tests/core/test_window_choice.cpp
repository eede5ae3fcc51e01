// Which window a run activates when several could be the backup program.
#include "platform/window_choice.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  const char* what;
  std::vector<WindowCandidate> oldestFirst;
  const char* title;
  int expected;
};

TEST(WindowChoice, NewWindowsFirstNewestFirstExactBeforePrefix) {
  const std::string mb = "Microsoft Backup";
  const Case cases[] = {
      {"an older window that matches the prefix loses to the new one",
       {{mb + " - Help - Web Browser", true}, {mb + " - [Untitled]", false}}, "Microsoft Backup", 1},
      {"an older exact title loses to a new prefix", {{mb, true}, {mb + " - [Untitled]", false}}, "Microsoft Backup", 1},
      {"among new windows the exact title wins", {{mb, false}, {mb + " - x", false}}, "Microsoft Backup", 0},
      {"among new windows the newest wins", {{mb + " - a", false}, {mb + " - b", false}, {"Other", false}},
       "Microsoft Backup", 1},
      {"no new one matches: an older one, the exact first", {{mb + " - a", true}, {mb, true}, {"x", false}},
       "Microsoft Backup", 1},
      {"no new one matches: the newest older prefix", {{mb + " - a", true}, {mb + " - b", true}}, "Microsoft Backup",
       1},
      {"case counts", {{"microsoft backup", false}}, "Microsoft Backup", -1},
      {"a longer text is no prefix of a shorter title", {{"Microsoft", false}}, "Microsoft Backup", -1},
      {"an empty text matches nothing", {{mb, false}}, "", -1},
      {"no windows", {}, "Microsoft Backup", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(chooseWindowByTitle(c.oldestFirst, c.title), c.expected) << c.what;
}

}  // namespace
