#include "ui/qt/install_layout.h"

#include <QDir>
#include <QFileInfo>

QString sharedDataFolder(const QString& programFolder) {
  return QDir::cleanPath(programFolder + QStringLiteral("/../share/talvorstart"));
}

QString missingBatchFileHint(const QString& file, const QString& programFolder, const QString& settingsFolder) {
  QString hint = QStringLiteral("talvorstart: %1 was not found in %2 or in %3.\n"
                                "talvorstart: put your own %1, which starts your backup program, in %3/\n")
                     .arg(file, QDir::toNativeSeparators(programFolder), QDir::toNativeSeparators(settingsFolder));
  const QString sample = QDir(sharedDataFolder(programFolder)).filePath(file);
  if (QFileInfo(sample).isFile())
    hint += QStringLiteral("talvorstart: a sample to copy and edit is %1\n").arg(QDir::toNativeSeparators(sample));
  return hint;
}
