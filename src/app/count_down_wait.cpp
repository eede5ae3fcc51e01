#include "app/count_down_wait.h"

#include "platform/desktop_services.h"
#include "platform/number_text.h"
#include "ui/frm_main.h"

#include <QLabel>

#include <algorithm>
#include <cmath>

WaitResult countDownWait(FrmMain& frm, DesktopServices& services) {
  for (;;) {
    if (frm.closeRequested) return WaitResult::Closed;
    if (services.timer() >= frm.sngStart + frm.sngPauseTime) return WaitResult::Elapsed;
    services.doEvents();
    if (frm.closeRequested) return WaitResult::Closed;
    const double end = frm.sngStart + frm.sngPauseTime;
    frm.lblCountDown->setText(displayNumber(-std::floor(services.timer() - end)));
    if (frm.blnPause) frm.sngStart = services.timer();
    // Sleep until the next event, the next tick or the end, whichever is first.
    const double leftMs = (frm.sngStart + frm.sngPauseTime - services.timer()) * 1000.0;
    services.idle(int(std::clamp(std::ceil(leftMs), 1.0, double(kWaitTickMs))));
  }
}
