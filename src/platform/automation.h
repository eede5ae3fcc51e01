#pragma once

#include "platform/key_stop.h"
#include "platform/key_stroke.h"
#include "platform/window_choice.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The native half of the desktop services: starting the batch file,
// activating a window by title and synthesising keys. Free of Qt so that
// native headers (Xlib, windows.h) never meet the toolkit's. Strings are UTF-8.
struct AutomationStatus {
  int code = 0;
  std::string description;
  bool ownWindow = false;
  // The keys could reach a window outside the backup program (it lost the
  // focus, or only windows that were there before the run could get them):
  // the run sends nothing more and does not record the date.
  KeyStop stop = KeyStop::None;
  std::string window;  // after an activation: the title of the window activated
  bool ok() const { return code == 0; }
  bool stopsRun() const { return stop != KeyStop::None; }
  static AutomationStatus failure(int code, const std::string& description, bool ownWindow = false) {
    AutomationStatus s;
    s.code = code;
    s.description = description;
    s.ownWindow = ownWindow;
    return s;
  }
};

class Automation {
 public:
  virtual ~Automation() = default;

  // Called by the run just before it starts the batch file: the back end
  // notes which top-level windows exist, since keys may never go to those
  // unless they were activated by their title.
  virtual void beginRun() = 0;
  // programFolder and settingsFolder are where the file may be found;
  // windowStyle is one of shell_style (desktop_services.h).
  virtual AutomationStatus start(const std::string& file, const std::string& programFolder,
                                 const std::string& settingsFolder, int windowStyle) = 0;
  virtual AutomationStatus activate(const std::string& title, TitleMatch match) = 0;
  // Sends the strokes to the focused window, which must belong to the
  // activated backup program; with wait, returns when the backup program
  // has processed them.
  virtual AutomationStatus send(const std::vector<KeyStroke>& strokes, bool wait) = 0;
  // The tool's own top-level window (native id), never a target.
  virtual void setOwnWindow(std::uintptr_t nativeId) = 0;
  // Brings a top-level window of the given process to the front: a second
  // start shows the user the run that is already going on.
  virtual bool raiseWindowOf(long pid) {
    (void)pid;
    return false;
  }
};

// The back end for this platform; on Linux chosen at run time from the
// session (see automation_choice.h).
std::unique_ptr<Automation> createAutomation();
