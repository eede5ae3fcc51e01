#include "settings/qsettings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace settings {

QSettingsStore::QSettingsStore() = default;
QSettingsStore::~QSettingsStore() = default;

QSettings& QSettingsStore::settingsFor(const QString& app) const {
  auto& slot = open_[app];
  if (!slot) {
#ifdef Q_OS_WIN
    slot = std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\") + app,
        QSettings::NativeFormat);
#else
    slot = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, app, app);
#endif
  }
  return *slot;
}

QString QSettingsStore::location(const QString& app) const {
  return QDir::toNativeSeparators(settingsFor(app).fileName());
}

static QString path(const QString& section, const QString& key) {
  return section + QLatin1Char('/') + key;
}

QString QSettingsStore::GetSetting(const QString& app, const QString& section, const QString& key,
                                   const QString& defaultText) const {
  const QVariant v = settingsFor(app).value(path(section, key));
  if (!v.isValid()) return defaultText;
  // A hand-edited INI value with unquoted commas parses as a list.
  if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(QStringLiteral(", "));
  return v.toString();
}

WriteResult QSettingsStore::SaveSetting(const QString& app, const QString& section,
                                        const QString& key, const QString& value) {
  QSettings& s = settingsFor(app);
  s.setValue(path(section, key), value);
  s.sync();
  if (s.status() == QSettings::NoError) return {};
  return {false, location(app), failureReason(s)};
}

// QSettings reports only that the write failed; ask the file system why.
QString QSettingsStore::failureReason(QSettings& s) const {
  if (s.status() == QSettings::FormatError) return QStringLiteral("the file is not in a readable format");
#ifndef Q_OS_WIN
  const QFileInfo file(s.fileName());
  const QFileInfo folder(file.absolutePath());
  if (folder.exists() && !folder.isDir()) return folder.absoluteFilePath() + QStringLiteral(" is not a folder");
  QDir().mkpath(folder.absoluteFilePath());
  QSaveFile probe(file.absoluteFilePath());
  if (!probe.open(QIODevice::WriteOnly)) return probe.errorString();
  probe.cancelWriting();
  probe.commit();
  return QStringLiteral("the file could not be written (is the disk full?)");
#else
  return QStringLiteral("the registry refused the write");
#endif
}

}  // namespace settings
