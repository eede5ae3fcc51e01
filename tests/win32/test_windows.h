#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/automation.h"

// A visible top-level window of this process (with an owner, a dialog of it)
// that logs the keys it gets: "Alt+B", "Up", "Down", "Return", ...
class LoggingWindow {
 public:
  explicit LoggingWindow(const std::wstring& title, HWND owner = nullptr);
  ~LoggingWindow();
  HWND handle() const { return handle_; }
  const std::vector<std::string>& keys() const { return keys_; }
  void clear() { keys_.clear(); }

 private:
  static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
  HWND handle_ = nullptr;
  std::vector<std::string> keys_;
};

// Dispatches this thread's messages until none came for a while.
void pumpMessages(DWORD quietMs = 100);
inline void putInFront(HWND window) { SetForegroundWindow(window), pumpMessages(20); }
// Checks every 20 ms until the condition holds, at most ms.
bool waitUntil(const std::function<bool()>& condition, DWORD ms);
// A file beside the test program, and a path in the temporary folder with no file.
std::wstring besideTheTests(const std::wstring& name);
std::wstring tempPath(const std::wstring& name);

inline KeyStroke chr(char32_t c, bool alt = false) { return {KeyStroke::Key::Character, c, alt}; }
inline KeyStroke named(KeyStroke::Key k) { return {k, 0, false}; }

// Runs the action on this thread, inside whatever modal loop is running, as soon as a visible top-level window of this
// thread with the title is there (checked every 20 ms, at most 5 s). Lets a test answer a dialog.
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

// Through the system's input queue, as a user would, into what has the focus:
// one key down or up, the text typed, or the keys pressed together (the last one the key).
void sendKey(WORD vk, bool down);
void typeKeys(const std::wstring& text);
void pressKeys(const std::vector<WORD>& keys);
inline void pressKey(WORD key) { pressKeys({key}); }
// Lets the window handle what came for it, about 150 ms, as the view's own
// loop does (event_pump.h, in the view's tests only).
bool pumpEvents(HWND window);
bool waitForEvent(DWORD milliseconds);
inline void settle(HWND window) {
  for (int i = 0; i < 15; ++i) pumpEvents(window), waitForEvent(10);
}

std::wstring textOf(HWND window);
// A message box's text: its longest child's, not its OK's.
std::wstring boxText(HWND box);
// The text's size in the control's font, wrapped to the width if one is given.
SIZE textSize(HWND control, const std::wstring& text, int wrapWidth = 0);
RECT rectInClient(HWND control, HWND window);
// The control's tip, asked of the window's tooltip control as the system would.
std::wstring tooltipOf(HWND window, HWND control);
