#pragma once

// Shift, Ctrl, Alt and Windows keys held by the user while keys are sent:
// they would turn Alt+B into Ctrl+Alt+B and Up into Shift+Up.
#include <windows.h>

#include <vector>

// The modifier keys down now (left and right apart).
std::vector<WORD> heldModifiers();
// Waits up to the given time for the user to let go of them.
void waitForModifierRelease(DWORD longestMs);
// The plan with the held keys released before it and pressed again after
// it, so that the target sees none of them and the user's state comes back.
std::vector<INPUT> withoutHeldModifiers(const std::vector<INPUT>& plan, const std::vector<WORD>& held);
