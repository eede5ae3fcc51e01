#include "settings/ini_file.h"

#include "settings/file_trust.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace settings {
namespace {

// A live writer holds the lock for the few milliseconds of one write; a
// process that died holds nothing (the kernel drops its lock). The bound is
// for a writer stuck on a slow disk: after it we write without the lock
// rather than hold back the unattended run.
constexpr auto kLockWait = std::chrono::seconds(5);
constexpr auto kLockPoll = std::chrono::milliseconds(10);

// Far above any real settings file (a full one is a few kilobytes). A bigger
// one is not ours: reading it could take minutes and gigabytes.
constexpr off_t kMaxBytes = 1 << 20;

std::string errorText(int err) { return std::strerror(err); }

std::string baseName(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool makeFolders(const std::string& folder, std::string& reason) {
  std::string partial;
  size_t pos = 0;
  while (pos != std::string::npos) {
    pos = folder.find('/', pos + 1);
    partial = folder.substr(0, pos);
    if (partial.empty()) continue;
    if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) {
      reason = "the folder " + partial + " could not be made: " + errorText(errno);
      return false;
    }
  }
  struct stat st{};
  if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    reason = folder + " is not a folder";
    return false;
  }
  return true;
}

// An exclusive advisory lock on the file beside the settings, released when
// this object goes or the process dies. A lock file that cannot be opened
// (a folder by that name, a read-only folder) is not waited for.
class WriterLock {
 public:
  explicit WriterLock(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (fd_ < 0) fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd_ < 0) return;
    const auto until = std::chrono::steady_clock::now() + kLockWait;
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
      if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= until) return;
      std::this_thread::sleep_for(kLockPoll);
    }
    held_ = true;
  }
  ~WriterLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  WriterLock(const WriterLock&) = delete;
  WriterLock& operator=(const WriterLock&) = delete;
  bool held() const { return held_; }

 private:
  int fd_ = -1;
  bool held_ = false;
};

}  // namespace

IniFile::IniFile(std::string path, FileOps& ops) : path_(std::move(path)), ops_(ops) {}

std::string IniFile::resolvedPath(std::string& reason) const {
  struct stat st{};
  if (::lstat(path_.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path_;
  // A link (a dotfile manager's) stays a link: the file it names is replaced.
  char* real = ::realpath(path_.c_str(), nullptr);
  if (!real) {
    reason = "it is a link to a file that cannot be reached (" + errorText(errno) + ")";
    return {};
  }
  std::string target(real);
  std::free(real);
  return target;
}

// Others who may change the file or a folder it lies in could put any
// values in it: the settings are then neither read nor written.
std::string IniFile::trustProblem(const std::string& target) const {
  std::string problem = othersMayChange(folderOf(target), "the folder " + folderOf(target));
  if (problem.empty() && folderOf(path_) != folderOf(target))
    problem = othersMayChange(folderOf(path_), "the folder " + folderOf(path_));
  return problem;
}

IniFile::Identity IniFile::identityOf(const struct stat& st) {
  return {st.st_dev, st.st_ino, st.st_size, st.st_mtim.tv_sec, st.st_mtim.tv_nsec, st.st_ctim.tv_sec,
          st.st_ctim.tv_nsec};
}

IniFile::Snapshot IniFile::read() const {
  Snapshot s;
  const std::string target = resolvedPath(s.reason);
  if (target.empty()) return s;
  s.reason = trustProblem(target);
  if (!s.reason.empty()) return s;
  // O_NONBLOCK: opening a FIFO must not wait for a writer; what it is, is
  // asked of the open file, so nothing can swap it in between.
  const int fd = ::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    if (errno == ENOENT) {
      s.ok = true;
      return s;
    }
    s.reason = errorText(errno);
    return s;
  }
  struct stat st{};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    s.reason = "it is not a regular file";
    return s;
  }
  s.reason = othersMayChange(st, "it", target);
  if (s.reason.empty() && st.st_size > kMaxBytes)
    s.reason = "it is larger than 1 MB, far more than settings take, so it is neither read nor written";
  if (!s.reason.empty()) {
    ::close(fd);
    return s;
  }
  s.id = identityOf(st);
  s.mode = unsigned(st.st_mode & 07777);
  if (known_ && *known_ == s.id) {
    // Unchanged since we last read or wrote it: no need to read it again.
    ::close(fd);
    s.bytes = doc_.bytes();
    s.ok = s.exists = true;
    return s;
  }
  char buffer[8192];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
      s.bytes.append(buffer, size_t(n));
      if (s.bytes.size() > size_t(kMaxBytes)) {
        ::close(fd);
        s.bytes.clear();
        s.reason = "it grew beyond 1 MB while it was read";
        return s;
      }
    } else if (n == 0) {
      break;
    } else if (errno != EINTR) {
      s.reason = errorText(errno);
      ::close(fd);
      return s;
    }
  }
  ::close(fd);
  s.ok = s.exists = true;
  return s;
}

void IniFile::loadOnce() {
  if (loaded_) return;
  loaded_ = true;
  Snapshot s = read();
  problem_ = s.ok ? std::string() : s.reason;
  known_ = s.exists ? std::optional<Identity>(s.id) : std::nullopt;
  doc_ = IniDocument(std::move(s.bytes));
}

const std::string& IniFile::problem() {
  loadOnce();
  return problem_;
}

std::optional<std::string> IniFile::value(const std::string& section, const std::string& key) {
  loadOnce();
  auto it = unsaved_.find({section, key});
  if (it != unsaved_.end()) return it->second;
  return doc_.value(section, key);
}

WriteResult IniFile::set(const std::string& section, const std::string& key, const std::string& value) {
  loadOnce();
  unsaved_[{section, key}] = value;
  auto failed = [&](std::string reason) { return WriteResult{false, path_, std::move(reason)}; };

  std::string reason;
  const std::string target = resolvedPath(reason);
  if (target.empty()) return failed(reason);
  if (!makeFolders(folderOf(target), reason)) return failed(reason);

  // Before the lock is made: its file is not made in a folder of others.
  reason = trustProblem(target);
  if (!reason.empty()) {
    problem_ = reason;
    return failed(reason);
  }
  WriterLock lock(path_ + ".lock");
  Snapshot now = read();  // under the lock: another process may have written meanwhile
  if (!now.ok) {
    problem_ = now.reason;
    return failed(now.reason);
  }
  if (now.exists && ::access(target.c_str(), W_OK) != 0) return failed("the file is read-only");
  if (lock.held()) removeStaleCopies(target);

  IniDocument next(now.bytes);
  for (const auto& [address, text] : unsaved_) next.set(address.first, address.second, text);
  if (next.bytes() != now.bytes) {
    if (!replace(target, next.bytes(), now.mode, reason)) {
      known_ = now.exists ? std::optional<Identity>(now.id) : std::nullopt;
      doc_ = IniDocument(std::move(now.bytes));
      return failed(reason);
    }
    struct stat st{};
    known_ = ::stat(target.c_str(), &st) == 0 ? std::optional<Identity>(identityOf(st)) : std::nullopt;
  } else {
    known_ = now.exists ? std::optional<Identity>(now.id) : std::nullopt;
  }
  doc_ = std::move(next);
  unsaved_.clear();
  problem_.clear();
  return {};
}

bool IniFile::replace(const std::string& target, const std::string& bytes, unsigned mode, std::string& reason) {
  std::string temp = target + ".new-" + std::to_string(::getpid()) + "-XXXXXX";
  const int fd = ops_.createTemp(temp);
  if (fd < 0) {
    reason = errorText(errno);
    return false;
  }
  auto fail = [&](int err, bool open) {
    reason = errorText(err);
    if (open) ops_.close(fd);
    ::unlink(temp.c_str());
    return false;
  };
  ::fchmod(fd, mode);
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ops_.write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return fail(n < 0 ? errno : ENOSPC, true);
    done += size_t(n);
  }
  if (ops_.fsync(fd) != 0) return fail(errno, true);
  // Some file systems report a failed write only when the file is closed.
  if (ops_.close(fd) != 0) return fail(errno, false);
  if (ops_.rename(temp, target) != 0) return fail(errno, false);
  // The new file is in place; a failed sync of the folder only leaves the
  // rename less durable, so it is no failure to report.
  ops_.fsyncFolder(folderOf(target));
  return true;
}

// Copies left by a writer that was killed mid-write. Called under the lock,
// so no living writer of ours is using them.
void IniFile::removeStaleCopies(const std::string& target) const {
  const std::string folder = folderOf(target);
  const std::string prefix = baseName(target) + ".new-";
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* e = ::readdir(dir)) {
    const std::string name = e->d_name;
    if (name.compare(0, prefix.size(), prefix) != 0) continue;
    const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
    if (pid > 0 && pid != ::getpid() && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
      ::unlink((folder + "/" + name).c_str());
  }
  ::closedir(dir);
}

}  // namespace settings
