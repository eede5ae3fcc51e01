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
    {XKB_KEY_Alt_L, 64}, {XKB_KEY_Control_L, 37}, {XKB_KEY_Shift_L, 50}, {XKB_KEY_Return, 36}, {XKB_KEY_Up, 111},
    {XKB_KEY_Down, 116}, {XKB_KEY_Left, 113},     {XKB_KEY_Right, 114},  {XKB_KEY_Tab, 23},    {XKB_KEY_space, 65},
    {XKB_KEY_Escape, 9}, {XKB_KEY_Home, 110},     {XKB_KEY_End, 115},    {XKB_KEY_F1, 67},     {XKB_KEY_F2, 68},
    {XKB_KEY_F3, 69},    {XKB_KEY_F4, 70},        {XKB_KEY_F5, 71},      {XKB_KEY_F6, 72},     {XKB_KEY_F7, 73},
    {XKB_KEY_F8, 74},    {XKB_KEY_F9, 75},        {XKB_KEY_F10, 76},     {XKB_KEY_F11, 95},    {XKB_KEY_F12, 96},
};

bool isAsciiLetter(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string keyName(std::uint32_t code) { return "<K" + std::to_string(code) + ">"; }

}  // namespace

std::uint32_t keysymFor(const KeyStroke& s) {
  if (s.key != KeyStroke::Key::Character) return namedKeysym(s);
  const char32_t c = s.character;
  if (c == '\n' || c == '\r') return XKB_KEY_Return;
  if (c == '\t') return XKB_KEY_Tab;
  if (c < 0x20 || c == 0x7f) return XKB_KEY_NoSymbol;
  // A shortcut letter means its key whatever the case: Alt+Shift+S is
  // another shortcut to many programs than Alt+S.
  if ((s.alt || s.ctrl) && isAsciiLetter(c)) return xkb_utf32_to_keysym(c | 0x20);
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
    // Each key has one symbol here, so Shift is only held when asked for.
    const std::uint32_t mask = (s.alt ? kAltMask : 0) | (s.ctrl ? kCtrlMask : 0) | (s.shift ? kShiftMask : 0);
    if (mask) planned.push_back({KeyAction::Kind::Modifiers, mask, false});
    planned.push_back({KeyAction::Kind::Key, code, true});
    planned.push_back({KeyAction::Kind::Key, code, false});
    if (mask) planned.push_back({KeyAction::Kind::Modifiers, 0, false});
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
         symbols + "    modifier_map Mod1 { " + keyName(codes_.at(XKB_KEY_Alt_L)) + " };\n" +
         "    modifier_map Control { " + keyName(codes_.at(XKB_KEY_Control_L)) + " };\n" + "    modifier_map Shift { " +
         keyName(codes_.at(XKB_KEY_Shift_L)) +
         " };\n"
         "  };\n"
         "};\n";
}

}  // namespace wayland
