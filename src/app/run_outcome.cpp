#include "app/run_outcome.h"

namespace {

// Statuses 0 to 4 kept their meaning from earlier versions.
const OutcomeInfo kOutcomes[] = {
    {Outcome::JobStarted, 0, "job-started", ""},
    {Outcome::SkippedOncePerDay, 0, "skipped", ""},
    {Outcome::NoDisplay, 1, "no-display", "there is no display to show the window on"},
    {Outcome::BatchFileMissing, 2, "batch-file-missing", "TalvorStart.bat was not found"},
    {Outcome::ClosedByUser, 3, "closed", "the window was closed before the backup was started"},
    {Outcome::AlreadyRunning, 4, "already-running", "another start of Talvor Start was running"},
    {Outcome::SettingsMissing, 5, "settings-missing", "a setting the run needs is not set"},
    {Outcome::BatchFileNotRun, 6, "batch-file-not-run", "TalvorStart.bat could not be started"},
    {Outcome::NoWindow, 7, "no-window", "no window with the backup program's title appeared"},
    {Outcome::FocusLost, 8, "focus-lost", "another window took the keyboard focus from the backup program"},
    {Outcome::NotAnswering, 9, "not-answering", "the backup program did not take the keys in time"},
    {Outcome::KeyHeld, 10, "key-held", "a key was held down, which would have mixed with the keys sent"},
    {Outcome::CannotType, 11, "cannot-type", "this desktop does not let Talvor Start send keys to other programs"},
    {Outcome::JobNotChosen, 12, "job-not-chosen", "today's job number could not be read from the settings"},
    {Outcome::SettingsInvalid, 13, "settings-invalid", "a setting the run needs cannot be used"},
};

}  // namespace

const OutcomeInfo& outcomeInfo(Outcome outcome) {
  for (const OutcomeInfo& i : kOutcomes)
    if (i.outcome == outcome) return i;
  return kOutcomes[0];  // unreachable: every outcome is in the table
}

bool outcomeByName(const std::string& name, Outcome& out) {
  for (const OutcomeInfo& i : kOutcomes)
    if (name == i.name) {
      out = i.outcome;
      return true;
    }
  return false;
}

Outcome outcomeOfKeyStop(KeyStop stop) {
  switch (stop) {
    case KeyStop::FocusLost: return Outcome::FocusLost;
    case KeyStop::NotAnswering: return Outcome::NotAnswering;
    case KeyStop::KeyHeld: return Outcome::KeyHeld;
    case KeyStop::OnlyOlderWindows: return Outcome::NoWindow;
    case KeyStop::ConnectionLost:
    case KeyStop::None: break;
  }
  return Outcome::CannotType;
}

std::string notStartedText(Outcome outcome, const std::string& detail, const std::string& title) {
  const std::string summary = outcome == Outcome::NoWindow && !title.empty()
                                  ? "no window titled \"" + title + "\" appeared"
                                  : std::string(outcomeInfo(outcome).summary);
  std::string text = "The backup did not start: " + summary + ".";
  if (!detail.empty()) text += " " + detail;
  return text;
}
