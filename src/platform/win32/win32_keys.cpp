#include "win32_keys.h"

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

}  // namespace

KeyPlan planKeys(const std::vector<KeyStroke>& strokes) {
  KeyPlan plan;
  for (const KeyStroke& s : strokes) {
    if (s.alt) plan.inputs.push_back(key(VK_MENU, false));
    switch (s.key) {
      case KeyStroke::Key::Up:
        press(plan.inputs, VK_UP, true);
        break;
      case KeyStroke::Key::Down:
        press(plan.inputs, VK_DOWN, true);
        break;
      case KeyStroke::Key::Enter:
        press(plan.inputs, VK_RETURN);
        break;
      case KeyStroke::Key::F1:
        press(plan.inputs, VK_F1);
        break;
      case KeyStroke::Key::Character: {
        const SHORT scan = s.character <= 0xFFFF ? VkKeyScanW(wchar_t(s.character)) : SHORT(-1);
        if (scan == -1 || LOBYTE(scan) == 0xFF) {
          plan.inputs.clear();
          plan.status = AutomationStatus::failure(failure_code::kInvalidArgument,
                                                  "A character of the keys cannot be typed on this keyboard layout");
          return plan;
        }
        // With Alt a mnemonic is its key: no Shift for the capital letter.
        std::vector<WORD> mods = shiftKeys(HIBYTE(scan));
        if (s.alt && s.character < 0x80 && IsCharAlphaW(wchar_t(s.character))) mods.clear();
        for (WORD m : mods) plan.inputs.push_back(key(m, false));
        press(plan.inputs, LOBYTE(scan));
        for (auto m = mods.rbegin(); m != mods.rend(); ++m) plan.inputs.push_back(key(*m, true));
        break;
      }
    }
    if (s.alt) plan.inputs.push_back(key(VK_MENU, true));
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
