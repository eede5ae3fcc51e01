#pragma once

#include "settings/settings_store.h"

#include <QHash>
#include <QVector>

namespace settings {

// A store in memory, for tests: it keeps a log of every write and can be
// told to refuse writes.
class MemoryStore : public SettingsStore {
 public:
  struct Write {
    QString section;
    QString key;
    QString value;
  };

  QString GetSetting(const QString& app, const QString& section, const QString& key,
                     const QString& defaultText = QString()) const override;
  WriteResult SaveSetting(const QString& app, const QString& section, const QString& key,
                          const QString& value) override;

  // Seeds a value without logging it as a write.
  void put(const QString& section, const QString& key, const QString& value);
  bool contains(const QString& section, const QString& key) const;
  int size() const { return int(values_.size()); }

  const QVector<Write>& writes() const { return writes_; }
  void clearWrites() { writes_.clear(); }
  void setFailWrites(bool fail) { failWrites_ = fail; }
  // Calls to the store that named an application other than "TalvorStart".
  int foreignAppCalls() const { return foreignAppCalls_; }

 private:
  static QString address(const QString& section, const QString& key);
  void noteApp(const QString& app) const;

  QHash<QString, QString> values_;
  QVector<Write> writes_;
  bool failWrites_ = false;
  mutable int foreignAppCalls_ = 0;
};

}  // namespace settings
