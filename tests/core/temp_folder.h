#pragma once

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>

// A folder of its own for each test, removed afterwards.
class TempFolder {
 public:
  // Made anew, so no one else's; the owner's alone, as mkdtemp makes it.
  TempFolder() {
    namespace fs = std::filesystem;
    std::error_code e;
    std::random_device random;
    fs::path p;
    for (int tries = 0; tries < 100; ++tries) {
      p = fs::temp_directory_path(e) / ("talvor-test-" + std::to_string(random()));
      if (fs::create_directory(p, e)) break;
    }
    fs::permissions(p, fs::perms::owner_all, fs::perm_options::replace, e);
    path_ = p.generic_string();
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

#ifndef _WIN32
// An environment variable as it was before the test, put back afterwards.
struct SavedEnv {
  std::string name;
  std::optional<std::string> value;
  explicit SavedEnv(const char* n) : name(n) {
    if (const char* v = std::getenv(n)) value = v;
  }
  ~SavedEnv() { value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str()); }
};
#endif
