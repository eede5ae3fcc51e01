#pragma once

#include <string>

// One run at a time: taken at start-up and held until the process ends, so
// that a second start while one runs does no backup run. The kernel frees it
// when the holder dies, so nothing left behind can block a later start.
class SingleInstance {
 public:
  // lockFolder: where the lock lives on POSIX systems (unused on Windows).
  explicit SingleInstance(const std::string& lockFolder);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // False when another start holds it.
  bool first() const { return first_; }
  // The holder's process id when another start holds it and it is known.
  long holderPid() const { return holderPid_; }
  // Why the lock could not be made at all (this start then runs anyway).
  const std::string& problem() const { return problem_; }

  // $XDG_RUNTIME_DIR when set, else the given settings folder.
  static std::string defaultLockFolder(const std::string& settingsFolder);

 private:
  bool first_ = true;
  long holderPid_ = 0;
  std::string problem_;
#ifdef _WIN32
  void* handle_ = nullptr;
  void* holderRecord_ = nullptr;  // the holder's pid, beside the mutex
#else
  int fd_ = -1;
#endif
};
