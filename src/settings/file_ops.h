#pragma once

#include <string>
#include <sys/types.h>

namespace settings {

// The system calls with which a settings file is replaced. Tests put in one
// that fails a chosen call, to show that no failure can damage the old file.
// Each returns what the system call returns and leaves errno set.
class FileOps {
 public:
  virtual ~FileOps() = default;
  // mkostemp: the template's XXXXXX are replaced in place.
  virtual int createTemp(std::string& pathTemplate);
  virtual ssize_t write(int fd, const void* data, size_t size);
  virtual int fsync(int fd);
  virtual int close(int fd);
  virtual int rename(const std::string& from, const std::string& to);
  virtual int fsyncFolder(const std::string& folder);
};

FileOps& systemFileOps();

}  // namespace settings
