#include "platform/wayland/wayland_keymap.h"

#include <xkbcommon/xkbcommon-keysyms.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdio>
#include <set>

namespace wayland {
namespace {

// Named keys keep the codes that a PC keyboard gives them, for clients that
// look at codes rather than symbols.
const std::map<std::uint32_t, std::uint32_t> kNamedCodes = {
    {XKB_KEY_Alt_L, 64}, {XKB_KEY_Return, 36}, {XKB_KEY_F1, 67}, {XKB_KEY_Up, 111}, {XKB_KEY_Down, 116},
};

bool isAsciiLetter(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string keyName(std::uint32_t code) { return "<K" + std::to_string(code) + ">"; }

}  // namespace

std::uint32_t keysymFor(const KeyStroke& s) {
  switch (s.key) {
    case KeyStroke::Key::Up: return XKB_KEY_Up;
    case KeyStroke::Key::Down: return XKB_KEY_Down;
    case KeyStroke::Key::Enter: return XKB_KEY_Return;
    case KeyStroke::Key::F1: return XKB_KEY_F1;
    case KeyStroke::Key::Character: break;
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

// The named keys and printable ASCII are there from the start, so that
// only rarer characters make a new map (each one is sent on to the focused
// program, which compiles it before the next key).
Keymap::Keymap() : codes_(kNamedCodes) {
  for (char32_t c = 0x20; c < 0x7f; ++c) codeFor(xkb_utf32_to_keysym(c));
}

std::uint32_t Keymap::codeFor(std::uint32_t keysym) {
  auto known = codes_.find(keysym);
  if (known != codes_.end()) return known->second;
  auto named = kNamedCodes.find(keysym);
  std::uint32_t code = 0;
  if (named != kNamedCodes.end()) {
    code = named->second;
  } else {
    std::set<std::uint32_t> reserved;
    for (const auto& n : kNamedCodes) reserved.insert(n.second);
    while (nextFree_ < kLastCode && reserved.count(nextFree_)) ++nextFree_;
    if (nextFree_ >= kLastCode) return 0;
    code = nextFree_++;
  }
  codes_[keysym] = code;
  changed_ = true;
  return code;
}

bool Keymap::plan(const std::vector<KeyStroke>& strokes, std::vector<KeyAction>& out, std::string& reason) {
  // Plan on a copy, so that a string that fails leaves the map as it was.
  Keymap trial = *this;
  std::vector<KeyAction> planned;
  for (const KeyStroke& s : strokes) {
    const std::uint32_t sym = keysymFor(s);
    if (sym == XKB_KEY_NoSymbol) {
      char code[16];
      std::snprintf(code, sizeof code, "U+%04X", unsigned(s.character));
      reason = std::string("The text holds a character that cannot be typed (") + code + ")";
      return false;
    }
    const std::uint32_t code = trial.codeFor(sym);
    if (!code) {
      reason = "The text needs more different characters than one keyboard map can hold";
      return false;
    }
    if (s.alt) planned.push_back({KeyAction::Kind::Modifiers, kAltMask, false});
    planned.push_back({KeyAction::Kind::Key, code, true});
    planned.push_back({KeyAction::Kind::Key, code, false});
    if (s.alt) planned.push_back({KeyAction::Kind::Modifiers, 0, false});
  }
  *this = trial;
  out.insert(out.end(), planned.begin(), planned.end());
  return true;
}

std::string Keymap::text() {
  changed_ = false;
  std::string keycodes, symbols;
  for (const auto& [sym, code] : codes_) {
    char name[64];
    xkb_keysym_get_name(sym, name, sizeof name);
    keycodes += "    " + keyName(code) + " = " + std::to_string(code) + ";\n";
    symbols += "    key " + keyName(code) + " { [ " + name + " ] };\n";
  }
  // A key that types nothing holds the last code: GTK 3 looks keys up below
  // the highest code only, and missed Down when it was the highest.
  keycodes += "    " + keyName(kLastCode) + " = " + std::to_string(kLastCode) + ";\n";
  symbols += "    key " + keyName(kLastCode) + " { [ VoidSymbol ] };\n";
  return "xkb_keymap {\n"
         "  xkb_keycodes \"talvorstart\" {\n    minimum = 8;\n    maximum = 255;\n" +
         keycodes +
         "  };\n"
         "  xkb_types \"talvorstart\" { include \"complete\" };\n"
         "  xkb_compatibility \"talvorstart\" { include \"complete\" };\n"
         "  xkb_symbols \"talvorstart\" {\n" +
         symbols + "    modifier_map Mod1 { " + keyName(codes_.at(XKB_KEY_Alt_L)) +
         " };\n"
         "  };\n"
         "};\n";
}

}  // namespace wayland
