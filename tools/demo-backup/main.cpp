// demo-backup [--log FILE]: a stand-in for a backup program. The log file
// may also be named in DEMO_BACKUP_LOG.
#include "demo_window.h"
#include "key_log.h"

#include <QApplication>
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
  window.show();
  QTimer::singleShot(0, &window, [&] { log.write(QStringLiteral("ready %1").arg(getpid())); });
  return app.exec();
}
