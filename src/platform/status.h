#pragma once

#include "platform/failure_codes.h"
#include "platform/key_stop.h"

#include <string>

// The outcome of a desktop operation: code 0 is success, anything else a
// failure with a description for the user (UTF-8).
struct Status {
  int code = 0;
  std::string description;
  bool ownWindow = false;  // keys refused because only the tool's own window could get them
  KeyStop stop = KeyStop::None;  // keys refused: they could reach a window outside the backup program
  std::string window;            // after an activation: the title of the window activated

  bool ok() const { return code == 0; }
  bool stopsRun() const { return stop != KeyStop::None; }
  static Status success() { return {}; }
  static Status failure(int code, const std::string& description) {
    Status s;
    s.code = code;
    s.description = description;
    return s;
  }
};
