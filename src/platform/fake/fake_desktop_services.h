#pragma once

#include "platform/desktop_services.h"

#include <QStringList>
#include <QVector>
#include <functional>
#include <optional>

// Desktop services for tests: a virtual clock that moves only while the
// code under test idles, a scripted desktop of window titles, scripted
// answers to prompts and boxes, and a log of everything the code asked for.
class FakeDesktopServices : public DesktopServices {
 public:
  static inline const QString kOwnTitle = QStringLiteral("Talvor Start");

  struct Prompt {
    QString prompt, title, defaultText;
  };
  struct Box {
    QString text;
    int style;
    QString title;
    double at;  // virtual time
  };
  struct Sent {
    QString window;  // title of the window that got the keys
    QString keys;
    bool wait;
  };

  FakeDesktopServices();

  // --- the desktop ---
  QStringList windows;                     // titles of top-level windows, own window excluded
  QString activeWindow = kOwnTitle;        // who gets the keys
  bool batchFilePresent = true;
  QString startsWindow;                    // a title that the batch file brings up, active
  double windowAppearsAfter = 0;           // seconds after the start
  QDateTime clockStart;                    // wall time at virtual 0
  double timerOrigin = 1000.0;             // monotonic reading at virtual 0

  // --- scripted answers ---
  QVector<std::optional<QString>> answers;  // per prompt; nullopt cancels; none left: accept default
  std::function<void(const Box&)> onBox;    // runs while a box is "open"
  std::function<Status(const QString& keys)> keyFailure;  // non-success fails the send
  std::function<void()> onIdle;             // runs each time the code under test goes idle

  // Runs the action in the first event pump at or after the virtual time.
  void at(double seconds, std::function<void()> action);

  // --- the log ---
  QStringList calls;                        // "Shell TalvorStart.bat 2", "AppActivate X", "SendKeys %B"
  QVector<Prompt> prompts;
  QVector<Box> boxes;
  QVector<Sent> sent;
  int pumps = 0;
  double elapsed() const { return virtualNow_; }
  QStringList keysSent() const;             // the key strings only, in order

  // DesktopServices
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
  void setOwnWindow(QWidget*) override {}

  // Moves the virtual clock, as a modal box left open would.
  void advance(double seconds) { virtualNow_ += seconds; }

 private:
  struct Scheduled {
    double at;
    std::function<void()> action;
  };
  void bringUpStartedWindow();

  double virtualNow_ = 0;
  QStringList windowsAtBeginRun_;
  bool activated_ = false;
  std::optional<double> startedAt_;
  QVector<Scheduled> scheduled_;
};
