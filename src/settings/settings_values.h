#pragma once

#include "settings/settings_schema.h"
#include "settings/settings_store.h"

#include <optional>
#include <string>

// Typed access to the schema's keys. Start-up readers use the schema's
// default; the run's readers use none and see the raw text.
namespace settings {

// The key's text, with the schema's default when absent.
std::string readText(const SettingsStore& store, const SettingKey& key);
// The key's text with no default: absent reads as the empty text.
std::string readRaw(const SettingsStore& store, const SettingKey& key);

// 0 or 1 (blanks around allowed); anything else reads as the key's default.
int readCheckState(const SettingsStore& store, const SettingKey& key);
// A whole number; anything else reads as the key's default.
int readJobNumber(const SettingsStore& store, const SettingKey& key);

WriteResult save(SettingsStore& store, const SettingKey& key, const std::string& value);

// A decimal whole number, blanks around it allowed; none when the text is
// not one. Values beyond 32 bits saturate.
std::optional<int> parseWholeNumber(const std::string& text);

}  // namespace settings
