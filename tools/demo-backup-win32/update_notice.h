#pragma once

#include <windows.h>

// A window of the backup program's own that comes up on its own and takes
// the focus, as an "update available" notice does: not owned by the main
// window, so keys meant for the job list would land in it. With a time, it
// closes itself after it and gives the focus back to the main window.
class UpdateNotice {
 public:
  UpdateNotice(HWND mainWindow, UINT closeAfterMs);
  ~UpdateNotice();
  UpdateNotice(const UpdateNotice&) = delete;
  UpdateNotice& operator=(const UpdateNotice&) = delete;

  bool owns(HWND window) const { return window && (window == window_ || IsChild(window_, window)); }

 private:
  static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
  HWND main_;
  HWND window_ = nullptr;
};
