#pragma once

#include <windows.h>

#include <string>

// The help file shown inside the tool, in a window of its own beside the
// main window, at a topic; it does not hold up the run.
class HelpWindow {
 public:
  HelpWindow() = default;
  ~HelpWindow();
  HelpWindow(const HelpWindow&) = delete;
  HelpWindow& operator=(const HelpWindow&) = delete;

  // Reads the file anew and shows it at the topic (0 the contents; a topic
  // the file lacks shows the contents). False, after telling the user in a
  // message box, when the file cannot be read.
  bool show(HWND owner, const std::wstring& path, int topic);
  HWND handle() const { return window_; }
  // The line shown at the top, for the tests.
  std::wstring topLine() const;

 private:
  static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
  bool create(HWND owner);
  HWND window_ = nullptr;
  HWND text_ = nullptr;
  HFONT font_ = nullptr;
};
