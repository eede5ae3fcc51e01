#include "target_app.h"

#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "key_log.h"

int runTarget(QApplication& app, QWidget& window, KeyLog& log) {
  window.show();
  QTimer::singleShot(0, &window, [&log] { log.write(QStringLiteral("ready %1").arg(getpid())); });
  return app.exec();
}
