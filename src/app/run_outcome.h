#pragma once

#include "platform/key_stop.h"

#include <string>

// How a start of the tool ended. Every start ends in exactly one of these;
// a run history and the exit status are both read from it.
enum class Outcome {
  JobStarted,         // the start key reached the backup program
  SkippedOncePerDay,  // "Once Per Day" and a run already today
  NoDisplay,          // no desktop to show the window on
  BatchFileMissing,
  ClosedByUser,     // the window was closed before the run was over
  AlreadyRunning,   // another start was running: this one did nothing
  SettingsMissing,  // a value the run needs is not set
  BatchFileNotRun,  // the batch file is there but could not be started
  NoWindow,         // no window with the title appeared
  FocusLost,        // another window took the keyboard focus
  NotAnswering,     // the backup program did not take the keys in time
  KeyHeld,          // a key held down would have mixed with the keys sent
  CannotType,       // this desktop cannot send keys to other programs
  JobNotChosen,     // today's job number could not be read
  SettingsInvalid,  // a key string or the title match cannot be used
};

struct OutcomeInfo {
  Outcome outcome;
  int exitStatus;
  const char* name;     // one word, for logs and the run history
  const char* summary;  // what the user reads after "The backup did not start: "; empty for a good end
};

const OutcomeInfo& outcomeInfo(Outcome outcome);
// The outcome whose name this is, for reading a history back; false if none.
bool outcomeByName(const std::string& name, Outcome& out);
// Whether a job was started or the start rightly did nothing.
inline bool startedOrSkipped(Outcome o) { return o == Outcome::JobStarted || o == Outcome::SkippedOncePerDay; }

// The outcome of keys a back end refused to send.
Outcome outcomeOfKeyStop(KeyStop stop);

// The text the window, standard error and the history give for a start that
// started no job: "The backup did not start: <summary>. <detail>". The
// title, when given, names the window that did not appear.
std::string notStartedText(Outcome outcome, const std::string& detail, const std::string& title = std::string());
