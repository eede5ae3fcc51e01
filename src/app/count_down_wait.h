#pragma once

class FrmMain;
class DesktopServices;

enum class WaitResult { Elapsed, Closed };

// Waits until the timer reaches sngStart + sngPauseTime, handling events and
// showing the whole seconds left in lblCountDown. While blnPause is set the
// wait starts over on every pass. Ends early when the window is closed.
// Sleeps until the next thing due: an event, the next change of the
// count-down, or the end.
WaitResult countDownWait(FrmMain& frm, DesktopServices& services);

// Milliseconds from a wait with `left` seconds to go until its count-down
// shows the next lower number, or until it ends; never 0.
int msUntilCountDownChanges(double left);
