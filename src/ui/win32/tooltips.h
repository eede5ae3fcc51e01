#pragma once

#include <windows.h>

#include <string>

// The common controls' tooltip control for the controls of one window.
class Tooltips {
 public:
  explicit Tooltips(HWND window);
  ~Tooltips();
  Tooltips(const Tooltips&) = delete;
  Tooltips& operator=(const Tooltips&) = delete;

  // Sets the control's tip; an empty text removes it.
  void set(HWND control, const std::wstring& text);
  std::wstring get(HWND control) const;
  HWND handle() const { return tips_; }

 private:
  HWND window_;
  HWND tips_ = nullptr;
};
