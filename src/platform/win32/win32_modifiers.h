#pragma once

// Shift, Ctrl, Alt and Windows keys pressed by the user while keys are
// sent (after the wait for held keys): they would turn Alt+B into
// Ctrl+Alt+B and Up into Shift+Up.
#include <windows.h>

#include <vector>

// The modifier keys down now (left and right apart).
std::vector<WORD> heldModifiers();
// The plan with the held keys released before it and pressed again after
// it, so that the target sees none of them and the user's state comes back.
std::vector<INPUT> withoutHeldModifiers(const std::vector<INPUT>& plan, const std::vector<WORD>& held);
