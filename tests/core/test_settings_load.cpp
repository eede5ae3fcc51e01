// The start-up load: the prompts, what the controls show and store, what stored rubbish becomes.
#include <gtest/gtest.h>

#include "app/settings_load.h"
#include "launch_fixture.h"

namespace {

// The window on an empty or seeded store, loaded but not run.
struct Loaded : LaunchFixture {
  Loaded() { store = settings::MemoryStore(); }
  void load() {
    frm = std::make_unique<FrmMain>(store, desk);
    Form_Load(*frm);
    loadSettings(*frm, store, desk);
  }
  bool jobControlsShown(bool shown) const {
    for (const Control* c : frm->jobControls())
      if (c->visible() != shown) return false;
    return true;
  }
};

// The four questions, word for word; the delay's only for an empty stored text.
TEST(SettingsLoad, PromptsAsDesigned) {
  const FakeDesktopServices::Prompt delay{
      "A delay is required to allow the backup program to start.  10 seconds works OK but your system may require "
      "more).",
      "Start Delay", "10"};
  const FakeDesktopServices::Prompt letter{
      "This program uses the keyboard shortcut to start MS Backup.  Non English versions do not use 'S' as the "
      "keyboard shortcut.  Enter the letter that your backup software uses (hint it is the letter that is underlined "
      "on your start button).",
      "Start Letter", "S"};
  const FakeDesktopServices::Prompt title{
      "This program needs to set the Backup program active.  To do this, the name in the title bar is required.  Non "
      "MS Backup or non English versions do not use 'Microsoft Backup' as the title.  Enter the title prior to the "
      "'-' that your backup software uses (hint it is displayed in the title bar now).",
      "Title", "Microsoft Backup"};
  const FakeDesktopServices::Prompt job{
      "This program uses the keyboard shortcut to change backup jobs.  Non English versions do not use 'B' as the "
      "keyboard shortcut.  Enter the letter that your backup software uses (hint it is the letter that is underlined "
      "on the text above the job drop down menu).",
      "Backup Job Letter", "B"};
  struct Case {
    const char* storedDelay;  // nullptr: absent
    std::vector<FakeDesktopServices::Prompt> asked;
    const char* shownDelay;
  };
  const Case cases[] = {{nullptr, {letter, title, job}, "10"},
                        {"", {delay, letter, title, job}, "10"},
                        {" ", {letter, title, job}, " "},
                        {"abc", {letter, title, job}, "abc"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.storedDelay ? c.storedDelay : "absent");
    Loaded t;
    if (c.storedDelay) t.store.put("Start", "StartDelay", c.storedDelay);
    t.load();
    ASSERT_EQ(t.desk.prompts.size(), c.asked.size());
    for (size_t i = 0; i < c.asked.size(); ++i) {
      EXPECT_EQ(t.desk.prompts[i].title, c.asked[i].title);
      EXPECT_EQ(t.desk.prompts[i].defaultText, c.asked[i].defaultText);
      EXPECT_EQ(t.desk.prompts[i].prompt, c.asked[i].prompt);
    }
    EXPECT_EQ(t.frm->txtStartDelay.text(), c.shownDelay);
    EXPECT_EQ(t.stored("Start", "StartDelay"), c.storedDelay ? c.shownDelay : "<absent>");
    EXPECT_EQ(t.stored("Start", "Letter"), "S");
    EXPECT_EQ(t.stored("Start", "Title"), "Microsoft Backup");
    EXPECT_EQ(t.stored("Start", "BackupJobLetter"), "B");
    EXPECT_EQ(t.frm->chkOnceOnly.value(), 1);
    EXPECT_EQ(t.frm->chkDefault.value(), 1);
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
  const std::pair<const char*, const char*> month[] = {
      {"3onoff", "1"}, {"3Backup", "2"}, {"12onoff", "1"}, {"12Backup", "7"}, {"13Backup", "9"}};
  for (const auto& [key, value] : month) t.store.put("Month", key, value);
  t.store.put("Wednesday", "Wednesday", "1");
  t.store.put("Wednesday", "Backup", "4");
  const std::pair<const char*, const char*> start[] = {
      {"OnceOnly", "1"}, {"StartDelay", ""},       {"Letter", "K"},      {"Title", "Microsoft Backup"},
      {"Default", "0"},  {"BackupJobLetter", "B"}, {"BackupNumber", "5"}};
  for (const auto& [key, value] : start) t.store.put("Start", key, value);
  t.desk.answers = {std::string("15")};
  // The option boxes' design states are unchecked: "Default" 0 runs no handler.
  t.load();
  EXPECT_EQ(t.writes(), Texts({
                            "Month/3onoff=1", "Month/3Backup=2", "Month/12onoff=1", "Month/12Backup=7",
                            "Wednesday/Wednesday=1", "Wednesday/Backup=4", "Start/OnceOnly=1",
                            "Start/StartDelay=",    // the design's "10" replaced
                            "Start/StartDelay=15",  // the answer, by the change handler
                            "Start/StartDelay=15",  // and by the prompt's own store
                            "Start/Letter=K",
                            // texts equal to the design texts change nothing
                        }));
  EXPECT_TRUE(t.jobControlsShown(true));
  EXPECT_EQ(t.frm->chkDay(12).tooltip(), "Backup number  7 selected for the 12th day of the month");
  EXPECT_EQ(t.frm->chkwednesday.tooltip(), "Backup number  4 selected for Wednesday");
  EXPECT_EQ(t.frm->chkDay(13).value(), 0);
  EXPECT_EQ(t.frm->chkDay(13).tooltip(), "Set the slider before checking this box");
  // The slider carried 38 numbers; the user's own stays, on both controls.
  EXPECT_EQ(t.frm->SliderBackupNumber.value(), 5);
  EXPECT_EQ(t.frm->txtBackupNumber.text(), "5");
}

// Values this program never writes read as defined values.
TEST(SettingsLoad, BadStoredValues) {
  Loaded t;
  // Neither state, not a number, above and below the slider, not 0 (the job controls hidden).
  const std::tuple<const char*, const char*, const char*> stored[] = {
      {"Month", "5onoff", "2"},         {"Month", "6onoff", "1"},   {"Month", "6Backup", "x"},
      {"Month", "7onoff", "1"},         {"Month", "7Backup", "99"}, {"Month", "8onoff", "1"},
      {"Month", "8Backup", "-4"},       {"Start", "OnceOnly", ""},  {"Start", "StartDelay", "1e30"},
      {"Start", "BackupNumber", "2.5"}, {"Start", "Default", "yes"}};
  for (const auto& [section, key, value] : stored) t.store.put(section, key, value);
  t.load();
  EXPECT_TRUE(t.jobControlsShown(false));
  EXPECT_EQ(t.frm->chkDay(5).value(), 0);
  EXPECT_EQ(t.frm->chkDay(6).tooltip(), "Backup number  1 selected for the 6th day of the month");
  EXPECT_EQ(t.stored("Month", "6Backup"), "1");
  EXPECT_EQ(t.frm->chkDay(7).tooltip(), "Backup number  20 selected for the 7th day of the month");
  EXPECT_EQ(t.frm->chkDay(8).tooltip(), "Backup number  1 selected for the 8th day of the month");
  EXPECT_EQ(t.frm->chkOnceOnly.value(), 1);
  EXPECT_EQ(t.frm->txtStartDelay.text(), "1e30");
  EXPECT_EQ(t.frm->SliderBackupNumber.value(), 1);
  EXPECT_EQ(t.frm->txtBackupNumber.text(), "1");
}

// A store that cannot be read or written holds nothing back; the window, not a box, says so.
TEST(SettingsLoad, StoreFailuresAreShownInTheWindowAndTheRunGoesOn) {
  LaunchFixture t;
  t.store.put("Month", "12onoff", "1");  // the load ticks it, which writes it back
  t.store.setReadProblem("/home/u/.config/TalvorStart/TalvorStart.ini: it is not a regular file");
  t.store.setFailWrites(true);
  t.desk.at(1, [&] { t.store.setFailWrites(false); });  // writable again before the run ends
  t.reportLikeTheProgram();
  EXPECT_EQ(t.start(), exit_status::kOk);
  EXPECT_TRUE(t.desk.boxes.empty());
  EXPECT_EQ(t.keys(), LaunchFixture::jobSequence("B", 20, 0, "S"));
  EXPECT_EQ(t.stored("Month", "12onoff"), "1");  // kept in memory, then stored
  EXPECT_TRUE(t.frm->lblProblem.visible());
  const std::string shown = t.frm->lblProblem.caption();
  EXPECT_NE(shown.find("Settings could not be read (/home/u/.config/TalvorStart/TalvorStart.ini: it is not a "
                       "regular file). This start uses the defaults"),
            std::string::npos)
      << shown;
  EXPECT_NE(shown.find("Settings could not be saved to memory: writes refused."), std::string::npos) << shown;
  // Once per reason, however many writes failed.
  EXPECT_EQ(shown.find("could not be saved"), shown.rfind("could not be saved"));
}

// Unreadable settings: no question whose answer could not be kept, no run on values nobody set.
TEST(SettingsLoad, UnreadableSettingsAskNothingAndTheRunSaysWhatToMend) {
  LaunchFixture t;
  t.store = settings::MemoryStore();
  t.store.setReadProblem("/home/u/.config/TalvorStart/TalvorStart.ini: it is not a regular file");
  t.reportLikeTheProgram();
  EXPECT_EQ(t.start(), outcomeInfo(Outcome::SettingsMissing).exitStatus);
  EXPECT_TRUE(t.desk.prompts.empty());
  EXPECT_TRUE(t.keys().empty());
  const std::string shown = t.frm->lblProblem.caption();
  EXPECT_NE(shown.find("Settings could not be read (/home/u/.config/TalvorStart/TalvorStart.ini: it is not a "
                       "regular file)"),
            std::string::npos)
      << shown;
}

}  // namespace
