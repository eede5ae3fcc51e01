// late-focus-backup: the demo backup program in Qt 5 ("Late Focus Backup"),
// which drops the keys that come right after it got the focus. TARGET_DROP_MS
// sets how long (default 12 ms). Logs to $DEMO_BACKUP_LOG as demo-backup does.
#include <QApplication>
#include <QPushButton>

#include "demo_window.h"
#include "focus_key_drop.h"
#include "key_log.h"
#include "target_app.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  KeyLog log(qEnvironmentVariable("DEMO_BACKUP_LOG"));
  app.installEventFilter(&log);
  bool ok = false;
  int dropMs = qEnvironmentVariableIntValue("TARGET_DROP_MS", &ok);
  if (!ok || dropMs < 0) dropMs = 12;
  FocusKeyDrop drop(log, dropMs);
  app.installEventFilter(&drop);
  DemoWindow window(log);
  window.setWindowTitle(QStringLiteral("Late Focus Backup"));
  // The focus starts on the button, away from the job list, so that a lost
  // Alt+B leaves the job unchosen and the Return after it starts job 1.
  if (auto* start = window.findChild<QPushButton*>()) start->setFocus();
  return runTarget(app, window, log);
}
