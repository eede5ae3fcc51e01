#pragma once

#include "app/dry_run.h"
#include "app/run_record.h"

#include <string>
#include <vector>

// The options of the program. Without any, a start runs today's backup.
struct CommandLine {
  enum class Action { Run, Help, Version, History, DryRun, Error };
  Action action = Action::Run;
  int historyCount = 20;
  std::string error;  // with Action::Error: what was wrong, for the user
};

// The arguments after the program's name.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// The exit status of a command line the program does not understand.
constexpr int kUsageError = 64;

std::string usageText();
std::string versionText();
// The runs as a table for a person, oldest first.
std::string historyTable(const std::vector<RunRecord>& runs);

class RunHistory;
namespace settings {
class SettingsStore;
}
// Carries out an option that prints and ends: what goes to standard output
// and standard error, and the exit status. -1 for a start that runs.
int runOption(const CommandLine& c, settings::SettingsStore& store, RunHistory& history, const DryRunClock& clock,
              std::string& out, std::string& err);
