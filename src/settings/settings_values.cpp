#include "settings/settings_values.h"

#include <cstdint>
#include <limits>

namespace settings {

std::string readText(const SettingsStore& store, const SettingKey& key) {
  return store.GetSetting(kApp, key.section, key.key, key.loadDefault.value_or(std::string()));
}

std::string readRaw(const SettingsStore& store, const SettingKey& key) {
  return store.GetSetting(kApp, key.section, key.key);
}

int readCheckState(const SettingsStore& store, const SettingKey& key) {
  const auto n = parseWholeNumber(readText(store, key));
  if (n == 0 || n == 1) return *n;
  return key.loadDefault == std::string("1") ? 1 : 0;
}

int readJobNumber(const SettingsStore& store, const SettingKey& key) {
  if (auto n = parseWholeNumber(readText(store, key))) return *n;
  return parseWholeNumber(key.loadDefault.value_or("1")).value_or(1);
}

WriteResult save(SettingsStore& store, const SettingKey& key, const std::string& value) {
  return store.SaveSetting(kApp, key.section, key.key, value);
}

std::optional<int> parseWholeNumber(const std::string& text) {
  // The blanks QString::trimmed() took: space, \t \n \v \f \r.
  const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  size_t i = 0, end = text.size();
  while (i < end && blank(text[i])) ++i;
  while (end > i && blank(text[end - 1])) --end;
  bool negative = false;
  if (i < end && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == end) return std::nullopt;
  std::int64_t value = 0;
  for (; i < end; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    if (value < std::numeric_limits<std::int64_t>::max() / 10) value = value * 10 + (text[i] - '0');
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return int(value);
}

}  // namespace settings
