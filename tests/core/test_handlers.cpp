// The window's handlers as a user meets them: what each change stores, at once, and what the window shows after it.
#include <gtest/gtest.h>

#include "launch_fixture.h"

namespace {

// A loaded window on a configured store, job controls shown.
struct Window : LaunchFixture {
  FrmMain* f = &loaded();
};

struct ScheduleRow {
  std::string box, section, onOff, backup, ending;
};

// The 38 schedule boxes with their keys and tooltip endings, ordinals as the window has always written them.
std::vector<ScheduleRow> scheduleRows() {
  std::vector<ScheduleRow> rows;
  for (int d = 1; d <= 31; ++d) {
    const std::string n = std::to_string(d);
    const char* ordinal = d == 1 || d == 31 ? "st" : d == 2 ? "nd" : d == 3 ? "rd" : "th";  // 21th, 22th, 23th
    rows.push_back(
        {"chkDay" + n, "Month", n + "onoff", n + "Backup", " selected for the " + n + ordinal + " day of the month"});
  }
  for (const char* day : {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"}) {
    const std::string box = std::string("chk") + (day == std::string("Wednesday") ? "wednesday" : day);
    rows.push_back({box, day, day, "Backup", std::string(" selected for ") + day});
  }
  return rows;
}

TEST(Handlers, EachScheduleBoxStoresStateThenJobAndSaysWhichJob) {
  Window w;
  for (const ScheduleRow& r : scheduleRows()) {
    SCOPED_TRACE(r.box);
    auto* box = dynamic_cast<CheckBox*>(w.f->control(r.box));
    ASSERT_TRUE(box);
    w.f->SliderBackupNumber.userMoved(3);
    w.store.clearWrites();
    box->click();
    EXPECT_EQ(w.writes(), Texts({r.section + "/" + r.onOff + "=1", r.section + "/" + r.backup + "=3"}));
    EXPECT_EQ(box->tooltip(), "Backup number  3" + r.ending);
    // Unticking stores the state and the slider's number of now.
    w.f->SliderBackupNumber.userMoved(17);
    w.store.clearWrites();
    box->click();
    EXPECT_EQ(w.writes(), Texts({r.section + "/" + r.onOff + "=0", r.section + "/" + r.backup + "=17"}));
    EXPECT_EQ(box->tooltip(), "Set the slider before checking this box");
  }
}

TEST(Handlers, SliderMoveMirrorsTheNumberAndKeepsTheSchedule) {
  Window w;
  w.f->chkDay(5).click();
  w.store.clearWrites();
  w.f->SliderBackupNumber.userMoved(14);
  EXPECT_EQ(w.f->chkDay(5).tooltip(), "Backup number  1 selected for the 5th day of the month");
  EXPECT_EQ(w.f->txtBackupNumber.text(), "14");
  EXPECT_EQ(w.writes(), Texts{"Start/BackupNumber=14"});
  // The program's moves store nothing; the track bar clamps.
  w.store.clearWrites();
  w.f->SliderBackupNumber.setValue(0);
  EXPECT_EQ(w.f->SliderBackupNumber.value(), 1);
  w.f->SliderBackupNumber.setValue(21);
  EXPECT_EQ(w.f->SliderBackupNumber.value(), 20);
  EXPECT_TRUE(w.store.writes().empty());
  EXPECT_EQ(w.f->txtBackupNumber.text(), "14");
}

TEST(Handlers, OptionsAndTextsStoreEachChangeWhole) {
  Window w;
  for (const char* typed : {" ", " A", " A,", " A,"}) w.f->txtStartKey.setText(typed);  // the last changes nothing
  w.f->txtTitle.setText("");
  w.f->txtStartDelay.setText("1e30");
  w.f->txtBackupKey.setText("{");
  for (CheckBox* box : {&w.f->chkOnceOnly, &w.f->chkOnceOnly, &w.f->chkDefault}) box->click();
  EXPECT_EQ(w.writes(),
            Texts({"Start/Letter= ", "Start/Letter= A", "Start/Letter= A,", "Start/Title=", "Start/StartDelay=1e30",
                   "Start/BackupJobLetter={", "Start/OnceOnly=0", "Start/OnceOnly=1", "Start/Default=1"}));
  for (const Control* c : w.f->jobControls()) EXPECT_FALSE(c->visible()) << c->name();
  w.f->chkDefault.click();
  EXPECT_EQ(w.stored("Start", "Default"), "0");
  for (const Control* c : w.f->jobControls()) EXPECT_TRUE(c->visible()) << c->name();
}

TEST(Handlers, AboutAndHelp) {
  Window w;
  w.f->mPopAbout.click();
  ASSERT_EQ(w.desk.boxes.size(), 1u);
  EXPECT_EQ(std::tuple(w.desk.boxes[0].title, w.desk.boxes[0].style, w.desk.boxes[0].text),
            std::tuple("About Talvor Start", 64,
                       "Talvor Start Version 1.0.29\r\nCopyright (C) Talvor Start developers\r\n"
                       "Released under the MIT License\r\nwww.talvorstart.example\r\n\r\n"));
  // Help opens the topic of the focused control, the contents for one without.
  std::vector<int> topics;
  for (const Control* c : std::initializer_list<const Control*>{&w.f->txtTitle, &w.f->chkDefault, &w.f->cmdPause}) {
    w.f->focused = c;
    w.f->mPopHelp.click();
    topics.push_back(w.desk.helpShown.back().topic);
  }
  EXPECT_EQ(topics, std::vector<int>({11, 4, 0}));
  EXPECT_EQ(w.desk.helpShown[0].file, "talvorstart.hlp");
}

}  // namespace
