#pragma once

#include <cstdint>
#include <vector>

// One key press of a parsed key string. Free of Qt so that the native
// back ends can use it without the toolkit's headers.
struct KeyStroke {
  enum class Key { Character, Up, Down, Enter, Function, Left, Right, Tab, Space, Escape, Home, End };
  Key key = Key::Character;
  char32_t character = 0;  // for Key::Character; for Key::Function its number, 1 to 12
  bool alt = false;        // modifiers held around this key
  bool ctrl = false;
  bool shift = false;

  bool operator==(const KeyStroke& o) const {
    return key == o.key && character == o.character && alt == o.alt && ctrl == o.ctrl && shift == o.shift;
  }
};

// The X keysym of a named key (X11 and xkbcommon share the values); 0 for
// a character.
std::uint32_t namedKeysym(const KeyStroke& s);
