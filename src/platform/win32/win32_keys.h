#pragma once

#include "platform/automation.h"
#include "platform/key_stroke.h"

#include <windows.h>

#include <vector>

// The input events for the strokes, or a failure when one of them cannot
// be typed on the current keyboard layout (then nothing is to be sent).
struct KeyPlan {
  AutomationStatus status;
  std::vector<INPUT> inputs;
};
KeyPlan planKeys(const std::vector<KeyStroke>& strokes);

// Sends the plan to the foreground window; Alt, Shift and Ctrl are released
// whatever happens.
AutomationStatus sendPlan(std::vector<INPUT> inputs);
