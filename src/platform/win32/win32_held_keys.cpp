#include "win32_held_keys.h"

#include "win32_text.h"

namespace {
// After a key event the key state changes just after the hook was told.
constexpr DWORD kSettleMs = 15;

bool isMouseButton(int vk) {
  return vk == VK_LBUTTON || vk == VK_RBUTTON || vk == VK_MBUTTON || vk == VK_XBUTTON1 || vk == VK_XBUTTON2;
}

// Shift, Ctrl and Alt are reported by their left and right keys.
bool isEitherSide(int vk) { return vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU; }

bool keyEventSeen = false;

LRESULT CALLBACK keyEvent(int code, WPARAM w, LPARAM l) {
  if (code == HC_ACTION) keyEventSeen = true;
  return CallNextHookEx(nullptr, code, w, l);
}
}  // namespace

WORD heldKey() {
  for (int vk = 1; vk < 0xFF; ++vk)
    if (!isMouseButton(vk) && !isEitherSide(vk) && (GetAsyncKeyState(vk) & 0x8000)) return WORD(vk);
  return 0;
}

WORD waitForKeysReleased(DWORD longestMs) {
  WORD held = heldKey();
  if (!held) return 0;
  // Called on this thread while it waits below: the events come as sent messages.
  const HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, keyEvent, GetModuleHandleW(nullptr), 0);
  const DWORD start = GetTickCount();
  keyEventSeen = true;  // looked at again after the hook is in place
  for (;;) {
    const DWORD spent = GetTickCount() - start;
    if (spent >= longestMs) break;
    const DWORD left = longestMs - spent;
    // Without the hook nothing would wake the wait: then the state is looked at now and then.
    const DWORD next = keyEventSeen || !hook ? (left < kSettleMs ? left : kSettleMs) : left;
    keyEventSeen = false;
    MsgWaitForMultipleObjectsEx(0, nullptr, next, QS_SENDMESSAGE, MWMO_INPUTAVAILABLE);
    MSG message;  // runs the hook; only sent messages are handled here
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    if (!(held = heldKey())) break;
  }
  if (hook) UnhookWindowsHookEx(hook);
  return held;
}

std::string keyName(WORD vk) {
  UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  switch (vk) {
    case VK_RCONTROL: case VK_RMENU: case VK_LWIN: case VK_RWIN: case VK_UP: case VK_DOWN: case VK_LEFT:
    case VK_RIGHT: case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
      scan |= 0x100;  // the extended key, not its twin on the keypad
      break;
  }
  wchar_t name[64] = L"";
  const int n = scan ? GetKeyNameTextW(LONG(scan << 16), name, 64) : 0;
  const std::string code = "virtual key " + std::to_string(vk);
  return n > 0 ? toUtf8(std::wstring(name, size_t(n))) + " (" + code + ")" : code;
}
