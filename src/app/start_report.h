#pragma once

#include "app/run_record.h"

#include <string>

class DesktopServices;
class FrmMain;
class RunHistory;

// Leaves the trace of a start where the user learns of it afterwards: the
// run history, the system's log, and for a start that started no job a
// notification. None of them can stop or hold the run; a history that
// cannot be written is said in the window and on standard error.
void reportStart(const RunRecord& record, RunHistory* history, DesktopServices& services, FrmMain* window);

// A start that ended before it had a window (no display, another start
// running) is recorded too. Returns the outcome's exit status.
int recordEarlyEnd(Outcome outcome, const std::string& detail, const LocalTime& now, RunHistory& history);

// What the next start says when the last start that mattered started no
// job: "Last run, 2026-12-06 08:01: The backup did not start: ...". Empty
// when there is nothing to say.
std::string lastFailureText(const RunHistory& history);
