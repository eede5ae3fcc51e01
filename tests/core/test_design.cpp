// Every value of the window, written out from its design: a one-unit or one-character change fails.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "platform/fake/fake_desktop_services.h"
#include "settings/memory_store.h"
#include "ui/frm_main.h"

namespace {

using K = ControlKind;
const char* const kSet = "Set the slider before checking this box";

// "code:" tab indexes put each caption right before its box, for screen readers (the design had them after); the focus
// order stays the design's.
// clang-format off
const std::vector<ControlDesign> kFixed = {
    {"cmdPause", K::CommandButton, "Pause", "Resets and pauses the timer", 4200, 0, 852, 252, 0, 0},
    {"LabelWWW", K::Label, "www.talvorstart.example  support@talvorstart.example", "Contact details", 1560, 0, 2532, 492, 12, 0},
    {"Label6", K::Label, "Delay", "", 120, 360, 732, 252, 16 /* code: */, 0},
    {"txtStartDelay", K::TextBox, "10", "Pause to allow backup program to start", 960, 360, 612, 288, 17 /* code: */, 9},
    {"lblCountDown", K::Label, "5", "Count down", 4440, 360, 252, 252, 15, 0},
    {"lblMessage", K::Label, "Pausing to allow user configuration changes", "", 3960, 600, 1092, 852, 14, 0},
    {"Label2", K::Label, "Start Key", "", 120, 720, 852, 252, 1 /* code: */, 0},
    {"txtStartKey", K::TextBox, "S", "Underscored letter in the backup program that starts the backup ie S", 960, 720, 612, 288, 2 /* code: */, 10},
    {"Label5", K::Label, "Backup Job", "", 1800, 720, 1212, 252, 10 /* code: */, 0},
    {"txtBackupKey", K::TextBox, "B", "Underscored key to change backup jobs ie B", 3120, 720, 612, 288, 11 /* code: */, 12},
    {"Label3", K::Label, "Start Title", "", 120, 1080, 732, 252, 3, 0},
    {"txtTitle", K::TextBox, "Microsoft Backup", "Backup application's name", 960, 1080, 2772, 288, 4, 11},
    {"Image1", K::Image, "", "", 2160, 1440, 588, 564, -1, 0},
    {"chkDefault", K::CheckBox, "Last Backup", "Run the backup type that was run last", 120, 1560, 1212, 252, 5, 4},
    {"chkOnceOnly", K::CheckBox, "Once Per Day", "Only run 1 backup each day", 3600, 1560, 1452, 252, 13, 0},
    {"SliderBackupNumber", K::Slider, "", "Select a backup (number refers to list of saved backups in drop down on backup program)", 120, 2040, 4932, 372, 6, 5},
    {"Label1", K::Label, "1", "", 240, 2400, 132, 252, 8 /* code: */, 0},
    {"txtBackupNumber", K::TextBox, "", "Selected backup (from list in backup program)", 2280, 2400, 372, 288, 7 /* code: */, 5},
    {"Label4", K::Label, "20", "", 4680, 2400, 252, 252, 9 /* code: */, 0},
    {"chkMonday", K::CheckBox, "Mon", kSet, 120, 2760, 612, 252, 18, 6},
    {"chkTuesday", K::CheckBox, "Tue", kSet, 840, 2760, 612, 252, 19, 6},
    {"chkwednesday", K::CheckBox, "Wed", kSet, 1560, 2760, 612, 252, 20, 6},
    {"chkThursday", K::CheckBox, "Thu", kSet, 2280, 2760, 612, 252, 21, 6},
    {"chkFriday", K::CheckBox, "Fri", kSet, 3000, 2760, 612, 252, 22, 6},
    {"chkSaturday", K::CheckBox, "Sat", kSet, 3720, 2760, 612, 252, 23, 6},
    {"chkSunday", K::CheckBox, "Sun", kSet, 4440, 2760, 612, 252, 24, 6},
    {"lblDayOfMonth", K::Label, "Day of the month", "", 720, 3840, 1692, 252, 26, 0},
    {"mPopHelp", K::MenuItem, "&Help", "", 0, 0, 0, 0, -1, 0},
    {"mPopKeys", K::MenuItem, "&Keys", "", 0, 0, 0, 0, -1, 0},  // code: added between Help and About
    {"mPopAbout", K::MenuItem, "&About", "", 0, 0, 0, 0, -1, 0},
};
// clang-format on

// The days in rows of ten; Tab takes chkDay31, alone in the fourth, right after chkDay1.
std::vector<ControlDesign> designRows() {
  std::vector<ControlDesign> rows(kFixed.begin(), kFixed.end() - 3);
  for (int d = 1; d <= 31; ++d) {
    const int column = (d - 1) % 10, row = (d - 1) / 10, tab = d == 1 ? 25 : d == 31 ? 27 : 26 + d;
    rows.push_back({"chkDay" + std::to_string(d), K::CheckBox, std::to_string(d), kSet, 120 + 480 * column,
                    3120 + 240 * row, 492, 252, tab, 0});
  }
  rows.insert(rows.end(), kFixed.end() - 3, kFixed.end());
  return rows;
}
const std::vector<ControlDesign> kDesign = designRows();

// Hidden in the design: the weekdays only.
const std::set<std::string> kWeekdays = {"chkMonday", "chkTuesday",  "chkwednesday", "chkThursday",
                                         "chkFriday", "chkSaturday", "chkSunday"};
const std::set<std::string> kOtherJobControls = {
    "SliderBackupNumber", "txtBackupNumber", "txtBackupKey", "Label1", "Label4", "Label5", "lblDayOfMonth"};
bool isJobControl(const std::string& n) {
  return kWeekdays.count(n) || kOtherJobControls.count(n) || n.rfind("chkDay", 0) == 0;
}

TEST(Design, EveryControlAsDesigned) {
  const auto& table = frmMainDesign();
  ASSERT_EQ(table.size(), kDesign.size());
  for (size_t i = 0; i < table.size(); ++i) {
    const ControlDesign &d = table[i], &e = kDesign[i];
    EXPECT_EQ(std::tuple(d.name, d.kind, d.caption, d.tooltip, d.visible, d.jobControl),
              std::tuple(e.name, e.kind, e.caption, e.tooltip, !kWeekdays.count(e.name), isJobControl(e.name)));
    EXPECT_EQ(std::vector<int>({d.left, d.top, d.width, d.height, d.tabIndex, d.helpTopic}),
              std::vector<int>({e.left, e.top, e.width, e.height, e.tabIndex, e.helpTopic}))
        << e.name;
  }
}

TEST(Design, WindowSliderAndLooks) {
  EXPECT_EQ(std::tuple(frmMainWindow().caption, frmMainWindow().clientWidth, frmMainWindow().clientHeight),
            std::tuple("Talvor Start", 5136, 4080));
  const ControlDesign& s = designOf("SliderBackupNumber");
  EXPECT_EQ(std::vector<int>({s.sliderMin, s.sliderMax, s.sliderSmallStep, s.sliderPageStep}),
            std::vector<int>({1, 20, 1, 5}));
  const std::map<std::string, Alignment> aligned{
      {"LabelWWW", Alignment::Centre}, {"txtStartDelay", Alignment::Centre}, {"txtStartKey", Alignment::Centre},
      {"Label5", Alignment::Right},    {"txtBackupKey", Alignment::Centre},  {"txtBackupNumber", Alignment::Centre},
      {"Image1", Alignment::Centre},  // code: a picture centred in its box
  };
  for (const ControlDesign& d : frmMainDesign()) {
    const auto a = aligned.find(d.name);
    EXPECT_EQ(d.alignment, a == aligned.end() ? Alignment::Left : a->second) << d.name;
    EXPECT_EQ(d.wordWrap, d.name == "LabelWWW" || d.name == "lblMessage") << d.name;
    EXPECT_EQ(d.textColour, d.name == "LabelWWW" ? 0x0000FFu : 0u) << d.name;
  }
}

// The model shows the design's controls and hides exactly the job controls.
TEST(Design, TheWindowShowsAndHidesTheJobControls) {
  settings::MemoryStore store;
  FakeDesktopServices desk;
  FrmMain frm(store, desk);
  ASSERT_EQ(frm.controls().size(), kDesign.size());
  for (const Control* c : frm.controls()) EXPECT_EQ(c->visible(), !kWeekdays.count(c->name())) << c->name();
  EXPECT_EQ(frm.jobControls().size(), 45u);
  for (bool shown : {true, false, false}) {
    frm.SetJobControlsVisible(shown);
    for (const Control* c : frm.controls()) EXPECT_EQ(c->visible(), isJobControl(c->name()) ? shown : true);
  }
  EXPECT_FALSE(frm.lblProblem.visible());
}

}  // namespace
