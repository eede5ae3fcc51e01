#include "platform/x11/batch_start.h"

#include "platform/failure_codes.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

namespace x11 {
namespace {

using failure_code::kFileNotFound;
using failure_code::kPathFileAccess;
using failure_code::kPermissionDenied;

bool isRegularFile(const std::string& path) {
  struct stat st{};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// A file with the run bit and a "#!" line runs itself; anything else is
// read by the shell, as a batch file is read by its interpreter.
bool runsItself(const std::string& path) {
  if (access(path.c_str(), X_OK) != 0) return false;
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char head[2] = {0, 0};
  const bool shebang = read(fd, head, 2) == 2 && head[0] == '#' && head[1] == '!';
  close(fd);
  return shebang;
}

StartResult failure(int err, const std::string& path) {
  const int code = (err == EACCES || err == EPERM) ? kPermissionDenied : kPathFileAccess;
  return {code, path + " could not be started: " + std::strerror(err)};
}

}  // namespace

StartResult startBatchFile(const std::string& name, const std::string& programFolder,
                           const std::string& settingsFolder) {
  std::string path;
  for (const std::string& folder : {programFolder, settingsFolder}) {
    if (folder.empty() || name.empty() || name.find('/') != std::string::npos) continue;
    const std::string candidate = folder + "/" + name;
    if (isRegularFile(candidate)) {
      path = candidate;
      break;
    }
  }
  if (path.empty()) return {kFileNotFound, "File not found: " + name};

  std::vector<std::string> args;
  if (runsItself(path)) args = {path};
  else args = {"/bin/sh", path};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  // The grandchild reports a failed exec through the pipe; a successful
  // exec closes it (close-on-exec) and the read sees the end.
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return failure(errno, path);
  const pid_t child = fork();
  if (child < 0) {
    const int err = errno;
    close(report[0]);
    close(report[1]);
    return failure(err, path);
  }
  if (child == 0) {
    // Detached: a session of its own and a parent that exits at once, so
    // it outlives us and is never left as our zombie.
    setsid();
    const pid_t grandchild = fork();
    if (grandchild == 0) {
      execv(argv[0], argv.data());
      const int err = errno;
      ssize_t ignored = write(report[1], &err, sizeof err);
      (void)ignored;
      _exit(127);
    }
    if (grandchild < 0) {
      const int err = errno;
      ssize_t ignored = write(report[1], &err, sizeof err);
      (void)ignored;
    }
    _exit(0);
  }
  close(report[1]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int err = 0;
  ssize_t got;
  while ((got = read(report[0], &err, sizeof err)) < 0 && errno == EINTR) {
  }
  close(report[0]);
  if (got == ssize_t(sizeof err)) return failure(err, path);
  return {};
}

}  // namespace x11
