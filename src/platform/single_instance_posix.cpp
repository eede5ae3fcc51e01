#include "platform/single_instance.h"

#include "settings/file_trust.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr const char* kLockName = "/TalvorStart.lock";

std::string ownerName(uid_t uid) {
  const passwd* pw = ::getpwuid(uid);
  return pw && pw->pw_name ? pw->pw_name : "user " + std::to_string(uid);
}

// Makes the folder and its parents as the user's alone.
void makeFolders(const std::string& folder) {
  for (size_t pos = folder.find('/', 1);; pos = folder.find('/', pos + 1)) {
    ::mkdir(folder.substr(0, pos).c_str(), 0700);
    if (pos == std::string::npos) break;
  }
}

// Why a lock in this folder could be taken or removed by another user;
// empty when it is the user's own and only the user may change it.
std::string folderProblem(const std::string& folder) {
  struct stat st{};
  if (::stat(folder.c_str(), &st) != 0) return folder + ": " + std::strerror(errno);
  if (!S_ISDIR(st.st_mode)) return folder + " is not a folder";
  if (st.st_uid != ::geteuid()) return "the folder " + folder + " belongs to " + ownerName(st.st_uid);
  return settings::othersMayChange(st, "the folder " + folder, folder);
}
}  // namespace

std::string SingleInstance::runtimeFolderProblem() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (!runtime || !*runtime) return {};
  const std::string why = "XDG_RUNTIME_DIR (" + std::string(runtime) + ") is not used for the lock: ";
  if (runtime[0] != '/') return why + "it is not an absolute path";
  struct stat st{};
  if (::stat(runtime, &st) != 0) return why + std::strerror(errno);
  if (!S_ISDIR(st.st_mode)) return why + "it is not a folder";
  if (st.st_uid != ::geteuid()) return why + "it belongs to " + ownerName(st.st_uid);
  if (st.st_mode & 077) return why + "other users may use it";
  return {};
}

std::string SingleInstance::defaultLockFolder(const std::string& settingsFolder) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime && runtimeFolderProblem().empty()) return runtime;
  return settingsFolder;
}

SingleInstance::SingleInstance(const std::string& lockFolder, const std::string& fallbackFolder) {
  std::string why;
  if (take(lockFolder, why) || fallbackFolder.empty() || fallbackFolder == lockFolder) {
    problem_ = why;
    return;
  }
  std::string fallbackWhy;
  if (take(fallbackFolder, fallbackWhy)) {
    note_ = "the lock is in " + fallbackFolder + kLockName + " because " + why;
    return;
  }
  problem_ = why + "; " + fallbackWhy;
}

// True when this folder decided: the lock is ours, or another start of this
// user holds it. False with the reason when no lock here can be trusted.
bool SingleInstance::take(const std::string& folder, std::string& why) {
  makeFolders(folder);
  why = folderProblem(folder);
  if (!why.empty()) return false;
  const std::string path = folder + kLockName;
  // Close-on-exec: the backup program started through the batch file must
  // not inherit the lock and keep it after we end. No link is followed, and
  // a file of another user is never locked: that user could hold it for ever.
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
  if (fd < 0) {
    why = path + ": " + std::strerror(errno);
    return false;
  }
  struct stat st{};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
    why = path + (S_ISREG(st.st_mode) ? " belongs to " + ownerName(st.st_uid) : " is not a regular file");
    ::close(fd);
    return false;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    fd_ = fd;
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd_, 0) == 0 && ::pwrite(fd_, pid.data(), pid.size(), 0) < 0) {
      // The pid only helps a second start find our window; the lock holds without it.
    }
    return true;
  }
  if (errno != EWOULDBLOCK) {
    why = path + ": " + std::strerror(errno);
    ::close(fd);
    return false;
  }
  first_ = false;
  char text[32] = {};
  if (::pread(fd, text, sizeof text - 1, 0) > 0) holderPid_ = std::strtol(text, nullptr, 10);
  ::close(fd);
  return true;
}

SingleInstance::~SingleInstance() {
  if (fd_ >= 0) ::close(fd_);
}
