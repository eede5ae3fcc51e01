#include "platform/x11/x11_held_keys.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <thread>

namespace x11 {
namespace {
// A person lets go of a key within a few hundred ms; polling the keymap
// this often costs nothing and answers within a frame.
constexpr std::chrono::milliseconds kPoll{20};

bool contains(const std::vector<KeyCode>& v, KeyCode k) { return std::find(v.begin(), v.end(), k) != v.end(); }
}  // namespace

HeldKeys::HeldKeys(Display* dpy) : dpy_(dpy) {}

// Read each time: the keymap may change during a run.
std::vector<KeyCode> HeldKeys::modifierKeys() const {
  std::vector<KeyCode> out;
  XModifierKeymap* map = XGetModifierMapping(dpy_);
  if (!map) return out;
  for (int index : {ShiftMapIndex, ControlMapIndex, Mod1MapIndex, Mod4MapIndex})
    for (int i = 0; i < map->max_keypermod; ++i) {
      const KeyCode k = map->modifiermap[index * map->max_keypermod + i];
      if (k) out.push_back(k);
    }
  XFreeModifiermap(map);
  return out;
}

std::vector<KeyCode> HeldKeys::down() const {
  char keys[32] = {};
  XQueryKeymap(dpy_, keys);
  std::vector<KeyCode> out;
  for (int k = 8; k < 256; ++k)
    if (keys[k / 8] & (1 << (k % 8))) out.push_back(KeyCode(k));
  return out;
}

KeyCode HeldKeys::otherKeyDown() const {
  const std::vector<KeyCode> modifiers = modifierKeys();
  for (KeyCode k : down())
    if (!contains(modifiers, k)) return k;
  return 0;
}

KeyCode HeldKeys::waitForRelease(std::chrono::steady_clock::time_point deadline, bool modifiersToo) {
  for (;;) {
    const std::vector<KeyCode> modifiers = modifierKeys();
    KeyCode other = 0;
    bool any = false;
    for (KeyCode k : down()) {
      const bool modifier = contains(modifiers, k);
      if (!modifier && !other) other = k;
      any = any || !modifier || modifiersToo;
    }
    if (!any || std::chrono::steady_clock::now() >= deadline) return other;
    std::this_thread::sleep_for(kPoll);
  }
}

void HeldKeys::releaseForSequence() {
  const std::vector<KeyCode> modifiers = modifierKeys();
  released_.clear();
  for (KeyCode k : down())
    if (contains(modifiers, k)) released_.push_back(k);
  for (KeyCode k : released_) XTestFakeKeyEvent(dpy_, k, False, CurrentTime);
}

void HeldKeys::restore() {
  for (KeyCode k : released_) XTestFakeKeyEvent(dpy_, k, True, CurrentTime);
  released_.clear();
}

std::string HeldKeys::name(KeyCode k) const {
  const char* s = XKeysymToString(XkbKeycodeToKeysym(dpy_, k, 0, 0));
  return s ? s : "with the number " + std::to_string(int(k));
}

}  // namespace x11
