// tab-only-backup: a Qt 6 backup program reached only with Tab. Logs to
// $DEMO_BACKUP_LOG as demo-backup does.
#include <QApplication>

#include "key_log.h"
#include "tab_only_window.h"
#include "target_app.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  KeyLog log(qEnvironmentVariable("DEMO_BACKUP_LOG"));
  app.installEventFilter(&log);
  TabOnlyWindow window(log);
  return runTarget(app, window, log);
}
