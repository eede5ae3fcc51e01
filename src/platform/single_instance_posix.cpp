#include "platform/single_instance.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr const char* kLockName = "/TalvorStart.lock";
}

std::string SingleInstance::defaultLockFolder(const std::string& settingsFolder) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  struct stat st{};
  if (runtime && runtime[0] == '/' && ::stat(runtime, &st) == 0 && S_ISDIR(st.st_mode)) return runtime;
  return settingsFolder;
}

SingleInstance::SingleInstance(const std::string& lockFolder) {
  ::mkdir(lockFolder.c_str(), 0700);
  const std::string path = lockFolder + kLockName;
  // Close-on-exec: the backup program started through the batch file must
  // not inherit the lock and keep it after we end.
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
  if (fd_ < 0) {
    problem_ = path + ": " + std::strerror(errno);
    return;
  }
  if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd_, 0) == 0 && ::pwrite(fd_, pid.data(), pid.size(), 0) < 0) {
      // The pid only helps a second start find our window; the lock holds without it.
    }
    return;
  }
  if (errno != EWOULDBLOCK) {
    problem_ = path + ": " + std::strerror(errno);
    return;
  }
  first_ = false;
  char text[32] = {};
  if (::pread(fd_, text, sizeof text - 1, 0) > 0) holderPid_ = std::strtol(text, nullptr, 10);
  ::close(fd_);
  fd_ = -1;
}

SingleInstance::~SingleInstance() {
  if (fd_ >= 0) ::close(fd_);
}
