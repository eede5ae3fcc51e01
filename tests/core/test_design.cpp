// The window's design table, which every view builds from.
#include "settings/memory_store.h"
#include "platform/fake/fake_desktop_services.h"
#include "ui/frm_main.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

using Texts = std::vector<std::string>;

bool takesFocus(const ControlDesign& d) {
  return d.kind != ControlKind::Label && d.kind != ControlKind::Image && d.kind != ControlKind::MenuItem;
}

// The order in which Tab moves, hidden controls skipped.
Texts tabCycle(const FrmMain& frm) {
  std::vector<const Control*> order;
  for (const Control* c : frm.controls())
    if (c->design().tabIndex >= 0 && takesFocus(c->design()) && c->visible()) order.push_back(c);
  std::sort(order.begin(), order.end(),
            [](const Control* a, const Control* b) { return a->design().tabIndex < b->design().tabIndex; });
  Texts names;
  for (const Control* c : order) names.push_back(c->name());
  return names;
}

struct Model {
  settings::MemoryStore store;
  FakeDesktopServices desk;
  FrmMain frm{store, desk};
};

TEST(Design, TabIndexesRunWithoutAGapFromPauseFirst) {
  std::vector<int> indexes;
  for (const ControlDesign& d : frmMainDesign())
    if (d.tabIndex >= 0) indexes.push_back(d.tabIndex);
  std::sort(indexes.begin(), indexes.end());
  ASSERT_EQ(indexes.size(), 57u);
  for (int i = 0; i < 57; ++i) EXPECT_EQ(indexes[size_t(i)], i);
  EXPECT_EQ(designOf("cmdPause").tabIndex, 0);
}

TEST(Design, EachEditBoxIsNamedByTheCaptionBesideIt) {
  const std::pair<const char*, const char*> named[] = {{"txtStartDelay", "Delay"},
                                                       {"txtStartKey", "Start Key"},
                                                       {"txtBackupKey", "Backup Job"},
                                                       {"txtTitle", "Start Title"},
                                                       {"txtBackupNumber", nullptr}};
  for (const auto& [box, caption] : named) {
    const ControlDesign* label = captionOf(designOf(box));
    EXPECT_EQ(label ? label->caption : "(none)", caption ? caption : "(none)") << box;
  }
}

TEST(Design, TabMovesInTheDesignOrder) {
  Model m;
  m.frm.SetJobControlsVisible(true);
  Texts expected{"cmdPause", "txtStartKey", "txtTitle", "chkDefault", "SliderBackupNumber", "txtBackupNumber",
                 "txtBackupKey", "chkOnceOnly", "txtStartDelay", "chkMonday", "chkTuesday", "chkwednesday",
                 "chkThursday", "chkFriday", "chkSaturday", "chkSunday", "chkDay1", "chkDay31"};
  for (int d = 2; d <= 30; ++d) expected.push_back("chkDay" + std::to_string(d));
  EXPECT_EQ(tabCycle(m.frm), expected);

  m.frm.SetJobControlsVisible(false);
  EXPECT_EQ(tabCycle(m.frm),
            Texts({"cmdPause", "txtStartKey", "txtTitle", "chkDefault", "chkOnceOnly", "txtStartDelay"}));
}

TEST(Design, JobControlsAreExactlyTheFortyFive) {
  Model m;
  std::set<std::string> job;
  for (const Control* c : m.frm.jobControls()) job.insert(c->name());
  EXPECT_EQ(m.frm.jobControls().size(), 45u);
  EXPECT_EQ(job.size(), 45u);
  for (const ControlDesign& d : frmMainDesign()) EXPECT_EQ(job.count(d.name) == 1, d.jobControl) << d.name;
  for (const char* outside : {"cmdPause", "LabelWWW", "Label6", "txtStartDelay", "lblCountDown", "lblMessage",
                              "Label2", "txtStartKey", "Label3", "txtTitle", "Image1", "chkDefault", "chkOnceOnly"})
    EXPECT_EQ(job.count(outside), 0u) << outside;

  m.frm.SetJobControlsVisible(true);
  m.frm.SetJobControlsVisible(false);
  for (const Control* c : m.frm.controls()) EXPECT_EQ(c->visible(), !c->design().jobControl) << c->name();
}

TEST(Design, WeekdaysHiddenAndEverythingElseShownAtCreation) {
  Model m;
  for (const Control* c : m.frm.controls()) {
    const bool weekday = c->design().helpTopic == 6;
    EXPECT_EQ(c->visible(), !weekday) << c->name();
  }
  EXPECT_FALSE(m.frm.lblProblem.visible());
}

TEST(Design, HelpTopics) {
  std::map<std::string, int> topics;
  for (const ControlDesign& d : frmMainDesign())
    if (d.helpTopic) topics[d.name] = d.helpTopic;
  EXPECT_EQ(topics, (std::map<std::string, int>{{"chkDefault", 4}, {"SliderBackupNumber", 5}, {"txtBackupNumber", 5},
                                                {"chkMonday", 6}, {"chkTuesday", 6}, {"chkwednesday", 6},
                                                {"chkThursday", 6}, {"chkFriday", 6}, {"chkSaturday", 6},
                                                {"chkSunday", 6}, {"txtStartDelay", 9}, {"txtStartKey", 10},
                                                {"txtTitle", 11}, {"txtBackupKey", 12}}));
}

TEST(Design, DayGridAndItsLabel) {
  const ControlDesign& d1 = designOf("chkDay1");
  const ControlDesign& d12 = designOf("chkDay12");
  const ControlDesign& d31 = designOf("chkDay31");
  EXPECT_EQ(std::vector<int>({d1.left, d1.top, d1.width, d1.height}), std::vector<int>({120, 3120, 492, 252}));
  EXPECT_EQ(std::vector<int>({d12.left, d12.top}), std::vector<int>({600, 3360}));
  EXPECT_EQ(std::vector<int>({d31.left, d31.top}), std::vector<int>({120, 3840}));
  EXPECT_EQ(designOf("lblDayOfMonth").left, 720);
  EXPECT_EQ(designOf("chkwednesday").caption, "Wed");
  EXPECT_EQ(designOf("chkSunday").left, 4440);
  EXPECT_EQ(frmMainDesign().size(), 19u + 7u + 1u + 31u + 3u);
}

}  // namespace
