#pragma once

#include "control_factory.h"
#include "tooltips.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// One row of the window's design as the native window needs it.
struct FormControl {
  ControlDesign design;
  std::wstring tooltip;
  int helpTopic = 0;  // 0: none
  int tabIndex = -1;  // -1: takes no place in the tab order
};

// What the user does in the window, reported by the control's index in the
// rows the window was made from. Changes the program makes are not reported.
struct FormEvents {
  std::function<void(size_t control)> changed;   // text typed, box ticked, slider moved, button clicked
  std::function<void(size_t control, int helpTopic)> help;  // F1 on the focused control
  std::function<void(size_t item)> menu;         // a menu bar item chosen
  std::function<void()> closeRequested;          // the close box or Alt+F4
};

// The program's one window drawn with the system's own controls: fixed
// size, placed by the system, the default dialog font at the window's dpi,
// laid out again when the window moves to a screen of another dpi.
class FormWindow {
 public:
  FormWindow(const std::wstring& caption, int clientWidthTwips, int clientHeightTwips, std::vector<FormControl> rows,
             std::vector<std::wstring> menuItems, FormEvents events);
  ~FormWindow();
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  HWND handle() const { return window_; }
  HWND control(size_t index) const { return controls_.at(index); }
  UINT dpi() const { return dpi_; }

  void setText(size_t index, const std::wstring& text);
  std::wstring text(size_t index) const;
  void setChecked(size_t index, bool checked);
  bool checked(size_t index) const;
  void setSliderValue(size_t index, int value);
  int sliderValue(size_t index) const;
  void setVisible(size_t index, bool visible);
  void setTooltip(size_t index, const std::wstring& text);
  std::wstring tooltip(size_t index) const;

 private:
  static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
  LRESULT handle(UINT message, WPARAM w, LPARAM l);
  void createControls();
  void applyDpi(UINT dpi);
  size_t indexOf(HWND control) const;

  std::vector<FormControl> rows_;
  std::vector<HWND> controls_;
  FormEvents events_;
  HWND window_ = nullptr;
  HMENU menu_ = nullptr;
  HFONT font_ = nullptr;
  HICON bigIcon_ = nullptr, smallIcon_ = nullptr;
  HBRUSH background_ = nullptr;
  std::vector<HBITMAP> images_;
  std::unique_ptr<Tooltips> tips_;
  UINT dpi_ = 96;
  int clientWidth_, clientHeight_;
  bool programChange_ = false;
};
