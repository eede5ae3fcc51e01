#pragma once

#include "settings/settings_store.h"

#include <functional>
#include <set>
#include <string>

namespace settings {

// Passes every call to the real store and reports each new reason for a
// failed write once per start, so a broken store never passes silently and
// never nags.
class ReportingStore : public SettingsStore {
 public:
  using Reporter = std::function<void(const WriteResult&)>;

  ReportingStore(SettingsStore& inner, Reporter reporter);

  std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                         const std::string& defaultText = std::string()) const override;
  WriteResult SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                          const std::string& value) override;
  std::string readProblem(const std::string& app) const override;

  bool reported() const { return !reported_.empty(); }

 private:
  SettingsStore& inner_;
  Reporter reporter_;
  std::set<std::string> reported_;
};

}  // namespace settings
