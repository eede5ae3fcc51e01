// demo-backup [--log FILE] [--title TITLE] [--steal-after N]: a stand-in
// for a backup program. The log file may also be named in DEMO_BACKUP_LOG. With
// --steal-after, after N keys a window of its own that is no dialog of the
// main window ("Update available") takes the focus and logs its keys as
// "update-key".
#include "demo_window.h"
#include "key_log.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <unistd.h>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QString logPath = qEnvironmentVariable("DEMO_BACKUP_LOG");
  const QStringList args = app.arguments();
  const int at = args.indexOf(QStringLiteral("--log"));
  if (at >= 0 && at + 1 < args.size()) logPath = args.at(at + 1);

  KeyLog log(logPath);
  app.installEventFilter(&log);
  DemoWindow window(log);
  const int titleAt = args.indexOf(QStringLiteral("--title"));
  if (titleAt >= 0 && titleAt + 1 < args.size()) window.setWindowTitle(args.at(titleAt + 1));
  window.show();
  const int stealAt = args.indexOf(QStringLiteral("--steal-after"));
  const int stealAfter = stealAt >= 0 && stealAt + 1 < args.size() ? args.at(stealAt + 1).toInt() : 0;
  QLabel update(QStringLiteral("An update is available"));
  update.setWindowTitle(QStringLiteral("Update available"));
  update.setProperty("keyLogPrefix", QStringLiteral("update-key"));
  update.resize(300, 100);
  if (stealAfter > 0)
    log.onKey = [&](int count) {
      if (count != stealAfter) return;
      update.show();
      update.activateWindow();
      update.raise();
    };
  QTimer::singleShot(0, &window, [&] { log.write(QStringLiteral("ready %1").arg(getpid())); });
  return app.exec();
}
