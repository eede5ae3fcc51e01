#pragma once

// Parsed key strokes typed into the focused window through XTest.
#include "platform/key_stroke.h"
#include "platform/x11/x11_key_levels.h"

#include <X11/Xlib.h>

#include <string>
#include <vector>

namespace x11 {

class Keyboard {
 public:
  struct Press {
    KeyCode code;
    bool down;
  };

  // Gives back a spare keycode that a run killed in the middle left mapped.
  explicit Keyboard(Display* dpy);
  ~Keyboard();  // gives back what is still borrowed

  // Plans the strokes by the keymap in force now; nothing at all when one
  // of them cannot be typed. A character missing from the keymap is put on
  // a spare keycode, and keymapChanged() then says so: the target must take
  // the new keymap before the keys are sent.
  bool plan(const std::vector<KeyStroke>& strokes, std::vector<Press>& out, std::string& reason);
  // Whether the keymap in force now still gives the same presses for the
  // strokes (the user or a layout switch may have changed it since).
  bool stillTypes(const std::vector<KeyStroke>& strokes, const std::vector<Press>& planned);
  bool keymapChanged() const { return !borrowed_.empty(); }
  // Queues the presses; each press is paired with its release in the plan,
  // so the sequence as a whole leaves every key up.
  void send(const std::vector<Press>& presses);
  // Empties the spare keycodes again once the target has read the keys.
  void giveBack();

 private:
  struct Borrowed {
    KeyCode code;
    KeySym sym;
  };
  bool planOne(const KeyStroke& s, bool mayBorrow, std::vector<Press>& out, std::string& reason);
  KeyCode codeOf(KeySym sym) const;
  KeyCode borrowSpareFor(KeySym sym);
  void loadMapping();
  void giveBackLeftover();
  void writeMarker();

  Display* dpy_;
  Atom marker_;
  int minCode_ = 0, maxCode_ = 0, perCode_ = 0;
  std::vector<KeySym> map_;          // the core map, for spare keycodes
  std::vector<KeyLevels> levels_;  // what each key types now
  std::vector<Borrowed> borrowed_;
  KeyCode altCode_ = 0, shiftCode_ = 0, ctrlCode_ = 0;
};

}  // namespace x11
