#pragma once

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

// A folder of its own for each test, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    char name[] = "/tmp/talvor-test-XXXXXX";
    path_ = ::mkdtemp(name);
  }
  ~TempFolder() { std::system(("chmod -R u+w '" + path_ + "' 2>/dev/null; rm -rf '" + path_ + "'").c_str()); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline int entriesIn(const std::string& folder) {
  std::string out;
  FILE* p = ::popen(("ls -A '" + folder + "' | wc -l").c_str(), "r");
  char buf[32] = {};
  if (p && std::fgets(buf, sizeof buf, p)) out = buf;
  if (p) ::pclose(p);
  return std::atoi(out.c_str());
}
