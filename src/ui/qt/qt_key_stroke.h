#pragma once

#include "platform/key_stroke.h"

class QKeyEvent;

// The key press as the notation knows it; false for a modifier key alone
// or a key the notation has no name for. With Ctrl or Alt held a letter is
// the key's own (lower case) letter and Shift stays a modifier; otherwise
// the character typed, which carries Shift in itself.
bool keyStrokeOf(const QKeyEvent& event, KeyStroke& out);
