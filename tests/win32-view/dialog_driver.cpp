#include "dialog_driver.h"

#include <utility>
#include <vector>

namespace {
WhenWindowShows* current = nullptr;  // one timer at a time is all the tests need
}

WhenWindowShows::WhenWindowShows(std::wstring title, std::function<void(HWND)> action)
    : title_(std::move(title)), action_(std::move(action)) {
  current = this;
  timer_ = SetTimer(nullptr, 0, 20, tick);
}

WhenWindowShows::~WhenWindowShows() {
  if (timer_) KillTimer(nullptr, timer_);
  current = nullptr;
}

void CALLBACK WhenWindowShows::tick(HWND, UINT, UINT_PTR, DWORD) {
  WhenWindowShows* self = current;
  if (!self || self->ran_) return;
  HWND found = nullptr;
  std::pair<WhenWindowShows*, HWND*> search(self, &found);
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM l) -> BOOL {
        auto* s = reinterpret_cast<std::pair<WhenWindowShows*, HWND*>*>(l);
        if (IsWindowVisible(w) && textOf(w) == s->first->title_) {
          *s->second = w;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  if (found) {
    self->ran_ = true;
    KillTimer(nullptr, self->timer_);
    self->timer_ = 0;
    self->action_(found);
  } else if (GetTickCount() - self->start_ > 5000) {
    KillTimer(nullptr, self->timer_);
    self->timer_ = 0;
    // Not the window looked for: close whatever dialog is open, so that a failing test ends.
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM) -> BOOL {
          wchar_t name[16] = L"";
          GetClassNameW(w, name, 16);
          if (IsWindowVisible(w) && std::wstring(name) == L"#32770") PostMessageW(w, WM_COMMAND, IDCANCEL, 0);
          return TRUE;
        },
        0);
  }
}

void typeKeys(const std::wstring& text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wScan = c;
    i.ki.dwFlags = KEYEVENTF_UNICODE;
    inputs.push_back(i);
    i.ki.dwFlags |= KEYEVENTF_KEYUP;
    inputs.push_back(i);
  }
  SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

void pressKey(WORD virtualKey) {
  INPUT i[2]{};
  i[0].type = i[1].type = INPUT_KEYBOARD;
  i[0].ki.wVk = i[1].ki.wVk = virtualKey;
  i[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, i, sizeof(INPUT));
}

std::wstring textOf(HWND window) {
  std::vector<wchar_t> buffer(size_t(GetWindowTextLengthW(window)) + 1);
  const int n = GetWindowTextW(window, buffer.data(), int(buffer.size()));
  return std::wstring(buffer.data(), size_t(n > 0 ? n : 0));
}
