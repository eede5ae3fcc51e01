#pragma once

#include "platform/automation.h"
#include "platform/desktop_services.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <memory>

class HelpViewer;
class QWidget;

// The desktop services of the Qt program: Qt for the event loop, the
// clock, the dialogs and the help viewer; the build's native back end for
// programs, windows and keys.
class QtDesktopServices : public DesktopServices {
 public:
  explicit QtDesktopServices(std::unique_ptr<Automation> automation);
  ~QtDesktopServices() override;

  void beginRun() override;
  Status shell(const std::string& file, int windowStyle) override;
  Status appActivate(const std::string& title, TitleMatch match) override;
  Status sendKeys(const std::string& keys, bool wait) override;
  double timer() override;
  void doEvents() override;
  bool idle(int maxMs) override;
  LocalTime now() override;
  std::string shortDateText(const Date& date) override;
  std::string inputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
  void msgBox(const std::string& text, int style, const std::string& title) override;
  void showHelp(const std::string& helpFile, int topic) override;
  bool systemLog(const std::string& message, bool problem, const LogFields& fields) override;
  bool notify(const std::string& summary, const std::string& body, std::string& reason) override;

  // The tool's own window: dialogs open over it, keys never go to it.
  void setOwnWindow(QWidget* window);
  HelpViewer* helpViewer() const;

 private:
  std::unique_ptr<Automation> automation_;
  QElapsedTimer clock_;
  QTimer wakeUp_;
  QPointer<QWidget> ownWindow_;
  QPointer<HelpViewer> help_;
};

// Puts a dialog over the middle of the window (the window system's own
// placement may put it anywhere, a corner of the screen under some).
void centreOver(QWidget* dialog, const QWidget* window);
