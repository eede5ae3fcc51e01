#pragma once

#include "settings/file_ops.h"
#include "settings/ini_file.h"
#include "settings/settings_store.h"

#include <map>
#include <memory>
#include <string>

namespace settings {

// The store on Linux: <config home>/<app>/<app>.ini, one INI section per
// settings section, in the format that earlier versions wrote.
class IniFileStore : public SettingsStore {
 public:
  explicit IniFileStore(std::string configHome, FileOps& ops = systemFileOps());

  // $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config; when
  // HOME is unset, empty or relative, the account's home stands for it.
  static std::string userConfigHome();
  // userConfigHome()/TalvorStart: the settings file, the batch file the
  // user keeps with it and the lock when no runtime folder is safe. The one
  // place that decides it.
  static std::string appFolder();

  std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                         const std::string& defaultText = std::string()) const override;
  WriteResult SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                          const std::string& value) override;
  std::string readProblem(const std::string& app) const override;

  std::string fileOf(const std::string& app) const;

 private:
  IniFile& file(const std::string& app) const;

  std::string configHome_;
  FileOps& ops_;
  mutable std::map<std::string, std::unique_ptr<IniFile>> files_;
};

}  // namespace settings
