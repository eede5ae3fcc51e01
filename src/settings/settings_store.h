#pragma once

#include <string>

namespace settings {

struct WriteResult {
  bool ok = true;
  std::string where;   // the file or registry key that was written
  std::string reason;  // why it failed; empty on success
};

// The per-user store: every value is a UTF-8 text addressed by application,
// section and key.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // The stored text when the key exists (also when it is empty), else the
  // default. Never creates a key.
  virtual std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                                 const std::string& defaultText = std::string()) const = 0;

  // Stores the text; on return it is on disk, or the result says why not
  // (the value is then kept in memory for the rest of this start).
  virtual WriteResult SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                                  const std::string& value) = 0;

  // Why the stored settings of the application could not be read, naming
  // where they live; the defaults then stand in for them. Empty when fine.
  virtual std::string readProblem(const std::string& app) const {
    (void)app;
    return {};
  }
};

}  // namespace settings
