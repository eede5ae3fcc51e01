#include "settings/reporting_store.h"

namespace settings {

ReportingStore::ReportingStore(SettingsStore& inner, Reporter reporter)
    : inner_(inner), reporter_(std::move(reporter)) {}

std::string ReportingStore::GetSetting(const std::string& app, const std::string& section, const std::string& key,
                                       const std::string& defaultText) const {
  return inner_.GetSetting(app, section, key, defaultText);
}

WriteResult ReportingStore::SaveSetting(const std::string& app, const std::string& section,
                                        const std::string& key, const std::string& value) {
  WriteResult result = inner_.SaveSetting(app, section, key, value);
  if (!result.ok && reported_.insert(result.where + '\n' + result.reason).second && reporter_) reporter_(result);
  return result;
}

std::string ReportingStore::readProblem(const std::string& app) const { return inner_.readProblem(app); }

}  // namespace settings
