#include "app/settings_problems.h"

#include "settings/settings_schema.h"
#include "ui/frm_main.h"

#include <cstdio>

void reportProblem(FrmMain* frm, const std::string& text) {
  std::fprintf(stderr, "talvorstart: %s\n", text.c_str());
  std::fflush(stderr);
  if (frm) frm->showProblem(text);
}

std::string readProblemText(const std::string& problem) {
  return "Settings could not be read (" + problem +
         "). This start uses the defaults; move that file away or mend it so that settings can be kept.";
}

std::string writeProblemText(const settings::WriteResult& failure) {
  return "Settings could not be saved to " + failure.where + ": " + failure.reason +
         ". Changes made now last only until Talvor Start closes.";
}

settings::ReportingStore::Reporter windowReporter(FrmMain* const& window) {
  return [&window](const settings::WriteResult& w) { reportProblem(window, writeProblemText(w)); };
}

void reportReadProblem(FrmMain& window, const settings::SettingsStore& store) {
  const std::string problem = store.readProblem(settings::kApp);
  if (!problem.empty()) reportProblem(&window, readProblemText(problem));
}
