#pragma once

#include "../win32/test_windows.h"

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

// Types the text, or presses the keys together (the last one the key),
// through the system's input queue, as a user would, into what has the focus.
void typeKeys(const std::wstring& text);
void pressKeys(const std::vector<WORD>& keys);
inline void pressKey(WORD key) { pressKeys({key}); }
// Lets the window handle what came for it, about 150 ms.
void settle(HWND window);

std::wstring textOf(HWND window);
// A message box's text: its longest child's, not its OK's.
std::wstring boxText(HWND box);
// The text's size in the control's font, wrapped to the width if one is given.
SIZE textSize(HWND control, const std::wstring& text, int wrapWidth = 0);
RECT rectInClient(HWND control, HWND window);
// The control's tip, asked of the window's tooltip control as the system would.
std::wstring tooltipOf(HWND window, HWND control);
