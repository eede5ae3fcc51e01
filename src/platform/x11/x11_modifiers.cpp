#include "platform/x11/x11_modifiers.h"

#include <X11/extensions/XTest.h>

#include <thread>

namespace x11 {
namespace {
// A person lets go of a key within a few hundred ms; polling the keymap
// this often costs nothing and answers within a frame.
constexpr std::chrono::milliseconds kPoll{20};
}  // namespace

HeldModifiers::HeldModifiers(Display* dpy) : dpy_(dpy) {
  XModifierKeymap* map = XGetModifierMapping(dpy_);
  if (!map) return;
  for (int index : {ShiftMapIndex, ControlMapIndex, Mod1MapIndex, Mod4MapIndex})
    for (int i = 0; i < map->max_keypermod; ++i) {
      const KeyCode k = map->modifiermap[index * map->max_keypermod + i];
      if (k) modifierKeys_.push_back(k);
    }
  XFreeModifiermap(map);
}

std::vector<KeyCode> HeldModifiers::held() const {
  char keys[32] = {};
  XQueryKeymap(dpy_, keys);
  std::vector<KeyCode> out;
  for (KeyCode k : modifierKeys_)
    if (keys[k / 8] & (1 << (k % 8))) out.push_back(k);
  return out;
}

void HeldModifiers::waitForRelease(std::chrono::milliseconds longest) {
  const auto until = std::chrono::steady_clock::now() + longest;
  while (!held().empty() && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(kPoll);
}

void HeldModifiers::releaseForSequence() {
  released_ = held();
  for (KeyCode k : released_) XTestFakeKeyEvent(dpy_, k, False, CurrentTime);
}

void HeldModifiers::restore() {
  for (KeyCode k : released_) XTestFakeKeyEvent(dpy_, k, True, CurrentTime);
  released_.clear();
}

}  // namespace x11
