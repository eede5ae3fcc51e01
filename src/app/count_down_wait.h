#pragma once

class FrmMain;
class DesktopServices;

enum class WaitResult { Elapsed, Closed };

// Pass length while waiting: long enough to cost no CPU, short enough that
// Pause/Run and edits take effect at once.
constexpr int kWaitTickMs = 40;

// Waits until the timer reaches sngStart + sngPauseTime, pumping events and
// showing the whole seconds left in lblCountDown. While blnPause is set the
// wait starts over on every pass. Ends early when the window is closed.
WaitResult countDownWait(FrmMain& frm, DesktopServices& services);
