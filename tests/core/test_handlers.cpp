// The window's handlers as a user meets them: schedule boxes, options, the
// slider, the text boxes, Pause/Run, About and Help.
#include <gtest/gtest.h>

#include "app/settings_load.h"
#include "launch_fixture.h"

namespace {

// A loaded window on a configured store, job controls shown.
struct Window : LaunchFixture {
  FrmMain* f;
  Window() {
    put("Start", "Default", "0");
    f = &window();
    loadSettings(*f, store, desk);
    store.clearWrites();
  }
};

TEST(Handlers, ScheduleClickStoresStateThenJobAndSetsTheTooltip) {
  struct Case {
    std::string box, section, onOff, backup, tooltip;
  };
  const Case cases[] = {
      {"chkDay1", "Month", "1onoff", "1Backup", "Backup number  3 selected for the 1st day of the month"},
      {"chkDay21", "Month", "21onoff", "21Backup", "Backup number  3 selected for the 21th day of the month"},
      {"chkDay22", "Month", "22onoff", "22Backup", "Backup number  3 selected for the 22th day of the month"},
      {"chkDay23", "Month", "23onoff", "23Backup", "Backup number  3 selected for the 23th day of the month"},
      {"chkDay31", "Month", "31onoff", "31Backup", "Backup number  3 selected for the 31st day of the month"},
      {"chkwednesday", "Wednesday", "Wednesday", "Backup", "Backup number  3 selected for Wednesday"},
      {"chkSunday", "Sunday", "Sunday", "Backup", "Backup number  3 selected for Sunday"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    Window w;
    w.f->SliderBackupNumber.userMoved(3);
    w.store.clearWrites();
    auto* box = dynamic_cast<CheckBox*>(w.f->control(c.box));
    ASSERT_TRUE(box);
    box->click();
    EXPECT_EQ(w.writes(), Texts({c.section + "/" + c.onOff + "=1", c.section + "/" + c.backup + "=3"}));
    EXPECT_EQ(box->tooltip(), c.tooltip);

    // Unticking stores the state and the slider's number of now.
    w.f->SliderBackupNumber.userMoved(7);
    w.store.clearWrites();
    box->click();
    EXPECT_EQ(w.writes(), Texts({c.section + "/" + c.onOff + "=0", c.section + "/" + c.backup + "=7"}));
    EXPECT_EQ(box->tooltip(), kScheduleDesignTooltip);
  }
}

TEST(Handlers, EveryScheduleEntryHasItsBox) {
  Window w;
  ASSERT_EQ(scheduleTable().size(), 38u);
  for (const ScheduleEntry& e : scheduleTable()) EXPECT_EQ(w.f->scheduleBox(e).name(), e.boxName);
}

TEST(Handlers, SliderMoveKeepsTheTooltipsAndMirrorsTheNumber) {
  Window w;
  w.f->chkDay(5).click();
  const std::string before = w.f->chkDay(5).tooltip();
  w.store.clearWrites();
  w.f->SliderBackupNumber.userMoved(4);
  EXPECT_EQ(w.f->chkDay(5).tooltip(), before);
  EXPECT_EQ(w.f->txtBackupNumber.text(), "4");
  EXPECT_EQ(w.writes(), Texts{"Start/BackupNumber=4"});
}

TEST(Handlers, ProgramMovesOfTheSliderStoreNothing) {
  Window w;
  w.f->SliderBackupNumber.setValue(9);
  EXPECT_TRUE(w.store.writes().empty());
  EXPECT_EQ(w.f->txtBackupNumber.text(), "1");
  w.f->SliderBackupNumber.setValue(0);  // clamped, as the track bar does
  EXPECT_EQ(w.f->SliderBackupNumber.value(), 1);
  w.f->SliderBackupNumber.setValue(21);
  EXPECT_EQ(w.f->SliderBackupNumber.value(), 20);
}

TEST(Handlers, TextBoxesStoreTheirWholeTextOnEveryChange) {
  Window w;
  for (const char* typed : {" ", " A", " A,", " A,"}) w.f->txtStartKey.setText(typed);  // the last changes nothing
  EXPECT_EQ(w.writes(), Texts({"Start/Letter= ", "Start/Letter= A", "Start/Letter= A,"}));
  w.store.clearWrites();
  w.f->txtTitle.setText("");
  w.f->txtStartDelay.setText("1e30");
  w.f->txtBackupKey.setText("{");
  EXPECT_EQ(w.writes(), Texts({"Start/Title=", "Start/StartDelay=1e30", "Start/BackupJobLetter={"}));
}

TEST(Handlers, LastBackupStoresThenShowsOrHides) {
  Window w;
  EXPECT_TRUE(w.f->SliderBackupNumber.visible());
  w.f->chkDefault.click();
  EXPECT_EQ(w.writes(), Texts{"Start/Default=1"});
  for (const Control* c : w.f->jobControls()) EXPECT_FALSE(c->visible()) << c->name();
  w.f->chkDefault.click();
  EXPECT_EQ(w.stored("Start", "Default"), "0");
  for (const Control* c : w.f->jobControls()) EXPECT_TRUE(c->visible()) << c->name();
}

TEST(Handlers, OncePerDayStoresItsState) {
  Window w;
  w.f->chkOnceOnly.click();
  w.f->chkOnceOnly.click();
  EXPECT_EQ(w.writes(), Texts({"Start/OnceOnly=0", "Start/OnceOnly=1"}));
}

TEST(Handlers, PauseButtonToggles) {
  Window w;
  EXPECT_EQ(w.f->cmdPause.caption(), "Pause");
  w.f->cmdPause.click();
  EXPECT_TRUE(w.f->blnPause);
  EXPECT_EQ(w.f->cmdPause.caption(), "Run");
  w.f->cmdPause.click();
  EXPECT_FALSE(w.f->blnPause);
  EXPECT_EQ(w.f->cmdPause.caption(), "Pause");
  EXPECT_TRUE(w.store.writes().empty());
}

TEST(Handlers, AboutBox) {
  Window w;
  w.f->mPopAbout.click();
  ASSERT_EQ(w.desk.boxes.size(), 1u);
  const auto& box = w.desk.boxes.front();
  EXPECT_EQ(box.title, "About Talvor Start");
  EXPECT_EQ(box.style, 64);
  EXPECT_EQ(box.text.rfind("Talvor Start Version 1.0.29\r\n", 0), 0u);
  EXPECT_EQ(box.text.substr(box.text.size() - 4), "\r\n\r\n");
  EXPECT_NE(box.text.find("\r\nReleased under the MIT License"), std::string::npos);
  size_t lineFeeds = 0, pairs = 0;
  for (size_t i = 0; i < box.text.size(); ++i) {
    lineFeeds += box.text[i] == '\n';
    pairs += box.text.compare(i, 2, "\r\n") == 0;
  }
  EXPECT_EQ(pairs, 5u);
  EXPECT_EQ(lineFeeds, 5u);  // no bare line feeds
}

TEST(Handlers, HelpOpensTheTopicOfTheFocusedControl) {
  Window w;
  w.f->focused = &w.f->txtTitle;
  w.f->mPopHelp.click();
  w.f->focused = &w.f->chkDefault;
  w.f->mPopHelp.click();
  w.f->focused = &w.f->cmdPause;  // no topic of its own: the contents
  w.f->mPopHelp.click();
  ASSERT_EQ(w.desk.helpShown.size(), 3u);
  EXPECT_EQ(w.desk.helpShown[0].file, "talvorstart.hlp");
  EXPECT_EQ(w.desk.helpShown[0].topic, 11);
  EXPECT_EQ(w.desk.helpShown[1].topic, 4);
  EXPECT_EQ(w.desk.helpShown[2].topic, 0);
  EXPECT_TRUE(w.desk.boxes.empty());
}

// The tooltip of every day box after a tick, with the ordinals as the
// window has always written them.
TEST(Handlers, EveryDayTooltipAfterATick) {
  const char* const ordinals[] = {"1st",  "2nd",  "3rd",  "4th",  "5th",  "6th",  "7th",  "8th",
                                  "9th",  "10th", "11th", "12th", "13th", "14th", "15th", "16th",
                                  "17th", "18th", "19th", "20th", "21th", "22th", "23th", "24th",
                                  "25th", "26th", "27th", "28th", "29th", "30th", "31st"};
  Window w;
  w.f->SliderBackupNumber.userMoved(12);
  for (int d = 1; d <= 31; ++d) {
    CheckBox& box = w.f->chkDay(d);
    box.click();
    EXPECT_EQ(box.tooltip(),
              std::string("Backup number  12 selected for the ") + ordinals[d - 1] + " day of the month");
  }
}

}  // namespace
