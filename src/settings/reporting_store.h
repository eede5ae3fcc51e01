#pragma once

#include "settings/settings_store.h"

#include <functional>

namespace settings {

// Passes every call to the real store and reports the first failed write of
// this start, so a broken store never passes silently and never nags.
class ReportingStore : public SettingsStore {
 public:
  using Reporter = std::function<void(const WriteResult&)>;

  ReportingStore(SettingsStore& inner, Reporter reporter);

  QString GetSetting(const QString& app, const QString& section, const QString& key,
                     const QString& defaultText = QString()) const override;
  WriteResult SaveSetting(const QString& app, const QString& section, const QString& key,
                          const QString& value) override;

  bool reported() const { return reported_; }

 private:
  SettingsStore& inner_;
  Reporter reporter_;
  bool reported_ = false;
  bool reporting_ = false;
};

}  // namespace settings
