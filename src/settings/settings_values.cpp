#include "settings/settings_values.h"

#include <limits>

namespace settings {

QString readText(const SettingsStore& store, const SettingKey& key) {
  return store.GetSetting(kApp, key.section, key.key, key.loadDefault.value_or(QString()));
}

QString readRaw(const SettingsStore& store, const SettingKey& key) {
  return store.GetSetting(kApp, key.section, key.key);
}

int readCheckState(const SettingsStore& store, const SettingKey& key) {
  const auto n = parseWholeNumber(readText(store, key));
  if (n == 0 || n == 1) return *n;
  return key.loadDefault == QLatin1String("1") ? 1 : 0;
}

int readJobNumber(const SettingsStore& store, const SettingKey& key) {
  if (auto n = parseWholeNumber(readText(store, key))) return *n;
  return parseWholeNumber(key.loadDefault.value_or("1")).value_or(1);
}

WriteResult save(SettingsStore& store, const SettingKey& key, const QString& value) {
  return store.SaveSetting(kApp, key.section, key.key, value);
}

std::optional<int> parseWholeNumber(const QString& text) {
  const QString t = text.trimmed();
  int i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  if (i == t.size()) return std::nullopt;
  qint64 value = 0;
  for (; i < t.size(); ++i) {
    if (!t[i].isDigit() || t[i].unicode() > 127) return std::nullopt;
    if (value < std::numeric_limits<qint64>::max() / 10) value = value * 10 + (t[i].unicode() - '0');
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return int(value);
}

}  // namespace settings
