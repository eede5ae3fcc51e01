#pragma once

#include <QString>

namespace settings {

struct WriteResult {
  bool ok = true;
  QString where;   // the file or registry key that was written
  QString reason;  // why it failed; empty on success
};

// The per-user store: every value is a text addressed by application,
// section and key.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // The stored text when the key exists (also when it is empty), else the
  // default. Never creates a key.
  virtual QString GetSetting(const QString& app, const QString& section, const QString& key,
                             const QString& defaultText = QString()) const = 0;

  // Stores the text; on return it is on disk, or the result says why not.
  virtual WriteResult SaveSetting(const QString& app, const QString& section, const QString& key,
                                  const QString& value) = 0;
};

}  // namespace settings
