#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/automation.h"

// The key of a key-down message with the modifiers held: "Alt+B", "Up",
// "Return", ...; empty for a modifier alone.
std::string keyText(WPARAM vk, LPARAM l);

// A visible top-level window of this process that logs the keys it gets:
// "Alt+B", "Up", "Down", "Return", ...
class LoggingWindow {
 public:
  // With an owner, a window of it (a dialog).
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
// Brings the window in front and lets it take the activation.
void putInFront(HWND window);
// Presses or lets go of the key through the system's input queue.
void sendKey(WORD vk, bool down);
// Checks every 20 ms until the condition holds, at most ms.
bool waitUntil(const std::function<bool()>& condition, DWORD ms);
// A file beside the test program, and a path in the temporary folder with no file.
std::wstring besideTheTests(const std::wstring& name);
std::wstring tempPath(const std::wstring& name);

inline KeyStroke chr(char32_t c, bool alt = false) { return {KeyStroke::Key::Character, c, alt}; }
inline KeyStroke named(KeyStroke::Key k) { return {k, 0, false}; }
