#pragma once

#include "platform/key_stroke.h"

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
  bool ok() const { return code == 0; }
};

class Automation {
 public:
  virtual ~Automation() = default;

  // programFolder and settingsFolder are where the file may be found.
  virtual AutomationStatus start(const std::string& file, const std::string& programFolder,
                                 const std::string& settingsFolder, int windowStyle) = 0;
  // Called just before the batch file is started: the windows there now
  // never get keys unless activated by their title.
  virtual void beginRun() = 0;
  virtual AutomationStatus activate(const std::string& title) = 0;
  // Sends the strokes to the focused window; with wait, returns when the
  // display server has processed them.
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
