#pragma once

#include <string>
#include <vector>

#include "platform/key_stroke.h"
#include "platform/status.h"

// The key-string notation (UTF-8): "%" holds Alt, "^" Ctrl and "+" Shift for
// the next key; "{NAME}" presses a named key (UP, DOWN, LEFT, RIGHT, ENTER,
// TAB, SPACE, ESC, HOME, END, F1 to F12); "{x}" types the single character
// x (so "{{}", "{}}", "{%}", "{^}" and "{+}" type those characters); any
// other character types itself. "{WAIT n}" pauses n milliseconds: the run
// sends the parts before and after it apart (splitAtPauses).
struct ParsedKeys {
  Status status;
  std::vector<KeyStroke> strokes;
};

// A pause is refused here: it is no key.
ParsedKeys parseKeyString(const std::string& keys);

// The notation of one key press, the inverse of parseKeyString: modifiers
// as "%^+" in that order, named keys in braces ("{TAB}", "{F5}"), the
// notation's own signs escaped ("{%}"), any other character as itself.
// Empty for a character of 0.
std::string keyNotation(const KeyStroke& stroke);

// The text escaped so that it types itself and is never read as notation:
// "B" stays "B", "{" gives "{{}".
std::string escapeKeys(const std::string& text);

// One stretch of a key string between pauses: first wait pauseMs, then send
// keys (either may be nothing).
struct KeyPart {
  int pauseMs = 0;
  std::string keys;
};
constexpr int kLongestPauseMs = 10000;  // a longer one is a slip of the finger, not a need

// The parts of a key string, or a status that says what is wrong with it
// (the parts then are empty). Every part's keys parse.
struct SplitKeys {
  Status status;
  std::vector<KeyPart> parts;
};
SplitKeys splitAtPauses(const std::string& keys);

// The key string that a stored shortcut setting stands for. A value
// without any of the notation's signs (% ^ + { }) means what it always
// meant: Alt with its first character, the rest typed as they stand; so
// does a single character. Anything else is read in the notation above.
std::string shortcutKeys(const std::string& setting);
