#pragma once

#include "settings/settings_store.h"

#include <map>
#include <string>
#include <vector>

namespace settings {

// A store in memory, for tests: it keeps a log of every write and can be
// told to refuse writes or to have failed its read.
class MemoryStore : public SettingsStore {
 public:
  struct Write {
    std::string section;
    std::string key;
    std::string value;
  };

  std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                         const std::string& defaultText = std::string()) const override;
  WriteResult SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                          const std::string& value) override;
  std::string readProblem(const std::string& app) const override;

  // Seeds a value without logging it as a write.
  void put(const std::string& section, const std::string& key, const std::string& value);
  bool contains(const std::string& section, const std::string& key) const;
  int size() const { return int(values_.size()); }

  const std::vector<Write>& writes() const { return writes_; }
  void clearWrites() { writes_.clear(); }
  // A refused write keeps the value in memory, as the real stores do.
  void setFailWrites(bool fail) { failWrites_ = fail; }
  void setReadProblem(std::string problem) { readProblem_ = std::move(problem); }
  // Calls to the store that named an application other than "TalvorStart".
  int foreignAppCalls() const { return foreignAppCalls_; }

 private:
  void noteApp(const std::string& app) const;

  std::map<std::string, std::string> values_;
  std::vector<Write> writes_;
  bool failWrites_ = false;
  std::string readProblem_;
  mutable int foreignAppCalls_ = 0;
};

}  // namespace settings
