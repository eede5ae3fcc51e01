#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

// A folder of its own for each test, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    char name[] = "/tmp/talvor-test-XXXXXX";
    path_ = ::mkdtemp(name);
  }
  ~TempFolder() {
    makeRemovable(path_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  // As chmod -R u+w on the folders, without a shell; links are not followed.
  static void makeRemovable(const std::filesystem::path& p) {
    namespace fs = std::filesystem;
    std::error_code e;
    if (!fs::is_directory(fs::symlink_status(p, e))) return;
    fs::permissions(p, fs::perms::owner_all, fs::perm_options::add, e);
    for (const auto& c : fs::directory_iterator(p, e)) makeRemovable(c.path());
  }
  std::string path_;
};

inline std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
inline void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// An environment variable as it was before the test, put back afterwards.
struct SavedEnv {
  std::string name;
  std::optional<std::string> value;
  explicit SavedEnv(const char* n) : name(n) {
    if (const char* v = std::getenv(n)) value = v;
  }
  ~SavedEnv() { value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str()); }
};
