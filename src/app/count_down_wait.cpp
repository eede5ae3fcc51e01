#include "app/count_down_wait.h"

#include "platform/desktop_services.h"
#include "platform/number_text.h"
#include "ui/frm_main.h"

#include <cmath>

int msUntilCountDownChanges(double left) {
  if (left <= 0) return 1;
  // The label shows ceil(left): it drops when left reaches the next lower
  // whole number. A millisecond late rather than early, so one wake-up does.
  double untilChange = left - (std::ceil(left) - 1.0);
  // Beyond the precision of a double the label cannot change each second.
  if (untilChange <= 0 || untilChange > 1) untilChange = 1;
  if (untilChange > left) untilChange = left;
  return int(std::ceil(untilChange * 1000.0)) + 1;
}

// Each pass: the end test, the events (pending ones at first, then those
// that end a sleep), the count-down, the hold.
WaitResult countDownWait(FrmMain& frm, DesktopServices& services) {
  auto showCount = [&frm] {
    frm.lblCountDown.setCaption(displayNumber(-std::floor(frm.Timer() - (frm.sngStart + frm.sngPauseTime))));
  };
  int sleepMs = 0;
  for (;;) {
    if (frm.closeRequested) return WaitResult::Closed;
    if (frm.Timer() >= frm.sngStart + frm.sngPauseTime) return WaitResult::Elapsed;
    if (sleepMs == 0) {
      services.doEvents();
    } else {
      const bool woken = services.idle(sleepMs);
      // A held wait did not advance while it slept.
      if (sleepMs < 0) frm.sngStart = frm.Timer();
      // Slept to the end: done, the count-down never shows 0. Events that
      // ran past the end (a box left open) show how far, as each pass does.
      if (!woken && frm.Timer() >= frm.sngStart + frm.sngPauseTime) continue;
    }
    if (frm.closeRequested) return WaitResult::Closed;
    showCount();
    if (frm.blnPause) {
      // Held: the wait starts over, shows its full length, and nothing is
      // due until the user presses Run.
      frm.sngStart = frm.Timer();
      showCount();
      sleepMs = -1;
      continue;
    }
    sleepMs = msUntilCountDownChanges(frm.sngStart + frm.sngPauseTime - frm.Timer());
  }
}
