#include "platform/kde/layout_keys.h"

#include <xkbcommon/xkbcommon-keysyms.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <cstdio>

#include "platform/wayland/wayland_keymap.h"

namespace kde {
namespace {

// XKB key codes are the Linux ones plus 8.
constexpr std::uint32_t kXkbOffset = 8;

std::string symbolName(std::uint32_t keysym, char32_t character) {
  char name[64] = "";
  xkb_keysym_get_name(keysym, name, sizeof name);
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", unsigned(character));
  return character ? std::string(code) + " (" + name + ")" : std::string(name);
}

}  // namespace

LayoutKeys::LayoutKeys() : context_(xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES)) {}

LayoutKeys::~LayoutKeys() {
  if (keymap_) xkb_keymap_unref(keymap_);
  if (context_) xkb_context_unref(context_);
}

bool LayoutKeys::load(const std::string& text, std::string& reason) {
  if (keymap_) xkb_keymap_unref(keymap_);
  known_.clear();
  keymap_ = context_ ? xkb_keymap_new_from_buffer(context_, text.data(), text.size(), XKB_KEYMAP_FORMAT_TEXT_V1,
                                                  XKB_KEYMAP_COMPILE_NO_FLAGS)
                     : nullptr;
  if (!keymap_) reason = "The keyboard map of the desktop could not be read";
  return keymap_ != nullptr;
}

// The key of that name when its first level gives the symbol, else the
// first such key: keymaps also bind modifiers to keys no keyboard has.
std::uint32_t LayoutKeys::keyWithSymbol(std::uint32_t keysym, const char* name) const {
  auto gives = [this, keysym](xkb_keycode_t k) {
    const xkb_keysym_t* syms = nullptr;
    return xkb_keymap_key_get_syms_by_level(keymap_, k, 0, 0, &syms) == 1 && syms[0] == keysym;
  };
  const xkb_keycode_t named = xkb_keymap_key_by_name(keymap_, name);
  if (named != XKB_KEYCODE_INVALID && gives(named)) return named;
  const xkb_keycode_t last = xkb_keymap_max_keycode(keymap_);
  for (xkb_keycode_t k = xkb_keymap_min_keycode(keymap_); k <= last && k > 0; ++k)
    if (gives(k)) return k;
  return 0;
}

// The compositor keeps the layout the user last switched to, which a
// client cannot ask for: a chord counts only when each layout types it.
bool LayoutKeys::typesOnEveryLayout(const Chord& chord, std::uint32_t keysym, int mods) const {
  const xkb_layout_index_t layouts = xkb_keymap_num_layouts(keymap_);
  for (xkb_layout_index_t l = 0; l < layouts; ++l) {
    xkb_state* state = xkb_state_new(keymap_);
    if (!state) return false;
    xkb_state_update_mask(state, 0, 0, 0, 0, 0, l);
    for (std::uint32_t h : chord.held) xkb_state_update_key(state, h, XKB_KEY_DOWN);
    const bool altOk =
        !(mods & kAlt) || xkb_state_mod_name_is_active(state, XKB_MOD_NAME_ALT, XKB_STATE_MODS_EFFECTIVE) > 0;
    const bool ctrlOk =
        !(mods & kCtrl) || xkb_state_mod_name_is_active(state, XKB_MOD_NAME_CTRL, XKB_STATE_MODS_EFFECTIVE) > 0;
    const bool ok = altOk && ctrlOk && xkb_state_key_get_one_sym(state, chord.key) == keysym;
    xkb_state_unref(state);
    if (!ok) return false;
  }
  return true;
}

// Prefers a key without Shift or AltGr, and the lowest key code.
bool LayoutKeys::chordFor(std::uint32_t keysym, int mods, Chord& chord) {
  const auto cached = known_.find({keysym, mods});
  if (cached != known_.end()) {
    chord = cached->second;
    return true;
  }
  std::vector<std::uint32_t> base;
  if (mods & kCtrl) {
    std::uint32_t ctrlKey = keyWithSymbol(XKB_KEY_Control_L, "LCTL");
    if (!ctrlKey) ctrlKey = keyWithSymbol(XKB_KEY_Control_R, "RCTL");
    if (!ctrlKey) return false;
    base.push_back(ctrlKey);
  }
  if (mods & kAlt) {
    std::uint32_t altKey = keyWithSymbol(XKB_KEY_Alt_L, "LALT");
    if (!altKey) altKey = keyWithSymbol(XKB_KEY_Alt_R, "RALT");
    if (!altKey) return false;
    base.push_back(altKey);
  }
  std::uint32_t shift = keyWithSymbol(XKB_KEY_Shift_L, "LFSH");
  if (!shift) shift = keyWithSymbol(XKB_KEY_Shift_R, "RTSH");
  const std::uint32_t level3 = keyWithSymbol(XKB_KEY_ISO_Level3_Shift, "RALT");
  std::vector<std::vector<std::uint32_t>> helds = {{}};
  if (shift) helds.push_back({shift});
  if (level3) helds.push_back({level3});
  if (shift && level3) helds.push_back({shift, level3});

  const xkb_keycode_t last = xkb_keymap_max_keycode(keymap_);
  for (const auto& extra : helds) {
    Chord c;
    c.held = base;
    c.held.insert(c.held.end(), extra.begin(), extra.end());
    for (xkb_keycode_t k = xkb_keymap_min_keycode(keymap_); k <= last && k > 0; ++k) {
      c.key = k;
      if (xkb_keymap_num_levels_for_key(keymap_, k, 0) == 0) continue;
      if (typesOnEveryLayout(c, keysym, mods)) {
        known_[{keysym, mods}] = c;
        chord = c;
        return true;
      }
    }
  }
  return false;
}

bool LayoutKeys::plan(const std::vector<KeyStroke>& strokes, std::vector<EvdevKey>& out, std::string& reason) {
  if (!keymap_) {
    reason = "The desktop has not told its keyboard map";
    return false;
  }
  std::vector<EvdevKey> planned;
  for (const KeyStroke& s : strokes) {
    const std::uint32_t sym = wayland::keysymFor(s);
    const char32_t character = s.key == KeyStroke::Key::Character ? s.character : 0;
    Chord chord;
    const int mods = (s.alt ? kAlt : 0) | (s.ctrl ? kCtrl : 0);
    const std::string held = std::string(s.ctrl ? "Ctrl+" : "") + (s.alt ? "Alt+" : "") + (s.shift ? "Shift+" : "");
    if (sym == XKB_KEY_NoSymbol || !chordFor(sym, mods, chord)) {
      reason = "The keyboard layout of this desktop cannot type " + held + symbolName(sym, character) +
               "; the keys were not sent";
      return false;
    }
    // Shift asked for by the string is held on top of the key that gives
    // the plain symbol (Shift+Tab, not the symbol Shift would make).
    if (s.shift) {
      std::uint32_t shift = keyWithSymbol(XKB_KEY_Shift_L, "LFSH");
      if (!shift) shift = keyWithSymbol(XKB_KEY_Shift_R, "RTSH");
      if (!shift) {
        reason = "The keyboard layout of this desktop has no Shift key; the keys were not sent";
        return false;
      }
      if (std::find(chord.held.begin(), chord.held.end(), shift) == chord.held.end()) chord.held.push_back(shift);
    }
    for (std::uint32_t h : chord.held) planned.push_back({h - kXkbOffset, true});
    planned.push_back({chord.key - kXkbOffset, true});
    planned.push_back({chord.key - kXkbOffset, false});
    for (auto h = chord.held.rbegin(); h != chord.held.rend(); ++h) planned.push_back({*h - kXkbOffset, false});
  }
  out.insert(out.end(), planned.begin(), planned.end());
  return true;
}

}  // namespace kde
