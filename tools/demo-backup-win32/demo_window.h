#pragma once

#include "key_log.h"

#include <windows.h>

#include <string>

// The backup program's window as the tool sees it: a job list reached with
// Alt+B and a start button reached with Alt+S, like the Linux demo's.
class DemoWindow {
 public:
  DemoWindow(KeyLog& log, const std::wstring& title);
  ~DemoWindow();
  DemoWindow(const DemoWindow&) = delete;
  DemoWindow& operator=(const DemoWindow&) = delete;

  HWND handle() const { return window_; }

 private:
  static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
  void createControls();
  void startBackup();

  KeyLog& log_;
  HWND window_ = nullptr;
  HWND jobs_ = nullptr;
  HWND started_ = nullptr;
  HWND lastFocus_ = nullptr;
  HFONT font_ = nullptr;
  HFONT bigFont_ = nullptr;
  int dpi_ = 96;
};
