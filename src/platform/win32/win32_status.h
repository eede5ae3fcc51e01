#pragma once

#include "platform/automation.h"

#include <string>

// A failure of the back end, the fields it does not name left as they are by default.
inline AutomationStatus failure(int code, const std::string& description, bool ownWindow = false) {
  AutomationStatus s;
  s.code = code;
  s.description = description;
  s.ownWindow = ownWindow;
  return s;
}
