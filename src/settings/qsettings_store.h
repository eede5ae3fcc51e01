#pragma once

#include "settings/settings_store.h"

#include <QSettings>
#include <map>
#include <memory>

namespace settings {

// The real per-user store. Linux: $XDG_CONFIG_HOME/<app>/<app>.ini, one INI
// group per section. Windows: the registry key that the classic
// GetSetting/SaveSetting use, so the settings of existing installs carry over.
class QSettingsStore : public SettingsStore {
 public:
  QSettingsStore();
  ~QSettingsStore() override;

  QString GetSetting(const QString& app, const QString& section, const QString& key,
                     const QString& defaultText = QString()) const override;
  WriteResult SaveSetting(const QString& app, const QString& section, const QString& key,
                          const QString& value) override;

  // Where the given application's settings live (file path or registry key).
  QString location(const QString& app) const;

 private:
  QSettings& settingsFor(const QString& app) const;
  QString failureReason(QSettings& s) const;

  mutable std::map<QString, std::unique_ptr<QSettings>> open_;
};

}  // namespace settings
