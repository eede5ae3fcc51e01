#pragma once

#include "platform/desktop_services.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Desktop services for tests: a virtual clock that moves only while the
// code under test sleeps, a timer that restarts at midnight as a plain
// seconds timer does, a scripted desktop of window titles, scripted answers
// to prompts and boxes, and a log of everything the code asked for.
class FakeDesktopServices : public DesktopServices {
 public:
  static inline const std::string kOwnTitle = "Talvor Start";

  struct Prompt {
    std::string prompt, title, defaultText;
  };
  struct Box {
    std::string text;
    int style;
    std::string title;
    double at;  // virtual time
  };
  struct Sent {
    std::string window;  // title of the window that got the keys
    std::string keys;
    bool wait;
  };
  struct Help {
    std::string file;
    int topic;
  };
  struct Notification {
    std::string summary, body;
  };
  struct LogEntry {
    std::string message;
    bool problem;
    LogFields fields;
  };

  FakeDesktopServices();

  // --- the desktop ---
  std::vector<std::string> windows;       // titles of top-level windows, own window excluded
  std::string activeWindow = kOwnTitle;   // who gets the keys
  bool batchFilePresent = true;
  Status shellFailure;                    // a failure of the batch file's start other than its absence
  std::string startsWindow;               // a title that the batch file brings up, active
  double windowAppearsAfter = 0;          // seconds after the start
  LocalTime clockStart;                   // wall time at virtual 0
  double giveUpAfter = 3600;              // virtual seconds: a wait that never ends fails the test

  // --- scripted answers ---
  std::vector<std::optional<std::string>> answers;  // per prompt; nullopt cancels; none left: accept default
  std::function<void(const Box&)> onBox;            // runs while a box is "open"
  std::function<Status(const std::string& keys)> keyFailure;  // non-success fails the send

  // Runs the action as a window event at the virtual time: it wakes a
  // sleep, or runs in the first event pump at or after that time.
  void at(double seconds, std::function<void()> action);

  // --- the log ---
  std::vector<std::string> calls;  // "Shell TalvorStart.bat 6", "AppActivate X", "SendKeys %B"
  std::vector<Prompt> prompts;
  std::vector<Box> boxes;
  std::vector<Sent> sent;
  std::vector<Help> helpShown;
  std::vector<Notification> notifications;
  std::vector<LogEntry> systemLogEntries;
  bool notificationServer = true;  // false: notify() fails as without one
  int sleeps = 0;  // times the code under test slept
  double elapsed() const { return virtualNow_; }
  std::vector<std::string> keysSent() const;  // the key strings only, in order
  int callsStartingWith(const std::string& prefix) const;

  // DesktopServices
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

  // Moves the virtual clock, as a modal box left open would.
  void advance(double seconds) { virtualNow_ += seconds; }

 private:
  struct Scheduled {
    double at;
    std::function<void()> action;
  };
  void bringUpStartedWindow();
  bool runDueActions();
  std::optional<double> nextAction() const;

  double virtualNow_ = 0;
  std::vector<std::string> windowsAtBeginRun_;
  bool activated_ = false;
  std::optional<double> startedAt_;
  std::vector<Scheduled> scheduled_;
};
