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

// Whether the strokes may open or close something in the target (a
// mnemonic's drop-down, a dialog on Enter or F1) that the next keys are
// meant for. Arrow keys only move within what already has the focus, and
// the target takes them in the order they come.
inline bool mayChangeFocus(const std::vector<KeyStroke>& strokes) {
  for (const KeyStroke& s : strokes)
    if (s.alt || s.key == KeyStroke::Key::Enter || s.key == KeyStroke::Key::F1) return true;
  return false;
}
