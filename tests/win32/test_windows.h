#pragma once

#include <windows.h>

#include <string>
#include <vector>

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
