#pragma once

#include "platform/calendar.h"
#include "platform/status.h"
#include "platform/window_choice.h"

#include <string>
#include <utility>
#include <vector>

// Window styles for shell(), numbered as the classic Shell call numbers them.
// The batch file runs minimized without the focus: its console window may
// appear only after the backup program was brought to the front (a program
// that was already running, a short delay), and must not take the keys.
namespace shell_style {
constexpr int kHide = 0;
constexpr int kNormalFocus = 1;
constexpr int kMinimizedFocus = 2;
constexpr int kMaximizedFocus = 3;
constexpr int kNormalNoFocus = 4;
constexpr int kMinimizedNoFocus = 6;
}  // namespace shell_style

// Message box styles.
namespace msgbox_style {
constexpr int kOkOnly = 0;
constexpr int kCritical = 16;
constexpr int kInformation = 64;
}  // namespace msgbox_style

// Everything that touches the desktop, in plain C++ (texts are UTF-8). The
// launch sequence and the window model use only this, so tests run them
// against a fake with a virtual clock. Each view implements the window half
// (events, waits, dialogs, help) and hands the rest to a native back end.
class DesktopServices {
 public:
  virtual ~DesktopServices() = default;

  // Called just before the run starts the batch file: windows that exist
  // now never get keys unless activated by their title.
  virtual void beginRun() = 0;
  // Starts the named program, looked for where the back end allows.
  virtual Status shell(const std::string& file, int windowStyle) = 0;
  // Activates the top-level window named by the text (chooseWindowByTitle).
  // Code 5 when there is none.
  virtual Status appActivate(const std::string& title, TitleMatch match) = 0;
  // Sends a key string (see key_string.h) to the active window.
  virtual Status sendKeys(const std::string& keys, bool wait) = 0;

  // Seconds. The real services count on a steady clock from the start, so
  // a clock change cannot stretch or cut a wait; a timer that restarts at
  // midnight is also allowed (see WaitClock).
  virtual double timer() = 0;
  // Handles all pending window events, then returns.
  virtual void doEvents() = 0;
  // Sleeps until a window event arrives or maxMs pass, handling the events
  // that arrived; maxMs < 0 sleeps until an event. True when events ended
  // the sleep, false when the time ran out.
  virtual bool idle(int maxMs) = 0;
  // Local date and time.
  virtual LocalTime now() = 0;
  // The date in the user's short date form. The one form used both to store
  // the date of a run and to compare it with today's.
  virtual std::string shortDateText(const Date& date) = 0;

  // Modal prompt over the tool's window; Cancel gives the empty text.
  virtual std::string inputBox(const std::string& prompt, const std::string& title,
                               const std::string& defaultText) = 0;
  // Modal box over the tool's window. The title is always given (see
  // showMsgBox for the application's title).
  virtual void msgBox(const std::string& text, int style, const std::string& title) = 0;
  // Opens the help file (a bare name, looked for in the program's folder) at
  // the topic; topic 0 shows the contents. Does not wait.
  virtual void showHelp(const std::string& helpFile, int topic) = 0;

  // A start's outcome where the system keeps programs' messages (the
  // journal), with fields for a program to pick out. False when there is
  // no such place; standard error then has what matters.
  using LogFields = std::vector<std::pair<std::string, std::string>>;
  virtual bool systemLog(const std::string& message, bool problem, const LogFields& fields) = 0;
  // A notification that outlives the program, for a start that started no
  // job. Returns at once or within a short bound; false with a reason when
  // the desktop shows none.
  virtual bool notify(const std::string& summary, const std::string& body, std::string& reason) = 0;
};

// The application's title, which a message box without its own carries.
inline const std::string kApplicationTitle = "talvorstart";

inline void showMsgBox(DesktopServices& services, const std::string& text, int style,
                       const std::string& title = std::string()) {
  services.msgBox(text, style, title.empty() ? kApplicationTitle : title);
}
