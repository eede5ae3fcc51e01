// The waits of a start, the start delay and the configuration pause that ends every start: held by Pause, let go by
// Run, ended by closing; they sleep until something is due, never on a fixed tick.
#include <gtest/gtest.h>

#include "launch_fixture.h"

namespace {

// Only the 5 s pause: one sleep per second of count-down, each change a millisecond after its second.
TEST(Waits, OneWakeUpPerSecondOnTheSecond) {
  LaunchFixture t;
  t.put("Start", "DateLastRun", t.dateText());
  std::vector<double> changedAt;
  t.window().lblCountDown.viewUpdate = [&](const Control&) { changedAt.push_back(t.desk.elapsed()); };
  t.start();
  EXPECT_EQ(t.desk.sleeps, 5);
  ASSERT_EQ(changedAt.size(), 5u);
  for (size_t i = 0; i < changedAt.size(); ++i) EXPECT_NEAR(changedAt[i], double(i), 0.002) << i;
  LaunchFixture run;  // with the 10 s delay
  run.start();
  EXPECT_LE(run.desk.sleeps, 10 + 5 + 1);
}

// Held, the wait sleeps until the user presses Run, however long that is; then the pause counts from 5.
TEST(Waits, PauseHeldThenFiveSecondsAfterRun) {
  LaunchFixture t;
  t.put("Start", "DateLastRun", t.dateText());
  Texts whileHeld;
  t.desk.at(0.5, [&] {
    t.store.clearWrites();
    t.frm->cmdPause.click();
  });
  t.desk.at(10, [&] { whileHeld = {t.countDown.back(), t.frm->cmdPause.caption()}; });
  t.desk.at(600, [&] { t.frm->cmdPause.click(); });
  t.start();
  EXPECT_EQ(whileHeld, Texts({" 5", "Run"}));
  EXPECT_EQ(t.frm->cmdPause.caption(), "Pause");
  EXPECT_TRUE(t.writes().empty());  // Pause and Run store nothing
  EXPECT_NEAR(t.desk.elapsed(), 605, kSlack);
  EXPECT_LE(t.desk.sleeps, 1 + 2 + 5);  // the look at 10 s wakes it once
  EXPECT_EQ(slice(t.countDown, t.countDown.size() - 5), LaunchFixture::countFrom(5));
}

TEST(Waits, PauseHoldsTheStartDelay) {
  LaunchFixture t;
  size_t changesWhenHeld = 0;
  Texts held;
  t.desk.at(1, [&] { t.frm->cmdPause.click(); });
  t.desk.at(2, [&] { changesWhenHeld = t.countDown.size(); });
  t.desk.at(31, [&] {
    held = slice(t.countDown, changesWhenHeld - 1);
    t.frm->cmdPause.click();
  });
  t.start();
  EXPECT_EQ(held, Texts{" 10"});  // never moved while held
  // " 9" showed at the pause; holding restarts the delay from " 10"
  EXPECT_EQ(t.countDown, (Texts{" 10", " 9"} + LaunchFixture::countFrom(10) + LaunchFixture::countFrom(5)));
  EXPECT_NEAR(t.desk.elapsed(), 31 + 10 + 5, kSlack);
}

// Pause pressed while the last keys go out holds the pause until Run.
TEST(Waits, PausePressedDuringTheRunHoldsThePause) {
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

TEST(Waits, ABoxOpenPastTheEndShowsANegativeCount) {
  LaunchFixture t;
  t.put("Start", "DateLastRun", t.dateText());
  t.desk.at(1, [&] { t.frm->mPopAbout.click(); });
  t.desk.onBox = [&](const FakeDesktopServices::Box&) { t.desk.advance(11); };  // closed at 12
  t.start();
  EXPECT_EQ(t.desk.boxes.size(), 1u);
  EXPECT_EQ(t.countDown.back(), "-7");
  EXPECT_NEAR(t.desk.elapsed(), 12, kSlack);
}

// An edit is an event that wakes the wait at once; closing ends the start then and keeps the settings.
TEST(Waits, ClosingDuringThePauseEndsAtOnceAndKeepsSettings) {
  LaunchFixture t;
  t.desk.windowAppearsAfter = 0;
  t.put("Start", "StartDelay", "1");
  t.desk.at(2.345, [&] {
    t.frm->txtTitle.setText("Other Backup");
    t.frm->close();
  });
  EXPECT_EQ(t.start(), exit_status::kOk);
  EXPECT_NEAR(t.desk.elapsed(), 2.345, 1e-9);
  EXPECT_EQ(t.stored("Start", "Title"), "Other Backup");
  EXPECT_EQ(t.stored("Start", "DateLastRun"), t.dateText());
}

}  // namespace
