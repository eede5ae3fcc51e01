#pragma once

// Starting the user's batch file, detached from this process.
#include <string>

namespace x11 {

struct StartResult {
  int code = 0;  // 0 started, 53 not found, another code when it could not start
  std::string description;
};

// Looks for the file by exactly that name in each folder in turn (never in
// the current folder or along PATH) and starts the first one found.
StartResult startBatchFile(const std::string& name, const std::string& programFolder,
                           const std::string& settingsFolder);

}  // namespace x11
