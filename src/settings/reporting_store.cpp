#include "settings/reporting_store.h"

namespace settings {

ReportingStore::ReportingStore(SettingsStore& inner, Reporter reporter)
    : inner_(inner), reporter_(std::move(reporter)) {}

QString ReportingStore::GetSetting(const QString& app, const QString& section, const QString& key,
                                   const QString& defaultText) const {
  return inner_.GetSetting(app, section, key, defaultText);
}

WriteResult ReportingStore::SaveSetting(const QString& app, const QString& section,
                                        const QString& key, const QString& value) {
  WriteResult result = inner_.SaveSetting(app, section, key, value);
  // The report may pump events (a message box); writes made meanwhile must
  // not report again.
  if (!result.ok && !reported_ && !reporting_) {
    reported_ = true;
    reporting_ = true;
    if (reporter_) reporter_(result);
    reporting_ = false;
  }
  return result;
}

}  // namespace settings
