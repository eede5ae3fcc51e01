#pragma once

#include "platform/automation.h"
#include "platform/desktop_services.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <memory>

// The real desktop services: Qt for the event loop, clock and dialogs, the
// build's native back end for programs, windows and keys.
class QtDesktopServices : public DesktopServices {
 public:
  explicit QtDesktopServices(std::unique_ptr<Automation> automation);

  void beginRun() override;
  Status shell(const QString& file, int windowStyle) override;
  Status appActivate(const QString& title) override;
  Status sendKeys(const QString& keys, bool wait) override;
  double timer() override;
  void doEvents() override;
  void idle(int maxMs) override;
  QDateTime now() override;
  QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
  void msgBox(const QString& text, int style, const QString& title = QString()) override;
  void setOwnWindow(QWidget* window) override;

 private:
  std::unique_ptr<Automation> automation_;
  QElapsedTimer clock_;
  QTimer wakeUp_;
  QPointer<QWidget> ownWindow_;
};
