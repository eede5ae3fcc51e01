#include "platform/x11/x11_keys.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>

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

Keyboard::Keyboard(Display* dpy) : dpy_(dpy), marker_(XInternAtom(dpy, "_TALVOR_START_SPARE_KEYS", False)) {
  loadMapping();
  giveBackLeftover();
}

Keyboard::~Keyboard() { giveBack(); }

void Keyboard::loadMapping() {
  XDisplayKeycodes(dpy_, &minCode_, &maxCode_);
  KeySym* syms = XGetKeyboardMapping(dpy_, KeyCode(minCode_), maxCode_ - minCode_ + 1, &perCode_);
  map_.assign(syms, syms + (maxCode_ - minCode_ + 1) * perCode_);
  XFree(syms);
  levels_ = readKeyLevels(dpy_, minCode_, maxCode_, map_, perCode_);
  // Not XKeysymToKeycode: Xlib's copy of the keymap is renewed only as
  // its events are read.
  altCode_ = codeOf(XK_Alt_L);
  shiftCode_ = codeOf(XK_Shift_L);
  ctrlCode_ = codeOf(XK_Control_L);
}

KeyCode Keyboard::codeOf(KeySym sym) const {
  for (int c = minCode_; c <= maxCode_; ++c)
    if (levels_[size_t(c - minCode_)].plain == sym) return KeyCode(c);
  return 0;
}

// The keycodes on loan are written on the root window while they are
// borrowed, so that the next start can give back what a killed run left.
void Keyboard::writeMarker() {
  if (borrowed_.empty()) {
    XDeleteProperty(dpy_, DefaultRootWindow(dpy_), marker_);
    return;
  }
  std::vector<long> pairs;
  for (const Borrowed& b : borrowed_) pairs.insert(pairs.end(), {long(b.code), long(b.sym)});
  XChangeProperty(dpy_, DefaultRootWindow(dpy_), marker_, XA_INTEGER, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(pairs.data()), int(pairs.size()));
}

void Keyboard::giveBackLeftover() {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(dpy_, DefaultRootWindow(dpy_), marker_, 0, 256, True, XA_INTEGER, &type, &format, &count,
                         &after, &data) != Success)
    return;
  if (data && format == 32) {
    const long* pairs = reinterpret_cast<const long*>(data);
    for (unsigned long i = 0; i + 1 < count; i += 2) {
      const int code = int(pairs[i]);
      if (code < minCode_ || code > maxCode_) continue;
      // Only while it still holds what we put there: someone may have
      // mapped the key since.
      if (map_[size_t((code - minCode_) * perCode_)] != KeySym(pairs[i + 1])) continue;
      borrowed_.push_back({KeyCode(code), KeySym(pairs[i + 1])});
    }
  }
  if (data) XFree(data);
  giveBack();
}

void Keyboard::giveBack() {
  if (borrowed_.empty()) return;
  std::vector<KeySym> none(size_t(perCode_), NoSymbol);
  for (const Borrowed& b : borrowed_) {
    XChangeKeyboardMapping(dpy_, b.code, perCode_, none.data(), 1);
    for (int i = 0; i < perCode_; ++i) map_[size_t((b.code - minCode_) * perCode_ + i)] = NoSymbol;
    levels_[size_t(b.code - minCode_)] = {};
  }
  borrowed_.clear();
  writeMarker();
  XSync(dpy_, False);
}

KeyCode Keyboard::borrowSpareFor(KeySym sym) {
  // A keycode with no symbols at all is nobody's key: map the character on
  // it until the target has read the key.
  for (int code = maxCode_; code >= minCode_; --code) {
    const KeySym* row = &map_[size_t((code - minCode_) * perCode_)];
    bool empty = true;
    for (int i = 0; i < perCode_; ++i) empty = empty && row[i] == NoSymbol;
    if (!empty) continue;
    std::vector<KeySym> syms(size_t(perCode_), NoSymbol);
    syms[0] = sym;
    if (perCode_ > 1) syms[1] = sym;
    borrowed_.push_back({KeyCode(code), sym});
    writeMarker();
    XChangeKeyboardMapping(dpy_, code, perCode_, syms.data(), 1);
    XSync(dpy_, False);
    for (int i = 0; i < perCode_; ++i) map_[size_t((code - minCode_) * perCode_ + i)] = syms[size_t(i)];
    levels_[size_t(code - minCode_)] = {sym, sym};  // one group: every group reads it
    return KeyCode(code);
  }
  return 0;
}

bool Keyboard::planOne(const KeyStroke& s, bool mayBorrow, std::vector<Press>& out, std::string& reason) {
  const KeySym sym = s.key == KeyStroke::Key::Character ? keysymFor(s.character) : KeySym(namedKeysym(s));
  // Find the key and the level (plain or shifted) that give the symbol.
  KeyCode code = 0;
  bool shift = false;
  for (int c = minCode_; c <= maxCode_ && !code; ++c) {
    const KeyLevels& l = levels_[size_t(c - minCode_)];
    if (l.plain == sym)
      code = KeyCode(c);
    else if (l.shifted == sym)
      code = KeyCode(c), shift = true;
  }
  if (!code && mayBorrow) code = borrowSpareFor(sym);
  if (!code) {
    reason = "The keyboard map has no key for a character of the text, and no spare key to put it on";
    return false;
  }
  // A shortcut letter means its key whatever the case: Alt+Shift+S is
  // another shortcut to many programs than Alt+S. Shift is then only held
  // when the string asks for it.
  if ((s.alt || s.ctrl) && isAsciiLetter(s.character)) shift = false;
  shift = shift || s.shift;
  const std::pair<bool, KeyCode> held[] = {{s.ctrl, ctrlCode_}, {s.alt, altCode_}, {shift, shiftCode_}};
  for (const auto& [wanted, modifier] : held)
    if (wanted && !modifier) {
      reason = "The keyboard map has no Ctrl, Alt or Shift key for a key of the text";
      return false;
    }
  for (const auto& [wanted, modifier] : held)
    if (wanted) out.push_back({modifier, true});
  out.push_back({code, true});
  out.push_back({code, false});
  for (auto h = std::rbegin(held); h != std::rend(held); ++h)
    if (h->first) out.push_back({h->second, false});
  return true;
}

// The keymap is read again for every key string: three round trips, 0.1 ms
// under Xvfb, and a layout switched during the count-down applies at once.
bool Keyboard::plan(const std::vector<KeyStroke>& strokes, std::vector<Press>& out, std::string& reason) {
  out.clear();
  giveBack();
  loadMapping();
  for (const KeyStroke& s : strokes)
    if (!planOne(s, true, out, reason)) {
      giveBack();
      return false;
    }
  return true;
}

bool Keyboard::stillTypes(const std::vector<KeyStroke>& strokes, const std::vector<Press>& planned) {
  loadMapping();
  std::vector<Press> now;
  std::string reason;
  for (const KeyStroke& s : strokes)
    if (!planOne(s, false, now, reason)) return false;
  return std::equal(now.begin(), now.end(), planned.begin(), planned.end(),
                    [](const Press& a, const Press& b) { return a.code == b.code && a.down == b.down; });
}

void Keyboard::send(const std::vector<Press>& presses) {
  for (const Press& p : presses) XTestFakeKeyEvent(dpy_, p.code, p.down ? True : False, CurrentTime);
}

}  // namespace x11
