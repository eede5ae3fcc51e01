#pragma once

// Key strings as presses of the seat's own keys: KWin's fake input takes
// key codes, which the compositor reads through the keymap the user has
// set up, so each symbol is looked up in that keymap. Free of Wayland
// calls, so that it can be tested alone.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/key_stroke.h"

struct xkb_context;
struct xkb_keymap;

namespace kde {

// Press or release of a key, by its Linux (evdev) code.
struct EvdevKey {
  std::uint32_t code = 0;
  bool down = false;
  bool operator==(const EvdevKey& o) const { return code == o.code && down == o.down; }
};

class LayoutKeys {
 public:
  LayoutKeys();
  ~LayoutKeys();

  // Takes the keymap in XKB text form; false with a reason when it does not compile.
  bool load(const std::string& keymapText, std::string& reason);
  bool loaded() const { return keymap_ != nullptr; }

  // Plans the strokes; false with a reason, and nothing added, when one
  // cannot be typed with every layout of the keymap. Every key pressed is
  // released again.
  bool plan(const std::vector<KeyStroke>& strokes, std::vector<EvdevKey>& out, std::string& reason);

 private:
  // A key and the modifier keys held around it (XKB codes).
  struct Chord {
    std::uint32_t key = 0;
    std::vector<std::uint32_t> held;
  };
  // mods: kAlt and kCtrl, held while the key gives its symbol.
  static constexpr int kAlt = 1, kCtrl = 2;
  bool chordFor(std::uint32_t keysym, int mods, Chord& chord);
  bool typesOnEveryLayout(const Chord& chord, std::uint32_t keysym, int mods) const;
  std::uint32_t keyWithSymbol(std::uint32_t keysym, const char* name) const;

  xkb_context* context_ = nullptr;
  xkb_keymap* keymap_ = nullptr;
  std::map<std::pair<std::uint32_t, int>, Chord> known_;
};

}  // namespace kde
