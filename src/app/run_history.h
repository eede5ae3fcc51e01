#pragma once

#include "app/run_record.h"

#include <string>
#include <vector>

// The record of past starts, one line each, oldest first, in a file of the
// user's (text_file::stateFolder()/history.log). Kept to the last kKept
// starts. Nothing here stops a run: a failure is said once, by the caller.
class RunHistory {
 public:
  static constexpr std::size_t kKept = 1000;
  // Far above kKept records; the file is shortened once it grows past it.
  static constexpr std::size_t kTrimAtBytes = 1024 * 1024;

  explicit RunHistory(std::string path, std::size_t kept = kKept, std::size_t trimAtBytes = kTrimAtBytes);
  static std::string defaultPath();

  const std::string& path() const { return path_; }
  // False with a reason the user can act on.
  bool append(const RunRecord& record, std::string& reason);
  // The last `count` whole records, oldest first.
  std::vector<RunRecord> last(std::size_t count, std::string& reason) const;

 private:
  bool trim(std::string& reason);

  std::string path_;
  std::size_t kept_;
  std::size_t trimAt_;
};

// The newest start that either started a job or failed to: what the next
// start reports when it failed. Skipped, closed and refused starts say
// nothing about the backup. nullptr when there is none.
const RunRecord* lastDecisiveRun(const std::vector<RunRecord>& oldestFirst);
