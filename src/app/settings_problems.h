#pragma once

#include "settings/reporting_store.h"

#include <string>

class FrmMain;

// What the user reads when the settings cannot be read or saved. It goes to
// standard error and to a line in the window, never to a message box: the
// run must go on unattended.
std::string readProblemText(const std::string& problem);
std::string writeProblemText(const settings::WriteResult& failure);

// Standard error and the window's problem line.
void reportProblem(FrmMain* window, const std::string& text);
// Reports failed writes into the window that the pointer names once it is
// made (and to standard error from the start).
settings::ReportingStore::Reporter windowReporter(FrmMain* const& window);
// Says so when the stored settings could not be read.
void reportReadProblem(FrmMain& window, const settings::SettingsStore& store);
