#pragma once

// The keymap that the virtual keyboard uploads: one key for each symbol
// that the strings typed so far need, so that no character depends on the
// user's layout. Free of Wayland calls, so that it can be tested alone.
#include "platform/key_stroke.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace wayland {

// One step of typing: set the modifier mask, or press or release a key
// (an XKB keycode of this keymap).
struct KeyAction {
  enum class Kind { Modifiers, Key };
  Kind kind = Kind::Key;
  std::uint32_t value = 0;  // the modifier mask, or the keycode
  bool down = false;        // for Kind::Key
  bool operator==(const KeyAction& o) const { return kind == o.kind && value == o.value && down == o.down; }
};

// The keysym that a stroke types: shortcut letters as their lower case
// key, XKB_KEY_NoSymbol (0) for characters that no key types.
std::uint32_t keysymFor(const KeyStroke& stroke);

class Keymap {
 public:
  // The real modifier Mod1, which the keymap binds to Alt: its bit in a
  // modifier mask (real modifiers come first, in the order Shift, Lock,
  // Control, Mod1).
  static constexpr std::uint32_t kAltMask = 1u << 3;
  static constexpr std::uint32_t kShiftMask = 1u << 0;
  static constexpr std::uint32_t kCtrlMask = 1u << 2;

  Keymap();

  // Plans the strokes, adding keys for symbols not yet in the map; nothing
  // is added and false is returned with a reason when one cannot be typed.
  // Every key pressed is released and every modifier set is cleared again.
  bool plan(const std::vector<KeyStroke>& strokes, std::vector<KeyAction>& out, std::string& reason);

  // The keymap in XKB text form, and whether it changed since the last call
  // of text().
  std::string text();
  bool changed() const { return changed_; }

 private:
  std::uint32_t codeFor(std::uint32_t keysym);

  std::map<std::uint32_t, std::uint32_t> codes_;  // keysym -> keycode
  std::uint32_t nextFree_ = kFirstCode;
  bool changed_ = true;
  static constexpr std::uint32_t kFirstCode = 9;
  static constexpr std::uint32_t kLastCode = 255;  // Xwayland clients take no more; kept free
};

}  // namespace wayland
