#include "win32_processed.h"

namespace {
// A target takes a key within a few ms; a key state standing still for
// longer is one that this system does not share (Wine).
constexpr DWORD kUnsharedMs = 50;

bool isModifier(WORD vk) {
  switch (vk) {
    case VK_SHIFT: case VK_CONTROL: case VK_MENU: case VK_LSHIFT: case VK_RSHIFT: case VK_LCONTROL:
    case VK_RCONTROL: case VK_LMENU: case VK_RMENU: case VK_LWIN: case VK_RWIN:
      return true;
    default:
      return false;
  }
}
}  // namespace

ProcessedWait::ProcessedWait(HWND target, const std::vector<INPUT>& plan)
    : target_(target), ours_(GetCurrentThreadId()), theirs_(GetWindowThreadProcessId(target, nullptr)) {
  int presses = 0;
  for (const INPUT& i : plan) {
    if (i.type != INPUT_KEYBOARD || (i.ki.dwFlags & KEYEVENTF_KEYUP) || isModifier(i.ki.wVk)) continue;
    if (i.ki.wVk != probe_) presses = 0;
    probe_ = i.ki.wVk;
    ++presses;
  }
  // Our own windows are served by our own message loop, which the caller runs.
  if (!theirs_ || theirs_ == ours_ || !probe_) return;
  attached_ = AttachThreadInput(ours_, theirs_, TRUE) != 0;
  if (!attached_) return;
  before_ = GetKeyState(probe_);
  expected_ = SHORT((before_ ^ presses) & 1);
}

ProcessedWait::~ProcessedWait() {
  if (attached_) AttachThreadInput(ours_, theirs_, FALSE);
}

bool ProcessedWait::wait(DWORD longestMs) {
  if (!theirs_ || theirs_ == ours_) return true;
  const DWORD start = GetTickCount();
  // Taken: the toggle bit moved by every press, and the release came too.
  // A key state that never moved at all is one that is not shared.
  while (attached_ && ((GetKeyState(probe_) & 1) != expected_ || (GetKeyState(probe_) & 0x8000))) {
    if (GetKeyState(probe_) == before_ && GetTickCount() - start >= kUnsharedMs) break;
    if (GetTickCount() - start >= longestMs) return false;
    Sleep(1);
  }
  const DWORD spent = GetTickCount() - start;
  const DWORD left = spent < longestMs ? longestMs - spent : 1;
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(target_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, left, &result) != 0;
}
