#pragma once

#include "app/run_outcome.h"
#include "platform/calendar.h"

#include <string>

// One start of the tool as the run history keeps it.
struct RunRecord {
  std::string began, ended;  // local time, "2026-12-07T08:01:02"
  Outcome outcome = Outcome::JobStarted;
  std::string reason;    // what the user was told; empty after a good start
  int job = 0;           // the job chosen; 0 when the run did not get that far or kept the shown one
  std::string chosenBy;  // "day-of-month", "weekday", "remembered" (the slider's stored job), "last-backup"
  std::string title;     // the title looked for
  std::string window;    // the window that got the keys
  int keysSent = 0;      // key strings that reached it ...
  int keysPlanned = 0;   // ... of those the run meant to send
};

// "2026-12-07T08:01:02".
std::string isoLocalTime(const LocalTime& time);

// One line in logfmt (key=value, values with blanks or quotes in "..."):
// a person reads it, a program splits it. No line end inside.
std::string formatRecord(const RunRecord& record);
// False for a line that is not a whole record (such as one cut off by a
// crash); the history passes over it.
bool parseRecord(const std::string& line, RunRecord& out);
