#include "app/launch_sequence.h"
#include "platform/automation_choice.h"
#include "platform/display_check.h"
#include "platform/qt_desktop_services.h"
#include "settings/qsettings_store.h"
#include "settings/reporting_store.h"
#include "ui/frm_main.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char* argv[]) {
  // Qt aborts without a display; say why in one line instead.
  if (const char* problem = displayProblem()) {
    std::fprintf(stderr, "talvorstart: %s\n", problem);
    return exit_status::kNoDisplay;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("talvorstart"));
  app.setQuitOnLastWindowClosed(false);  // the launch sequence decides when to end

  AutomationChoice desktop = chooseAutomation();
  if (!desktop.decision.note.empty()) std::fprintf(stderr, "talvorstart: %s\n", desktop.decision.note.c_str());
  if (!desktop.decision.problem.empty())
    std::fprintf(stderr, "talvorstart: %s\n", desktop.decision.problem.c_str());
  QtDesktopServices services(std::move(desktop.automation));
  settings::QSettingsStore realStore;
  settings::ReportingStore store(realStore, [&](const settings::WriteResult& w) {
    services.msgBox(QStringLiteral("Settings could not be saved to %1: %2\n\nChanges made now will be lost when "
                                   "Talvor Start closes.")
                        .arg(w.where, w.reason),
                    msgbox_style::kCritical);
  });

  FrmMain frm(store, services);
  Form_Load(frm);
  frm.show();
  services.setOwnWindow(&frm);

  int status = exit_status::kOk;
  // Once, from the event loop right after the window is shown: a window
  // started by a scheduler may never be activated by the window manager.
  QTimer::singleShot(0, &frm, [&] {
    // Said before the run, and waits for the user: an unattended run here
    // could only start the backup program.
    if (!desktop.decision.problem.empty())
      services.msgBox(QString::fromStdString(desktop.decision.problem), msgbox_style::kCritical);
    status = Form_Activate(frm, store, services);
    QCoreApplication::exit(status);
  });
  app.exec();
  return status;
}
