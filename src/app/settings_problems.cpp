#include "app/settings_problems.h"

#include "settings/settings_schema.h"
#include "ui/frm_main.h"

#include <cstdio>

void reportProblem(FrmMain* frm, const QString& text) {
  std::fprintf(stderr, "talvorstart: %s\n", text.toUtf8().constData());
  std::fflush(stderr);
  if (frm) frm->showProblem(text);
}

QString readProblemText(const std::string& problem) {
  return QStringLiteral("Settings could not be read (%1). This start uses the defaults; move that file away or "
                        "mend it so that settings can be kept.")
      .arg(QString::fromStdString(problem));
}

QString writeProblemText(const settings::WriteResult& failure) {
  return QStringLiteral("Settings could not be saved to %1: %2. Changes made now last only until Talvor Start "
                        "closes.")
      .arg(QString::fromStdString(failure.where), QString::fromStdString(failure.reason));
}

settings::ReportingStore::Reporter windowReporter(FrmMain* const& window) {
  return [&window](const settings::WriteResult& w) { reportProblem(window, writeProblemText(w)); };
}

void reportReadProblem(FrmMain& window, const settings::SettingsStore& store) {
  const std::string problem = store.readProblem(settings::kApp);
  if (!problem.empty()) reportProblem(&window, readProblemText(problem));
}
