// late-focus-backup: the demo backup program in Qt 5 ("Late Focus Backup"),
// which drops the keys that come right after it got the focus. TARGET_DROP_MS
// sets how long (default 12 ms). Logs to $DEMO_BACKUP_LOG as demo-backup does.
#include <QApplication>
#include <QGridLayout>
#include <QLineEdit>

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
  // The focus starts in a comment field, away from the job list, where Up,
  // Down and Return do nothing: a lost Alt+B leaves job 1 chosen.
  auto* comment = new QLineEdit(&window);
  comment->setPlaceholderText(QStringLiteral("Comment for this backup"));
  if (auto* grid = qobject_cast<QGridLayout*>(window.layout())) grid->addWidget(comment, 3, 0, 1, 2);
  comment->setFocus();
  return runTarget(app, window, log);
}
