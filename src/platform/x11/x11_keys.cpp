#include "platform/x11/x11_keys.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace x11 {
namespace {

KeySym keysymFor(char32_t c) {
  // Latin-1 keysyms equal their code points; the rest use the Unicode range.
  if ((c >= 0x20 && c <= 0x7e) || (c >= 0xa0 && c <= 0xff)) return KeySym(c);
  if (c == '\n' || c == '\r') return XK_Return;
  if (c == '\t') return XK_Tab;
  return KeySym(0x01000000 | c);
}

bool isAsciiLetter(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

Keyboard::Keyboard(Display* dpy) : dpy_(dpy) {
  loadMapping();
  altCode_ = XKeysymToKeycode(dpy_, XK_Alt_L);
  shiftCode_ = XKeysymToKeycode(dpy_, XK_Shift_L);
}

Keyboard::~Keyboard() {
  if (borrowed_.empty()) return;
  for (KeyCode code : borrowed_) {
    std::vector<KeySym> none(size_t(perCode_), NoSymbol);
    XChangeKeyboardMapping(dpy_, code, perCode_, none.data(), 1);
  }
  XSync(dpy_, False);
}

void Keyboard::loadMapping() {
  XDisplayKeycodes(dpy_, &minCode_, &maxCode_);
  KeySym* syms = XGetKeyboardMapping(dpy_, KeyCode(minCode_), maxCode_ - minCode_ + 1, &perCode_);
  map_.assign(syms, syms + (maxCode_ - minCode_ + 1) * perCode_);
  XFree(syms);
}

KeyCode Keyboard::borrowSpareFor(KeySym sym) {
  // A keycode with no symbols at all is nobody's key: map the character on
  // it for as long as we run, so that the target reads it at its leisure.
  for (int code = maxCode_; code >= minCode_; --code) {
    const KeySym* row = &map_[size_t((code - minCode_) * perCode_)];
    bool empty = true;
    for (int i = 0; i < perCode_; ++i) empty = empty && row[i] == NoSymbol;
    if (!empty) continue;
    std::vector<KeySym> syms(size_t(perCode_), NoSymbol);
    syms[0] = sym;
    if (perCode_ > 1) syms[1] = sym;
    XChangeKeyboardMapping(dpy_, code, perCode_, syms.data(), 1);
    XSync(dpy_, False);
    for (int i = 0; i < perCode_; ++i) map_[size_t((code - minCode_) * perCode_ + i)] = syms[size_t(i)];
    borrowed_.push_back(KeyCode(code));
    return KeyCode(code);
  }
  return 0;
}

bool Keyboard::plan(const KeyStroke& s, std::vector<Press>& out, std::string& reason) {
  KeySym sym = NoSymbol;
  switch (s.key) {
    case KeyStroke::Key::Up: sym = XK_Up; break;
    case KeyStroke::Key::Down: sym = XK_Down; break;
    case KeyStroke::Key::Enter: sym = XK_Return; break;
    case KeyStroke::Key::F1: sym = XK_F1; break;
    case KeyStroke::Key::Character: sym = keysymFor(s.character); break;
  }
  // Find the key and the level (plain or shifted) that give the symbol.
  KeyCode code = 0;
  bool shift = false;
  for (int c = minCode_; c <= maxCode_ && !code; ++c) {
    const KeySym* row = &map_[size_t((c - minCode_) * perCode_)];
    if (row[0] == sym) code = KeyCode(c);
    else if (perCode_ > 1 && row[1] == sym) code = KeyCode(c), shift = true;
  }
  if (!code) code = borrowSpareFor(sym);
  if (!code) {
    reason = "The keyboard map has no key for a character of the text, and no spare key to put it on";
    return false;
  }
  // A shortcut letter means its key whatever the case: Alt+Shift+S is
  // another shortcut to many programs than Alt+S.
  if (s.alt && isAsciiLetter(s.character)) shift = false;
  if (s.alt) {
    if (!altCode_) {
      reason = "The keyboard map has no Alt key";
      return false;
    }
    out.push_back({altCode_, true});
  }
  if (shift) out.push_back({shiftCode_, true});
  out.push_back({code, true});
  out.push_back({code, false});
  if (shift) out.push_back({shiftCode_, false});
  if (s.alt) out.push_back({altCode_, false});
  return true;
}

bool Keyboard::type(const std::vector<KeyStroke>& strokes, std::string& reason) {
  std::vector<Press> presses;
  for (const KeyStroke& s : strokes)
    if (!plan(s, presses, reason)) return false;
  // Each press is paired with its release in the plan, so the sequence as a
  // whole leaves every key up.
  for (const Press& p : presses) XTestFakeKeyEvent(dpy_, p.code, p.down ? True : False, CurrentTime);
  XSync(dpy_, False);
  return true;
}

}  // namespace x11
