#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Runs the action on this thread, inside whatever modal loop is running,
// as soon as a visible top-level window of this thread with the title is
// there (checked every 20 ms, at most 5 s). Lets a test answer a dialog.
class WhenWindowShows {
 public:
  WhenWindowShows(std::wstring title, std::function<void(HWND)> action);
  ~WhenWindowShows();
  bool ran() const { return ran_; }

 private:
  static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD);
  std::wstring title_;
  std::function<void(HWND)> action_;
  UINT_PTR timer_ = 0;
  DWORD start_ = GetTickCount();
  bool ran_ = false;
};

// Types the text and presses the keys through the system's input queue, as
// a user would, into whatever has the focus.
void typeKeys(const std::wstring& text);
void pressKey(WORD virtualKey);

std::wstring textOf(HWND window);
