#include "settings/memory_store.h"

#include "settings/settings_schema.h"

namespace settings {
namespace {
std::string address(const std::string& section, const std::string& key) { return section + '/' + key; }
}  // namespace

void MemoryStore::noteApp(const std::string& app) const {
  if (app != kApp) ++foreignAppCalls_;
}

std::string MemoryStore::GetSetting(const std::string& app, const std::string& section, const std::string& key,
                                    const std::string& defaultText) const {
  noteApp(app);
  auto it = values_.find(address(section, key));
  return it == values_.end() ? defaultText : it->second;
}

WriteResult MemoryStore::SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                                     const std::string& value) {
  noteApp(app);
  values_[address(section, key)] = value;
  if (failWrites_) return {false, "memory", "writes refused"};
  writes_.push_back({section, key, value});
  return {};
}

std::string MemoryStore::readProblem(const std::string& app) const {
  noteApp(app);
  return readProblem_;
}

void MemoryStore::put(const std::string& section, const std::string& key, const std::string& value) {
  values_[address(section, key)] = value;
}

bool MemoryStore::contains(const std::string& section, const std::string& key) const {
  return values_.count(address(section, key)) != 0;
}

}  // namespace settings
