#pragma once

#include <vector>

// One key press of a parsed key string. Free of Qt so that the native
// back ends can use it without the toolkit's headers.
struct KeyStroke {
  enum class Key { Character, Up, Down, Enter, F1 };
  Key key = Key::Character;
  char32_t character = 0;  // for Key::Character
  bool alt = false;        // Alt held around this key

  bool operator==(const KeyStroke& o) const {
    return key == o.key && character == o.character && alt == o.alt;
  }
};
