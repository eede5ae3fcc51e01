#pragma once

#include <windows.h>

#include "platform/key_stroke.h"

// The key of a WM_KEYDOWN or WM_SYSKEYDOWN as the notation knows it, with
// the modifiers held. False for a modifier alone, and for a character key
// without Ctrl or Alt: that one is taken from the WM_CHAR that follows,
// which carries Shift and the keyboard layout in itself. With Ctrl or Alt
// a letter or digit is the key's own (a letter in lower case).
bool keyStrokeOfVirtualKey(UINT vk, bool alt, bool ctrl, bool shift, KeyStroke& out);
