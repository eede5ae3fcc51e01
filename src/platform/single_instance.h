#pragma once

#include <string>

// One run at a time: taken at start-up and held until the process ends, so
// that a second start while one runs does no backup run. The kernel frees it
// when the holder dies, so nothing left behind can block a later start.
class SingleInstance {
 public:
#ifdef _WIN32
  explicit SingleInstance(const std::string& lockFolder);  // unused here
#else
  // The lock lives in lockFolder, or in fallbackFolder when the folder or a
  // lock file in it is not the user's own: another user's file neither
  // stops a start nor lets two run.
  explicit SingleInstance(const std::string& lockFolder, const std::string& fallbackFolder = std::string());
  // Where the lock went and why, when it is not in lockFolder.
  const std::string& note() const { return note_; }
  // Why $XDG_RUNTIME_DIR is set but not used; empty when it is unset or used.
  static std::string runtimeFolderProblem();
#endif
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // False when another start holds it.
  bool first() const { return first_; }
  // The holder's process id when another start holds it and it is known.
  long holderPid() const { return holderPid_; }
  // Why the lock could not be made at all (this start then runs anyway).
  const std::string& problem() const { return problem_; }

  // $XDG_RUNTIME_DIR when it is an absolute path to a folder of the user's
  // that no one else may use, else the given settings folder.
  static std::string defaultLockFolder(const std::string& settingsFolder);

 private:
  bool first_ = true;
  long holderPid_ = 0;
  std::string problem_;
#ifdef _WIN32
  void* handle_ = nullptr;
  void* holderRecord_ = nullptr;  // the holder's pid, beside the mutex
#else
  bool take(const std::string& folder, std::string& why);
  int fd_ = -1;
  std::string note_;
#endif
};
