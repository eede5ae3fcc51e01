#include "settings/memory_store.h"

#include "settings/settings_schema.h"

namespace settings {

QString MemoryStore::address(const QString& section, const QString& key) {
  return section + QLatin1Char('/') + key;
}

void MemoryStore::noteApp(const QString& app) const {
  if (app != kApp) ++foreignAppCalls_;
}

QString MemoryStore::GetSetting(const QString& app, const QString& section, const QString& key,
                                const QString& defaultText) const {
  noteApp(app);
  auto it = values_.constFind(address(section, key));
  return it == values_.constEnd() ? defaultText : *it;
}

WriteResult MemoryStore::SaveSetting(const QString& app, const QString& section, const QString& key,
                                     const QString& value) {
  noteApp(app);
  if (failWrites_) return {false, QStringLiteral("memory"), QStringLiteral("writes refused")};
  values_.insert(address(section, key), value);
  writes_.push_back({section, key, value});
  return {};
}

void MemoryStore::put(const QString& section, const QString& key, const QString& value) {
  values_.insert(address(section, key), value);
}

bool MemoryStore::contains(const QString& section, const QString& key) const {
  return values_.contains(address(section, key));
}

}  // namespace settings
