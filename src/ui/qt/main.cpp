// The Linux program: the Qt view, the native back end and the core.
#include "app/command_line.h"
#include "app/dry_run.h"
#include "app/launch_sequence.h"
#include "app/only_run.h"
#include "app/run_history.h"
#include "app/settings_problems.h"
#include "app/start_report.h"
#include "platform/automation.h"
#include "platform/automation_choice.h"
#include "platform/display_check.h"
#include "platform/single_instance.h"
#include "settings/settings_schema.h"
#include "ui/frm_main.h"
#include "ui/qt/frm_main_view.h"
#include "ui/qt/qt_desktop_services.h"
#include "version.h"

#ifdef _WIN32
#include "settings/registry_store.h"
#else
#include "settings/ini_file_store.h"
#endif

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLocale>
#include <QTimer>
#include <QWindow>
#include <cstdio>

namespace {
constexpr qint64 kPlacedWithinMs = 1000;

LocalTime localNow() {
  const QDateTime t = QDateTime::currentDateTime();
  return {Date{t.date().year(), t.date().month(), t.date().day()}, t.time().msecsSinceStartOfDay() / 1000.0};
}

std::string shortDate(const Date& d) {
  return QLocale::system().toString(QDate(d.year, d.month, d.day), QLocale::ShortFormat).toStdString();
}

}  // namespace

int main(int argc, char* argv[]) {
  const CommandLine options = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  RunHistory history(RunHistory::defaultPath());

#ifdef _WIN32
  settings::RegistryStore realStore;
  const std::string settingsFolder;
#else
  settings::IniFileStore realStore(settings::IniFileStore::userConfigHome());
  const std::string settingsFolder = settings::IniFileStore::appFolder();
#endif
  std::string out, err;
  const int optionStatus = runOption(options, realStore, history, {localNow, shortDate}, out, err);
  std::fputs(out.c_str(), stdout);
  std::fputs(err.c_str(), stderr);
  if (optionStatus >= 0) return optionStatus;

  // Qt aborts without a display; say why in one line instead.
  if (const char* problem = displayProblem()) {
    std::fprintf(stderr, "talvorstart: %s\n", problem);
    return recordEarlyEnd(Outcome::NoDisplay, problem, localNow(), history);
  }

  // Before anything is read or written: a second start does nothing but
  // show the user the run that is going on.
#ifdef _WIN32
  SingleInstance instance(SingleInstance::defaultLockFolder(settingsFolder));
#else
  const std::string runtimeProblem = SingleInstance::runtimeFolderProblem();
  if (!runtimeProblem.empty()) std::fprintf(stderr, "talvorstart: %s\n", runtimeProblem.c_str());
  SingleInstance instance(SingleInstance::defaultLockFolder(settingsFolder), settingsFolder);
  if (!instance.note().empty()) std::fprintf(stderr, "talvorstart: %s\n", instance.note().c_str());
#endif
  if (!mayRunNow(instance, createAutomation))
    return recordEarlyEnd(Outcome::AlreadyRunning, std::string(), localNow(), history);

  // The window is small: painting it through shared memory saves nothing,
  // and waiting for the X server's completion event would wake the program
  // twice more at each change of the count-down.
  qputenv("QT_XCB_NO_MITSHM", "1");
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("talvorstart"));
  // The Wayland app id: the shell matches it with the desktop entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(TALVOR_APP_ID));
  app.setQuitOnLastWindowClosed(false);  // the launch sequence decides when to end

  AutomationChoice desktop = chooseAutomation();
  if (!desktop.decision.note.empty()) std::fprintf(stderr, "talvorstart: %s\n", desktop.decision.note.c_str());
  QtDesktopServices services(std::move(desktop.automation));
  FrmMain* window = nullptr;
  settings::ReportingStore store(realStore, windowReporter(window));

  FrmMain frm(store, services);
  FrmMainView view(frm);
  window = &frm;
  Form_Load(frm);
  frm.show();
  services.setOwnWindow(&view);
  reportReadProblem(frm, store);
  // Said in the window, not in a box that waits: the run goes on and sends
  // nothing, and the next start says it again.
  if (!desktop.decision.problem.empty()) reportProblem(&frm, desktop.decision.problem);

  int status = exit_status::kOk;
  // Once, from the event loop right after the window is shown: a window
  // started by a scheduler may never be activated by the window manager.
  QTimer::singleShot(0, &view, [&] {
    // The prompts and boxes open over the window: first let the window
    // system place and show it (bounded, so that nothing holds the run).
    QElapsedTimer shown;
    shown.start();
    while (!(view.windowHandle() && view.windowHandle()->isExposed()) && shown.elapsed() < kPlacedWithinMs)
      services.idle(int(kPlacedWithinMs - shown.elapsed()));
    status = runStart(frm, store, services, &history).exitStatus();
    QCoreApplication::exit(status);
  });
  app.exec();
  return status;
}
