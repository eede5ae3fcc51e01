#include "settings/ini_file_store.h"

#include "settings/settings_schema.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace settings {

IniFileStore::IniFileStore(std::string configHome, FileOps& ops) : configHome_(std::move(configHome)), ops_(ops) {}

std::string IniFileStore::userConfigHome() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  if (!home || home[0] != '/') {
    // Unset, empty or relative: the account's own home, never the current folder.
    const passwd* pw = ::getpwuid(::getuid());
    home = pw && pw->pw_dir && pw->pw_dir[0] == '/' ? pw->pw_dir : "/";
  }
  const std::string base(home);
  return (base == "/" ? "" : base) + "/.config";
}

std::string IniFileStore::appFolder() { return userConfigHome() + "/" + kApp; }

std::string IniFileStore::fileOf(const std::string& app) const { return configHome_ + "/" + app + "/" + app + ".ini"; }

IniFile& IniFileStore::file(const std::string& app) const {
  auto& slot = files_[app];
  if (!slot) slot = std::make_unique<IniFile>(fileOf(app), ops_);
  return *slot;
}

std::string IniFileStore::GetSetting(const std::string& app, const std::string& section, const std::string& key,
                                     const std::string& defaultText) const {
  return file(app).value(section, key).value_or(defaultText);
}

WriteResult IniFileStore::SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                                      const std::string& value) {
  return file(app).set(section, key, value);
}

std::string IniFileStore::readProblem(const std::string& app) const {
  const std::string& problem = file(app).problem();
  return problem.empty() ? problem : fileOf(app) + ": " + problem;
}

}  // namespace settings
