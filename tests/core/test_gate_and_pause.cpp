// The once-per-day gate and the configuration pause that ends every start.
#include <gtest/gtest.h>

#include "launch_fixture.h"

namespace {

constexpr double kSlack = 0.01;
const std::string kPausing = "Pausing to allow user configuration changes";

TEST(Gate, RunsUnlessOncePerDayAndRunToday) {
  struct Case {
    const char* name;
    std::string onceOnly;
    std::string lastRun;  // "today", "yesterday", "<absent>" or a literal text
    bool runs;
  };
  const Case cases[] = {
      {"every start, ran today", "0", "today", true},
      {"first start", "1", "<absent>", true},
      {"empty date", "1", "", true},
      {"yesterday", "1", "yesterday", true},
      {"today", "1", "today", false},
      {"today with a blank", "1", "today ", true},  // text, not a date
      {"another date form", "1", "1999-01-01", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LaunchFixture t;
    t.put("Start", "OnceOnly", c.onceOnly);
    std::string stored = c.lastRun;
    if (stored.rfind("yesterday", 0) == 0) stored = t.dateText(-1) + stored.substr(9);
    if (stored.rfind("today", 0) == 0) stored = t.dateText() + stored.substr(5);
    t.put("Start", "DateLastRun", stored);
    if (c.lastRun == "<absent>") {
      settings::MemoryStore fresh;
      for (const char* k : {"Letter", "Title", "BackupJobLetter", "StartDelay", "Default", "OnceOnly"})
        fresh.put("Start", k, t.stored("Start", k));
      t.store = fresh;
    }
    EXPECT_EQ(t.start(), exit_status::kOk);
    EXPECT_EQ(t.desk.callsStartingWith("Shell TalvorStart.bat 6"), c.runs ? 1 : 0);
    EXPECT_EQ(t.stored("Start", "DateLastRun"), c.runs ? t.dateText() : stored);
  }
}

TEST(ConfigurationPause, HeldThenFiveSecondsAfterRun) {
  LaunchFixture t;
  t.put("Start", "DateLastRun", t.dateText());
  Texts whileHeld;
  t.desk.at(2, [&] {
    t.store.clearWrites();
    t.frm->cmdPause.click();
  });
  t.desk.at(10, [&] { whileHeld = {t.countDown.back(), t.frm->cmdPause.caption()}; });
  t.desk.at(32, [&] { t.frm->cmdPause.click(); });
  t.start();
  EXPECT_EQ(whileHeld, Texts({" 5", "Run"}));
  EXPECT_EQ(t.frm->cmdPause.caption(), "Pause");
  EXPECT_TRUE(t.writes().empty());  // Pause and Run store nothing
  EXPECT_NEAR(t.desk.elapsed(), 37, kSlack);
  EXPECT_EQ(slice(t.countDown, t.countDown.size() - 5), LaunchFixture::countFrom(5));
}

// Pause pressed while the last keys go out holds the pause until Run.
TEST(ConfigurationPause, PausePressedDuringTheRunHoldsThePause) {
  LaunchFixture t;
  t.desk.windowAppearsAfter = 0;
  t.put("Start", "StartDelay", "1");
  bool stillOpenAt60 = false;
  t.desk.keyFailure = [&](const std::string& keys) {
    if (keys == "%S") t.frm->cmdPause.click();
    return Status::success();
  };
  t.desk.at(60, [&] {
    stillOpenAt60 = t.frm->visible();
    t.frm->cmdPause.click();
  });
  t.start();
  EXPECT_TRUE(stillOpenAt60);
  EXPECT_NEAR(t.desk.elapsed(), 65, kSlack);
  EXPECT_EQ(t.frm->cmdPause.caption(), "Pause");
}

TEST(ConfigurationPause, BoxOpenPastTheEndShowsANegativeCount) {
  LaunchFixture t;
  t.put("Start", "DateLastRun", t.dateText());
  t.desk.at(1, [&] { t.frm->mPopAbout.click(); });
  t.desk.onBox = [&](const FakeDesktopServices::Box&) { t.desk.advance(11); };  // closed at 12
  t.start();
  EXPECT_EQ(t.desk.boxes.size(), 1u);
  EXPECT_EQ(t.countDown.back(), "-7");
  EXPECT_NEAR(t.desk.elapsed(), 12, kSlack);
}

TEST(ConfigurationPause, ClosingEndsAtOnceAndKeepsSettings) {
  LaunchFixture t;
  t.desk.windowAppearsAfter = 0;
  t.put("Start", "StartDelay", "1");
  t.desk.at(2, [&] {
    t.frm->txtTitle.setText("Other Backup");
    t.frm->close();
  });
  EXPECT_EQ(t.start(), exit_status::kOk);
  EXPECT_NEAR(t.desk.elapsed(), 2, kSlack);
  EXPECT_EQ(t.stored("Start", "Title"), "Other Backup");
  EXPECT_EQ(t.stored("Start", "DateLastRun"), t.dateText());
  EXPECT_FALSE(t.frm->visible());
}

}  // namespace
