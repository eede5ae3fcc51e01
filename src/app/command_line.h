#pragma once

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
