#include "win32_keys.h"

#include <algorithm>
#include <tuple>

#include "platform/automation.h"
#include "platform/failure_codes.h"
#include "win32_text.h"

namespace {

INPUT key(WORD vk, bool up, bool extended = false) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = WORD(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
  return input;
}

void press(std::vector<INPUT>& inputs, WORD vk, bool extended = false) {
  inputs.push_back(key(vk, false, extended));
  inputs.push_back(key(vk, true, extended));
}

// The modifiers VkKeyScanW's high byte asks for, as virtual keys.
std::vector<WORD> shiftKeys(BYTE state) {
  std::vector<WORD> keys;
  if (state & 1) keys.push_back(VK_SHIFT);
  if (state & 2) keys.push_back(VK_CONTROL);
  if (state & 4) keys.push_back(VK_MENU);
  return keys;
}

// Named keys as virtual keys; the second tells an extended key (the arrows
// and the block above them, told apart from the number pad's).
std::pair<WORD, bool> virtualKeyOf(const KeyStroke& s) {
  switch (s.key) {
    case KeyStroke::Key::Up:
      return {VK_UP, true};
    case KeyStroke::Key::Down:
      return {VK_DOWN, true};
    case KeyStroke::Key::Left:
      return {VK_LEFT, true};
    case KeyStroke::Key::Right:
      return {VK_RIGHT, true};
    case KeyStroke::Key::Home:
      return {VK_HOME, true};
    case KeyStroke::Key::End:
      return {VK_END, true};
    case KeyStroke::Key::Enter:
      return {VK_RETURN, false};
    case KeyStroke::Key::Tab:
      return {VK_TAB, false};
    case KeyStroke::Key::Space:
      return {VK_SPACE, false};
    case KeyStroke::Key::Escape:
      return {VK_ESCAPE, false};
    case KeyStroke::Key::Function:
      return {WORD(VK_F1 + (s.character - 1)), false};
    case KeyStroke::Key::Character:
      break;
  }
  return {0, false};
}

}  // namespace

KeyPlan planKeys(const std::vector<KeyStroke>& strokes) {
  KeyPlan plan;
  for (const KeyStroke& s : strokes) {
    std::vector<WORD> mods;
    WORD vk = 0;
    bool extended = false;
    if (s.key == KeyStroke::Key::Character) {
      const SHORT scan = s.character <= 0xFFFF ? VkKeyScanW(wchar_t(s.character)) : SHORT(-1);
      if (scan == -1 || LOBYTE(scan) == 0xFF) {
        plan.inputs.clear();
        plan.status = AutomationStatus::failure(failure_code::kInvalidArgument,
                                                "A character of the keys cannot be typed on this keyboard layout");
        return plan;
      }
      vk = LOBYTE(scan);
      mods = shiftKeys(HIBYTE(scan));
      // With Alt or Ctrl a shortcut letter is its key: no Shift for the
      // capital letter unless the string asks for it.
      if ((s.alt || s.ctrl) && s.character < 0x80 && IsCharAlphaW(wchar_t(s.character))) mods.clear();
    } else {
      std::tie(vk, extended) = virtualKeyOf(s);
    }
    const std::pair<bool, WORD> asked[] = {{s.ctrl, VK_CONTROL}, {s.alt, VK_MENU}, {s.shift, VK_SHIFT}};
    for (const auto& [wanted, modifier] : asked)
      if (wanted && std::find(mods.begin(), mods.end(), modifier) == mods.end()) mods.push_back(modifier);
    for (WORD m : mods) plan.inputs.push_back(key(m, false));
    press(plan.inputs, vk, extended);
    for (auto m = mods.rbegin(); m != mods.rend(); ++m) plan.inputs.push_back(key(*m, true));
  }
  return plan;
}

AutomationStatus sendPlan(std::vector<INPUT> inputs) {
  if (inputs.empty()) return {};
  const UINT sent = SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
  if (sent == inputs.size()) return {};
  const DWORD error = GetLastError();  // SendInput failed: only now is it meaningful
  std::vector<INPUT> release{key(VK_MENU, true), key(VK_SHIFT, true), key(VK_CONTROL, true)};
  SendInput(UINT(release.size()), release.data(), sizeof(INPUT));
  return AutomationStatus::failure(failure_code::kInvalidArgument,
                                   "The keys could not be sent: " + systemMessage(error));
}
