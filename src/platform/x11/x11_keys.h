#pragma once

// Parsed key strokes typed into the focused window through XTest.
#include "platform/key_stroke.h"

#include <X11/Xlib.h>

#include <string>
#include <vector>

namespace x11 {

class Keyboard {
 public:
  explicit Keyboard(Display* dpy);
  ~Keyboard();  // gives back the spare keycodes it borrowed

  // Types the strokes; nothing at all when one of them cannot be typed.
  // No modifier stays pressed, whatever happens.
  bool type(const std::vector<KeyStroke>& strokes, std::string& reason);

 private:
  struct Press {
    KeyCode code;
    bool down;
  };
  bool plan(const KeyStroke& s, std::vector<Press>& out, std::string& reason);
  KeyCode borrowSpareFor(KeySym sym);
  void loadMapping();

  Display* dpy_;
  int minCode_ = 0, maxCode_ = 0, perCode_ = 0;
  std::vector<KeySym> map_;
  std::vector<KeyCode> borrowed_;
  KeyCode altCode_ = 0, shiftCode_ = 0;
};

}  // namespace x11
