#include "win32_modifiers.h"

namespace {
const WORD kModifiers[] = {VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU, VK_LWIN, VK_RWIN};

INPUT modifier(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = WORD(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  const bool extended = vk == VK_RCONTROL || vk == VK_RMENU || vk == VK_LWIN || vk == VK_RWIN;
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
  return input;
}
}  // namespace

std::vector<WORD> heldModifiers() {
  std::vector<WORD> held;
  for (WORD vk : kModifiers)
    if (GetAsyncKeyState(vk) & 0x8000) held.push_back(vk);
  return held;
}

std::vector<INPUT> withoutHeldModifiers(const std::vector<INPUT>& plan, const std::vector<WORD>& held) {
  std::vector<INPUT> out;
  for (WORD vk : held) out.push_back(modifier(vk, true));
  out.insert(out.end(), plan.begin(), plan.end());
  for (WORD vk : held) out.push_back(modifier(vk, false));
  return out;
}
