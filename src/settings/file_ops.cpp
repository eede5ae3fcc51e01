#include "settings/file_ops.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace settings {

int FileOps::createTemp(std::string& pathTemplate) { return ::mkostemp(pathTemplate.data(), O_CLOEXEC); }
ssize_t FileOps::write(int fd, const void* data, size_t size) { return ::write(fd, data, size); }
int FileOps::fsync(int fd) { return ::fsync(fd); }
int FileOps::close(int fd) { return ::close(fd); }
int FileOps::rename(const std::string& from, const std::string& to) { return ::rename(from.c_str(), to.c_str()); }

int FileOps::fsyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return -1;
  const int r = ::fsync(fd);
  ::close(fd);
  return r;
}

FileOps& systemFileOps() {
  static FileOps ops;
  return ops;
}

}  // namespace settings
