#include "platform/x11/batch_start.h"

#include "platform/failure_codes.h"
#include "settings/file_trust.h"

#include <cerrno>
#include <cstdlib>
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

// A text passed to "sh -c" must fit in one argument (128 KiB on Linux); a
// batch file is a few lines. Only so much of it is read.
constexpr size_t kMaxCleanedText = 64 * 1024;
// Sent through the report pipe instead of an errno: the file was swapped
// between its check and its start.
constexpr int kChangedSinceChecked = -1;

bool isRegularFile(const std::string& path) {
  struct stat st{};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

StartResult failure(int err, const std::string& path) {
  if (err == kChangedSinceChecked) return {kPermissionDenied, path + " was replaced while it was started; it was not run"};
  const int code = (err == EACCES || err == EPERM) ? kPermissionDenied : kPathFileAccess;
  return {code, path + " could not be started: " + std::strerror(err)};
}

StartResult refused(const std::string& path, const std::string& why) {
  return {kPermissionDenied, path + " is not run: " + why};
}

// Who else could change what runs: the file and the folder it lies in (and
// the folder of the file a link names) must be the user's or root's, and
// writable by nobody else.
std::string othersMayChangeIt(const std::string& path, const struct stat& st) {
  std::string why = settings::othersMayChange(st, "it", path);
  std::vector<std::string> folders{settings::folderOf(path)};
  if (char* real = realpath(path.c_str(), nullptr)) {
    folders.push_back(settings::folderOf(real));
    std::free(real);
  }
  for (const std::string& folder : folders)
    if (why.empty()) why = settings::othersMayChange(folder, "the folder " + folder);
  return why;
}

// A file from Windows: CR LF line ends, so the "#!" line names an
// interpreter ending in CR, and a shell would read a CR at the end of each
// command. Without the CRs the text is a plain shell script.
bool hasWindowsLineEnds(const std::string& text) { return text.find("\r\n") != std::string::npos; }

std::string withoutCarriageReturns(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && (i + 1 == text.size() || text[i + 1] == '\n'))) out += text[i];
  return out;
}

std::string baseName(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool isShell(const std::string& program) {
  const std::string name = baseName(program);
  for (const char* shell : {"sh", "bash", "dash", "ksh", "zsh"})
    if (name == shell) return true;
  return false;
}

// The shell command for a file with CR LF line ends: the shell its "#!" line
// names (or /bin/sh) reads the cleaned text through -c, with the file as $0.
// Empty with the reason when only a shell could be given the text so.
std::vector<std::string> cleanedCommand(const std::string& path, const std::string& text, std::string& why) {
  const std::string clean = withoutCarriageReturns(text);
  std::vector<std::string> command;
  if (clean.compare(0, 2, "#!") == 0) {
    const std::string line = clean.substr(2, clean.find('\n') - 2);
    std::vector<std::string> words;
    for (size_t at = line.find_first_not_of(" \t"); at != std::string::npos;) {
      const size_t end = line.find_first_of(" \t", at);
      words.push_back(line.substr(at, end - at));
      at = line.find_first_not_of(" \t", end);
    }
    const bool viaEnv = words.size() == 2 && baseName(words[0]) == "env";
    if (words.empty() || !isShell(viaEnv ? words[1] : words[0])) {
      why = "it has Windows line ends (CR LF), which " + (words.empty() ? std::string("its #! line") : words[0]) +
            " cannot read; convert it with: sed -i 's/\\r$//' " + path;
      return {};
    }
    command = words;
  } else {
    command = {"/bin/sh"};
  }
  command.insert(command.end(), {"-c", clean, path});
  return command;
}

// The text of the open file, at most limit bytes; false when it is longer.
bool readAll(int fd, std::string& text, size_t limit) {
  char buffer[8192];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n == 0;
    text.append(buffer, size_t(n));
    if (text.size() > limit) return false;
  }
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

  // What is checked is the open file; right before it runs, the path must
  // still name that same file.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return failure(errno, path);
  struct stat checked{};
  std::string text;
  const bool statted = fstat(fd, &checked) == 0 && S_ISREG(checked.st_mode);
  const bool whole = statted && readAll(fd, text, kMaxCleanedText);
  close(fd);
  if (!statted) return refused(path, "it is not a regular file");
  const std::string why = othersMayChangeIt(path, checked);
  if (!why.empty()) return refused(path, why);

  std::vector<std::string> args;
  if (hasWindowsLineEnds(text)) {
    if (!whole)
      return refused(path, "it has Windows line ends (CR LF) and is too long to clean for the shell; convert it "
                           "with: sed -i 's/\\r$//' " + path);
    std::string reason;
    args = cleanedCommand(path, text, reason);
    if (args.empty()) return refused(path, reason);
  } else if (access(path.c_str(), X_OK) == 0 && text.compare(0, 2, "#!") == 0) {
    args = {path};  // a file with the run bit and a "#!" line runs itself
  } else {
    args = {"/bin/sh", path};  // anything else is read by the shell, as a batch file by its interpreter
  }
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
      struct stat now{};
      int err = kChangedSinceChecked;
      if (stat(path.c_str(), &now) == 0 && now.st_dev == checked.st_dev && now.st_ino == checked.st_ino) {
        execv(argv[0], argv.data());
        err = errno;
      }
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
