#include "platform/gnome/gnome_keys.h"

#include <xkbcommon/xkbcommon.h>

#include <cstdio>

namespace gnome {
namespace {

bool isAsciiLetter(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::uint32_t keysymFor(const KeyStroke& s) {
  switch (s.key) {
    case KeyStroke::Key::Up:
      return XKB_KEY_Up;
    case KeyStroke::Key::Down:
      return XKB_KEY_Down;
    case KeyStroke::Key::Enter:
      return XKB_KEY_Return;
    case KeyStroke::Key::F1:
      return XKB_KEY_F1;
    case KeyStroke::Key::Character:
      break;
  }
  const char32_t c = s.character;
  if (c == '\n' || c == '\r') return XKB_KEY_Return;
  if (c == '\t') return XKB_KEY_Tab;
  if (c < 0x20 || c == 0x7f) return XKB_KEY_NoSymbol;
  // A shortcut letter means its key whatever the case: Alt+Shift+S is
  // another shortcut to many programs than Alt+S.
  if (s.alt && isAsciiLetter(c)) return xkb_utf32_to_keysym(c | 0x20);
  return xkb_utf32_to_keysym(c);
}

}  // namespace

bool planKeys(const std::vector<KeyStroke>& strokes, std::vector<KeyEvent>& out, std::string& reason) {
  std::vector<KeyEvent> planned;
  for (const KeyStroke& s : strokes) {
    const std::uint32_t sym = keysymFor(s);
    if (sym == XKB_KEY_NoSymbol) {
      char code[16];
      std::snprintf(code, sizeof code, "U+%04X", unsigned(s.character));
      reason = std::string("The text holds a character that cannot be typed (") + code + ")";
      return false;
    }
    if (s.alt) planned.push_back({XKB_KEY_Alt_L, true});
    planned.push_back({sym, true});
    planned.push_back({sym, false});
    if (s.alt) planned.push_back({XKB_KEY_Alt_L, false});
  }
  out = std::move(planned);
  return true;
}

}  // namespace gnome
