// The start-up load: the prompts, what the controls show and store, what stored rubbish becomes.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/settings_load.h"
#include "launch_fixture.h"
#include "settings/settings_schema.h"
#include "settings/settings_values.h"

namespace {

// The window on an empty or seeded store, loaded but not run.
struct Loaded : LaunchFixture {
  Loaded() { store = settings::MemoryStore(); }
  void load() { loadSettings(window(), store, desk); }
  bool jobControlsShown(bool shown) const {
    return std::all_of(frm->jobControls().begin(), frm->jobControls().end(),
                       [&](auto c) { return c->visible() == shown; });
  }
};

// The four questions, word for word, as title | default | text; the delay's only for an empty stored text.
TEST(SettingsLoad, PromptsAsDesigned) {
  // clang-format off
  const std::string delay = "Start Delay | 10 | A delay is required to allow the backup program to start.  10 seconds works OK but your system may require more).";
  const std::string letter = "Start Letter | S | This program uses the keyboard shortcut to start MS Backup.  Non English versions do not use 'S' as the keyboard shortcut.  Enter the letter that your backup software uses (hint it is the letter that is underlined on your start button).";
  const std::string title = "Title | Microsoft Backup | This program needs to set the Backup program active.  To do this, the name in the title bar is required.  Non MS Backup or non English versions do not use 'Microsoft Backup' as the title.  Enter the title prior to the '-' that your backup software uses (hint it is displayed in the title bar now).";
  const std::string job = "Backup Job Letter | B | This program uses the keyboard shortcut to change backup jobs.  Non English versions do not use 'B' as the keyboard shortcut.  Enter the letter that your backup software uses (hint it is the letter that is underlined on the text above the job drop down menu).";
  // The stored delay (nullptr: absent), what is asked, what the field shows.
  const std::tuple<const char*, Texts, const char*> cases[] = {{nullptr, {letter, title, job}, "10"},
      {"", {delay, letter, title, job}, "10"}, {" ", {letter, title, job}, " "}, {"abc", {letter, title, job}, "abc"}};
  // clang-format on
  for (const auto& [storedDelay, asked, shownDelay] : cases) {
    SCOPED_TRACE(storedDelay ? storedDelay : "absent");
    Loaded t;
    if (storedDelay) t.store.put("Start", "StartDelay", storedDelay);
    t.load();
    Texts prompts;
    for (const auto& p : t.desk.prompts) prompts.push_back(p.title + " | " + p.defaultText + " | " + p.prompt);
    EXPECT_EQ(prompts, asked);
    EXPECT_EQ(t.frm->txtStartDelay.text(), shownDelay);
    EXPECT_EQ(Texts({t.stored("Start", "StartDelay"), t.stored("Start", "Letter"), t.stored("Start", "Title"),
                     t.stored("Start", "BackupJobLetter")}),
              Texts({storedDelay ? shownDelay : "<absent>", "S", "Microsoft Backup", "B"}));
    EXPECT_EQ(std::pair(t.frm->chkOnceOnly.value(), t.frm->chkDefault.value()), std::pair(1, 1));
    EXPECT_TRUE(t.jobControlsShown(false));
    EXPECT_EQ(t.store.foreignAppCalls(), 0);
  }
}

TEST(SettingsLoad, CancelledTitleIsStoredEmptyAndAskedAgain) {
  Loaded t;
  t.desk.answers = {std::string("S"), std::nullopt, std::string("{")};
  t.load();
  EXPECT_EQ(t.frm->txtTitle.text(), "");
  EXPECT_EQ(t.stored("Start", "Title"), "");             // present and empty
  EXPECT_EQ(t.stored("Start", "BackupJobLetter"), "{");  // answers are not validated

  FakeDesktopServices nextStart;
  FrmMain again(t.store, nextStart);
  loadSettings(again, t.store, nextStart);
  ASSERT_EQ(nextStart.prompts.size(), 1u);
  EXPECT_EQ(nextStart.prompts[0].title, "Title");
}

// The handlers write back in the load's order; a ticked box shows its own job number.
TEST(SettingsLoad, WritesInTheFixedOrder) {
  Loaded t;
  t.put("Month", {{"3onoff", "1"}, {"3Backup", "2"}, {"12onoff", "1"}, {"12Backup", "7"}, {"13Backup", "9"}});
  t.put("Wednesday", {{"Wednesday", "1"}, {"Backup", "4"}});
  t.put("Start", {{"OnceOnly", "1"}, {"StartDelay", ""}, {"Letter", "K"}, {"Title", "Microsoft Backup"}});
  t.put("Start", {{"Default", "0"}, {"BackupJobLetter", "B"}, {"BackupNumber", "5"}});
  t.desk.answers = {std::string("15")};
  // "Default" 0 runs no handler (unchecked in the design); the delay's "10" replaced, then the answer stored by the
  // change handler and by the prompt; texts equal to the design's change nothing.
  t.load();
  EXPECT_EQ(t.writes(), Texts({"Month/3onoff=1", "Month/3Backup=2", "Month/12onoff=1", "Month/12Backup=7",
                               "Wednesday/Wednesday=1", "Wednesday/Backup=4", "Start/OnceOnly=1",
                               "Start/StartDelay=", "Start/StartDelay=15", "Start/StartDelay=15", "Start/Letter=K"}));
  EXPECT_TRUE(t.jobControlsShown(true));
  EXPECT_EQ(t.frm->chkDay(12).tooltip(), "Backup number  7 selected for the 12th day of the month");
  EXPECT_EQ(t.frm->chkwednesday.tooltip(), "Backup number  4 selected for Wednesday");
  EXPECT_EQ(std::pair(t.frm->chkDay(13).value(), t.frm->chkDay(13).tooltip()),
            std::pair(0, std::string("Set the slider before checking this box")));
  // The slider carried 38 numbers; the user's own stays, on both controls.
  EXPECT_EQ(std::pair(t.frm->SliderBackupNumber.value(), t.frm->txtBackupNumber.text()),
            std::pair(5, std::string("5")));
}

// Values this program never writes read as defined values.
TEST(SettingsLoad, BadStoredValues) {
  Loaded t;
  // Neither state, not a number, above and below the slider, not 0 (the job controls hidden).
  t.put("Month", {{"5onoff", "2"}, {"6onoff", "1"}, {"6Backup", "x"}, {"7onoff", "1"}, {"7Backup", "99"}});
  t.put("Month", {{"8onoff", "1"}, {"8Backup", "-4"}});
  t.put("Start", {{"OnceOnly", ""}, {"StartDelay", "1e30"}, {"BackupNumber", "2.5"}, {"Default", "yes"}});
  t.load();
  EXPECT_TRUE(t.jobControlsShown(false));
  EXPECT_EQ(t.frm->chkDay(5).value(), 0);
  EXPECT_EQ(Texts({t.frm->chkDay(6).tooltip(), t.frm->chkDay(7).tooltip(), t.frm->chkDay(8).tooltip()}),
            Texts({"Backup number  1 selected for the 6th day of the month",
                   "Backup number  20 selected for the 7th day of the month",
                   "Backup number  1 selected for the 8th day of the month"}));
  EXPECT_EQ(t.stored("Month", "6Backup"), "1");
  EXPECT_EQ(std::pair(t.frm->chkOnceOnly.value(), t.frm->txtStartDelay.text()), std::pair(1, std::string("1e30")));
  EXPECT_EQ(std::pair(t.frm->SliderBackupNumber.value(), t.frm->txtBackupNumber.text()),
            std::pair(1, std::string("1")));
}

// What the readers make of stored texts that are not what the program writes: a check state and a job number.
TEST(SettingsLoad, StoredTextsThatAreNotNumbersReadAsTheDefault) {
  const std::tuple<const char*, int, int> cases[] = {
      {"abc", 0, 1}, {"", 0, 1},  {" 1 ", 1, 1},  {"2", 0, 2}, {"1.5", 0, 1}, {"99999999999999999999", 0, 2147483647},
      {"-4", 0, -4}, {"1", 1, 1}, {"\t0\n", 0, 0}};
  for (const auto& [text, checkState, jobNumber] : cases) {
    settings::MemoryStore store;
    store.put("Month", "5onoff", text);
    store.put("Month", "5Backup", text);
    EXPECT_EQ(settings::readCheckState(store, settings::dayOnOff(5)), checkState) << text;
    EXPECT_EQ(settings::readJobNumber(store, settings::dayBackup(5)), jobNumber) << text;
    EXPECT_TRUE(store.writes().empty());
  }
}

}  // namespace
