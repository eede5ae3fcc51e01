#pragma once

#include "settings/settings_store.h"

#include <string>

namespace settings {

// The store on Windows: HKEY_CURRENT_USER\<root>\<app>\<section>, one REG_SZ
// value per key, named exactly as the key ("Default" is a value named
// Default, not the key's unnamed value). The root is where installs of the
// classic program kept their settings, so those carry over.
class RegistryStore : public SettingsStore {
 public:
  explicit RegistryStore(std::string root = "Software\\VB and VBA Program Settings");

  std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                         const std::string& defaultText = std::string()) const override;
  WriteResult SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                          const std::string& value) override;

  // "HKEY_CURRENT_USER\...\<app>\<section>", as the user finds it in regedit.
  std::string location(const std::string& app, const std::string& section) const;

 private:
  std::string root_;
};

}  // namespace settings
