// The waits sleep until something is due: the next change of the
// count-down, an event, or the end; never on a fixed tick.
#include <gtest/gtest.h>

#include <cmath>

#include "app/count_down_wait.h"
#include "launch_fixture.h"

namespace {

TEST(Waits, SleepUntilTheCountDownChanges) {
  EXPECT_EQ(msUntilCountDownChanges(10.0), 1001);  // " 10" until 9 s are left
  EXPECT_NEAR(msUntilCountDownChanges(9.3), 301, 1);
  EXPECT_EQ(msUntilCountDownChanges(0.25), 251);  // the end comes first
  EXPECT_EQ(msUntilCountDownChanges(0.0), 1);
  EXPECT_EQ(msUntilCountDownChanges(1e30), 1001);  // no finer than a double holds it
}

// A 10 s start delay and the 5 s pause: one sleep per second of count-down
// and each change a millisecond after its whole second.
TEST(Waits, OneWakeUpPerSecondOnTheSecond) {
  LaunchFixture t;
  t.put("Start", "DateLastRun", t.dateText());  // only the pause
  std::vector<double> changedAt;
  t.window().lblCountDown.viewUpdate = [&](const Control&) { changedAt.push_back(t.desk.elapsed()); };
  t.start();
  EXPECT_EQ(t.desk.sleeps, 5);
  ASSERT_EQ(changedAt.size(), 5u);
  for (size_t i = 0; i < changedAt.size(); ++i) EXPECT_NEAR(changedAt[i], double(i), 0.002) << i;

  LaunchFixture run;
  run.put("Start", "OnceOnly", "0");
  run.start();
  EXPECT_LE(run.desk.sleeps, 10 + 5 + 1);
}

// Held, the wait sleeps until the user presses Run, however long that is.
TEST(Waits, HeldWaitSleepsUntilRun) {
  LaunchFixture t;
  t.put("Start", "DateLastRun", t.dateText());
  t.desk.at(0.5, [&] { t.frm->cmdPause.click(); });
  t.desk.at(600, [&] { t.frm->cmdPause.click(); });
  t.start();
  EXPECT_NEAR(t.desk.elapsed(), 605, 0.01);
  EXPECT_LE(t.desk.sleeps, 1 + 1 + 5);
}

// An edit during the wait is an event: it wakes the wait at once.
TEST(Waits, EventsAreHandledWhenTheyArrive) {
  LaunchFixture t;
  t.put("Start", "DateLastRun", t.dateText());
  double handledAt = -1;
  t.desk.at(2.345, [&] {
    t.frm->chkOnceOnly.click();
    handledAt = t.desk.elapsed();
  });
  t.start();
  EXPECT_NEAR(handledAt, 2.345, 1e-9);
}

}  // namespace
