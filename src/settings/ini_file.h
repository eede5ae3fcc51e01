#pragma once

#include "settings/file_ops.h"
#include "settings/ini_document.h"
#include "settings/settings_store.h"

#include <map>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <utility>

namespace settings {

// One INI file that is never left damaged: each change re-reads the file
// under an advisory lock (so that two processes never drop each other's
// keys), writes the whole new file beside it, syncs it and renames it over
// the old one. Any failure leaves the old file byte for byte; the value is
// then kept in memory for this start and tried again with the next change.
// A settings file that is not a regular file is never opened in a way that
// can block, and never replaced; nor is one larger than 1 MB, or one that
// others may change. The file is read again only when it has changed.
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
  // What tells one version of the file from another without reading it.
  struct Identity {
    dev_t dev;
    ino_t ino;
    off_t size;
    time_t mtime;
    long mtimeNs;
    time_t ctime;
    long ctimeNs;
    bool operator==(const Identity& o) const {
      return dev == o.dev && ino == o.ino && size == o.size && mtime == o.mtime && mtimeNs == o.mtimeNs &&
             ctime == o.ctime && ctimeNs == o.ctimeNs;
    }
  };
  struct Snapshot {
    bool ok = false;
    bool exists = false;
    std::string bytes;
    unsigned mode = 0600;
    Identity id{};
    std::string reason;
  };

  static Identity identityOf(const struct stat& st);
  std::string trustProblem(const std::string& target) const;

  void loadOnce();
  Snapshot read() const;
  std::string resolvedPath(std::string& reason) const;
  bool replace(const std::string& target, const std::string& bytes, unsigned mode, std::string& reason);
  void removeStaleCopies(const std::string& target) const;

  std::string path_;
  FileOps& ops_;
  bool loaded_ = false;
  IniDocument doc_;
  std::optional<Identity> known_;  // of the file on disk that doc_ holds
  std::string problem_;
  std::map<std::pair<std::string, std::string>, std::string> unsaved_;
};

}  // namespace settings
