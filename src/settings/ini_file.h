#pragma once

#include "settings/file_ops.h"
#include "settings/ini_document.h"
#include "settings/settings_store.h"

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace settings {

// One INI file that is never left damaged: each change re-reads the file
// under an advisory lock (so that two processes never drop each other's
// keys), writes the whole new file beside it, syncs it and renames it over
// the old one. Any failure leaves the old file byte for byte; the value is
// then kept in memory for this start and tried again with the next change.
// A settings file that is not a regular file is never opened in a way that
// can block, and never replaced.
class IniFile {
 public:
  explicit IniFile(std::string path, FileOps& ops = systemFileOps());

  std::optional<std::string> value(const std::string& section, const std::string& key);
  WriteResult set(const std::string& section, const std::string& key, const std::string& value);

  const std::string& path() const { return path_; }
  // Why the file could not be read at the last attempt; empty when it could
  // (a missing file is no problem: it is an empty store).
  const std::string& problem();

 private:
  struct Snapshot {
    bool ok = false;
    bool exists = false;
    std::string bytes;
    unsigned mode = 0600;
    std::string reason;
  };

  void loadOnce();
  Snapshot read() const;
  std::string resolvedPath(std::string& reason) const;
  bool replace(const std::string& target, const std::string& bytes, unsigned mode, std::string& reason);
  void removeStaleCopies(const std::string& target) const;

  std::string path_;
  FileOps& ops_;
  bool loaded_ = false;
  IniDocument doc_;
  std::string problem_;
  std::map<std::pair<std::string, std::string>, std::string> unsaved_;
};

}  // namespace settings
