#pragma once

#include "platform/automation.h"

#include <string>

// Starts the batch file from the program's own folder through the command
// interpreter, never from the current folder or PATH; its console window is
// shown as windowStyle (shell_style) says.
AutomationStatus startBatchFile(const std::string& file, const std::string& programFolder, int windowStyle);
