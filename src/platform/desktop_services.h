#pragma once

#include "platform/status.h"

#include <QDateTime>
#include <QString>

class QWidget;

// Window style for shell(): minimized, with the focus.
constexpr int kMinimizedFocus = 2;

// Message box styles.
namespace msgbox_style {
constexpr int kOkOnly = 0;
constexpr int kCritical = 16;
constexpr int kInformation = 64;
}  // namespace msgbox_style

// Everything that touches the desktop. The launch sequence and the window
// use only this, so tests run them against a fake with a virtual clock.
class DesktopServices {
 public:
  virtual ~DesktopServices() = default;

  // Called just before the run starts the batch file: windows that exist
  // now never get keys unless activated by their title.
  virtual void beginRun() = 0;
  // Starts the named program, looked for where the back end allows.
  virtual Status shell(const QString& file, int windowStyle) = 0;
  // Activates the top-level window whose title equals the text, else one
  // that begins with it. Code 5 when there is none.
  virtual Status appActivate(const QString& title) = 0;
  // Sends a key string (see key_string.h) to the active window.
  virtual Status sendKeys(const QString& keys, bool wait) = 0;

  // Seconds on a monotonic clock: waits measured with it survive midnight
  // and clock changes.
  virtual double timer() = 0;
  // Handles all pending window events, then returns.
  virtual void doEvents() = 0;
  // Sleeps in the event loop until an event arrives or maxMs pass.
  virtual void idle(int maxMs) = 0;
  // Local date and time.
  virtual QDateTime now() = 0;

  // Modal prompt; Cancel gives the empty text.
  virtual QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) = 0;
  // Modal box; an empty title gives the application's title.
  virtual void msgBox(const QString& text, int style, const QString& title = QString()) = 0;

  // The tool's own window, which never receives the keys it sends.
  virtual void setOwnWindow(QWidget* window) = 0;
};
