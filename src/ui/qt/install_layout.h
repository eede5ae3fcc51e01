#pragma once

// Where an installed program finds its shared files: <prefix>/bin holds the
// program, <prefix>/share/talvorstart the help file and the sample batch file.
// Found from the program's own folder, so any prefix works.
#include <QString>

QString sharedDataFolder(const QString& programFolder);

// What to tell on standard error when the batch file is in neither folder:
// both folders, where the user's own copy goes, and the sample if there is one.
QString missingBatchFileHint(const QString& file, const QString& programFolder, const QString& settingsFolder);
