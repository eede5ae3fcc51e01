#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/text_file.h"

namespace text_file {
namespace {

std::string failed(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + std::strerror(errno);
}

// Someone else's file, or one others may write, could feed the user lies.
bool trusted(int fd, const std::string& path, std::string& reason) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    reason = failed("Could not look at", path);
    return false;
  }
  if (!S_ISREG(st.st_mode) || st.st_uid != ::getuid() || (st.st_mode & 022)) {
    reason = path + " is not a file of yours that only you can write; move it away";
    return false;
  }
  return true;
}

std::string home() {
  const char* h = std::getenv("HOME");
  if (h && h[0] == '/') return h;
  const passwd* pw = ::getpwuid(::getuid());
  return pw && pw->pw_dir ? pw->pw_dir : "/";
}

}  // namespace

std::string stateFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  const std::string base = state && state[0] == '/' ? std::string(state) : home() + "/.local/state";
  return base + "/TalvorStart";
}

bool makeFolder(const std::string& folder, std::string& reason) {
  for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
      reason = failed("Could not make the folder", part);
      return false;
    }
    if (slash == std::string::npos) return true;
  }
}

bool append(const std::string& path, const std::string& text, std::string& reason) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
  if (fd < 0) {
    reason = failed("Could not open", path);
    return false;
  }
  bool ok = trusted(fd, path, reason);
  if (ok && ::write(fd, text.data(), text.size()) != ssize_t(text.size())) {
    reason = failed("Could not write to", path);
    ok = false;
  }
  ::close(fd);
  return ok;
}

bool size(const std::string& path, std::size_t& bytes, std::string& reason) {
  struct stat st {};
  bytes = 0;
  if (::lstat(path.c_str(), &st) == 0) {
    bytes = std::size_t(st.st_size);
    return true;
  }
  if (errno == ENOENT) return true;
  reason = failed("Could not look at", path);
  return false;
}

bool readTail(const std::string& path, std::size_t maxBytes, std::string& out, std::string& reason) {
  out.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) {
    if (errno == ENOENT) return true;
    reason = failed("Could not open", path);
    return false;
  }
  struct stat st {};
  bool ok = trusted(fd, path, reason) && ::fstat(fd, &st) == 0;
  const off_t from = ok && std::size_t(st.st_size) > maxBytes ? st.st_size - off_t(maxBytes) : 0;
  if (ok && ::lseek(fd, from, SEEK_SET) < 0) ok = false;
  char buffer[65536];
  while (ok && out.size() < maxBytes) {
    const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, maxBytes - out.size()));
    if (n < 0) {
      reason = failed("Could not read", path);
      ok = false;
    }
    if (n <= 0) break;
    out.append(buffer, size_t(n));
  }
  ::close(fd);
  return ok;
}

bool replace(const std::string& path, const std::string& text, std::string& reason) {
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) {
    reason = failed("Could not make a file beside", path);
    return false;
  }
  const bool written = ::write(fd, text.data(), text.size()) == ssize_t(text.size()) && ::fsync(fd) == 0;
  ::close(fd);
  if (!written || ::rename(temp.c_str(), path.c_str()) != 0) {
    reason = failed("Could not replace", path);
    ::unlink(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace text_file
