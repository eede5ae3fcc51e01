// The start-up load: which prompts come up, what the controls show, what
// the store holds afterwards, and what stored rubbish turns into.
#include "launch_fixture.h"

#include "app/settings_load.h"

#include <gtest/gtest.h>

namespace {

Texts promptTitles(const FakeDesktopServices& desk) {
  Texts out;
  for (const auto& p : desk.prompts) out.push_back(p.title);
  return out;
}

// The window with an empty or seeded store, loaded but not run.
struct Loaded {
  settings::MemoryStore store;
  FakeDesktopServices desk;
  std::unique_ptr<FrmMain> frm;

  void load() {
    frm = std::make_unique<FrmMain>(store, desk);
    Form_Load(*frm);
    loadSettings(*frm, store, desk);
  }
  std::string stored(const std::string& section, const std::string& key) const {
    return store.GetSetting(settings::kApp, section, key, "<absent>");
  }
  Texts writes() const {
    Texts out;
    for (const auto& w : store.writes()) out.push_back(w.section + "/" + w.key + "=" + w.value);
    return out;
  }
  bool jobControlsShown(bool shown) const {
    for (const Control* c : frm->jobControls())
      if (c->visible() != shown) return false;
    return true;
  }
};

TEST(SettingsLoad, FirstStartAsksForTheThreeTexts) {
  Loaded t;
  t.load();
  EXPECT_EQ(promptTitles(t.desk), Texts({"Start Letter", "Title", "Backup Job Letter"}));
  ASSERT_EQ(t.desk.prompts.size(), 3u);
  EXPECT_EQ(t.desk.prompts[0].defaultText, "S");
  EXPECT_EQ(t.desk.prompts[1].defaultText, "Microsoft Backup");
  EXPECT_EQ(t.desk.prompts[2].defaultText, "B");
  EXPECT_EQ(t.desk.prompts[1].prompt.rfind("This program needs to set the Backup program active.  To do", 0), 0u);
  EXPECT_EQ(t.frm->txtStartDelay.text(), "10");
  EXPECT_EQ(t.frm->chkOnceOnly.value(), 1);
  EXPECT_EQ(t.frm->chkDefault.value(), 1);
  EXPECT_TRUE(t.jobControlsShown(false));
  EXPECT_EQ(t.stored("Start", "Letter"), "S");
  EXPECT_EQ(t.stored("Start", "Title"), "Microsoft Backup");
  EXPECT_EQ(t.stored("Start", "BackupJobLetter"), "B");
  EXPECT_EQ(t.store.foreignAppCalls(), 0);
}

TEST(SettingsLoad, PromptOnlyForAnEmptyDelay) {
  struct Case {
    std::string stored;
    Texts prompts;
    std::string shown;
  };
  for (const Case& c : {Case{"", {"Start Delay"}, "10"}, Case{" ", {}, " "}, Case{"abc", {}, "abc"}}) {
    SCOPED_TRACE("\"" + c.stored + "\"");
    Loaded t;
    t.store.put("Start", "StartDelay", c.stored);
    t.store.put("Start", "Letter", "S");
    t.store.put("Start", "Title", "Microsoft Backup");
    t.store.put("Start", "BackupJobLetter", "B");
    t.load();
    EXPECT_EQ(promptTitles(t.desk), c.prompts);
    if (!c.prompts.empty()) {
      EXPECT_EQ(t.desk.prompts[0].defaultText, "10");
    }
    EXPECT_EQ(t.frm->txtStartDelay.text(), c.shown);
    EXPECT_EQ(t.stored("Start", "StartDelay"), c.shown);
  }
}

TEST(SettingsLoad, CancelledTitleIsStoredEmptyAndAskedAgain) {
  Loaded t;
  t.desk.answers = {std::string("S"), std::nullopt, std::string("{")};
  t.load();
  EXPECT_EQ(t.frm->txtTitle.text(), "");
  EXPECT_EQ(t.stored("Start", "Title"), "");  // present and empty
  EXPECT_EQ(t.stored("Start", "BackupJobLetter"), "{");  // answers are not validated

  FakeDesktopServices nextStart;
  FrmMain again(t.store, nextStart);
  loadSettings(again, t.store, nextStart);
  EXPECT_EQ(promptTitles(nextStart), Texts{"Title"});
}

TEST(SettingsLoad, CheckedBoxesGetTheirTooltipAndTheStoreIsUnchanged) {
  Loaded t;
  t.store.put("Month", "12onoff", "1");
  t.store.put("Month", "12Backup", "7");
  t.store.put("Month", "13Backup", "9");  // unchecked: its number is only carried
  t.store.put("Wednesday", "Wednesday", "1");
  t.store.put("Wednesday", "Backup", "3");
  t.store.put("Start", "BackupNumber", "5");
  t.load();
  EXPECT_EQ(t.frm->chkDay(12).value(), 1);
  EXPECT_EQ(t.frm->chkDay(12).tooltip(), "Backup number  7 selected for the 12th day of the month");
  EXPECT_EQ(t.frm->chkwednesday.tooltip(), "Backup number  3 selected for Wednesday");
  EXPECT_EQ(t.frm->chkDay(13).value(), 0);
  EXPECT_EQ(t.frm->chkDay(13).tooltip(), kScheduleDesignTooltip);
  EXPECT_EQ(t.stored("Month", "12Backup"), "7");
  EXPECT_EQ(t.stored("Wednesday", "Backup"), "3");
  // The slider carried 38 numbers; the user's own stays, on both controls.
  EXPECT_EQ(t.frm->SliderBackupNumber.value(), 5);
  EXPECT_EQ(t.frm->txtBackupNumber.text(), "5");
  EXPECT_EQ(t.stored("Start", "BackupNumber"), "5");
}

// The click and change handlers write back in the load's own order.
TEST(SettingsLoad, WritesInTheFixedOrder) {
  Loaded t;
  t.store.put("Month", "3onoff", "1");
  t.store.put("Month", "3Backup", "2");
  t.store.put("Month", "12onoff", "1");
  t.store.put("Month", "12Backup", "7");
  t.store.put("Sunday", "Sunday", "1");
  t.store.put("Sunday", "Backup", "4");
  t.store.put("Start", "OnceOnly", "1");
  t.store.put("Start", "StartDelay", "");
  t.store.put("Start", "Letter", "K");
  t.store.put("Start", "Title", "Microsoft Backup");
  t.store.put("Start", "Default", "0");
  t.store.put("Start", "BackupJobLetter", "B");
  t.desk.answers = {std::string("15")};
  // The option boxes' design states are unchecked: "Default" 0 runs no handler.
  t.load();
  EXPECT_EQ(t.writes(), Texts({
                            "Month/3onoff=1",
                            "Month/3Backup=2",
                            "Month/12onoff=1",
                            "Month/12Backup=7",
                            "Sunday/Sunday=1",
                            "Sunday/Backup=4",
                            "Start/OnceOnly=1",
                            "Start/StartDelay=",    // the design's "10" replaced
                            "Start/StartDelay=15",  // the answer, by the change handler
                            "Start/StartDelay=15",  // and by the prompt's own store
                            "Start/Letter=K",
                            // texts equal to the design texts change nothing
                        }));
  EXPECT_TRUE(t.jobControlsShown(true));
}

TEST(SettingsLoad, LastBackupDecidesWhichControlsShow) {
  for (const auto& [stored, shown] : {std::pair{"0", true}, {"1", false}, {"yes", false}}) {
    SCOPED_TRACE(stored);
    Loaded t;
    t.store.put("Start", "Default", stored);
    t.load();
    EXPECT_TRUE(t.jobControlsShown(shown));
  }
}

// Values this program never writes, as a hand-edited or damaged file
// holds them: each reads as a defined value and nothing crashes.
TEST(SettingsLoad, BadStoredValues) {
  Loaded t;
  t.store.put("Month", "5onoff", "2");  // neither state: the default
  t.store.put("Month", "6onoff", "1");
  t.store.put("Month", "6Backup", "x");  // not a number: the default job
  t.store.put("Month", "7onoff", "1");
  t.store.put("Month", "7Backup", "99");  // above the slider: its maximum
  t.store.put("Month", "8onoff", "1");
  t.store.put("Month", "8Backup", "-4");  // below: its minimum
  t.store.put("Start", "OnceOnly", "");
  t.store.put("Start", "StartDelay", "1e30");
  t.store.put("Start", "BackupNumber", "2.5");
  t.load();
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

// An unattended start: a store that cannot be read or written holds
// nothing back. It says so in the window, never in a box that waits.
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

// Settings that exist but cannot be read: no question whose answer could
// not be kept, and no run on values nobody set.
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
