#pragma once

#include "control_factory.h"
#include "ui/frm_main_design.h"
#include "tooltips.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// What the user does in the window, reported by the control's index in the
// rows the window was made from. Changes the program makes are not reported.
struct FormEvents {
  std::function<void(size_t control)> changed;  // text typed, box ticked, slider at rest, button clicked
  std::function<void(size_t control)> moving;   // the slider dragged, not yet at rest
  std::function<void(size_t control)> help;     // F1 on a control
  std::function<void(size_t item)> menu;         // a menu bar item chosen
  std::function<void()> closeRequested;          // the close box or Alt+F4
  std::function<void()> cancel;                  // Esc; nothing when not set
  std::function<void(size_t control)> focused;  // an edit box or a list took the focus
};

// The program's one window drawn with the system's own controls: fixed
// size, placed by the system, the default dialog font at the window's dpi,
// laid out again when the window moves to a screen of another dpi.
class FormWindow {
 public:
  // A window with an owner stays above it and goes with it; one without
  // menu items has no menu bar.
  FormWindow(const WindowDesign& window, std::vector<const ControlDesign*> rows, std::vector<std::wstring> menuItems,
             FormEvents events, HWND owner = nullptr);
  ~FormWindow();
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  HWND handle() const { return window_; }
  HWND control(size_t index) const { return controls_.at(index); }
  UINT dpi() const { return dpi_; }
  // Pixels per twip: the dpi's, grown for the whole window when the
  // default font does not fit the design (at most twice).
  double pixelsPerTwip() const { return pixelsPerTwip_; }
  int px(int twips) const { return int(twips * pixelsPerTwip_ + 0.5); }

  void setText(size_t index, const std::wstring& text);
  std::wstring text(size_t index) const;
  void setChecked(size_t index, bool checked);
  bool checked(size_t index) const;
  void setSliderValue(size_t index, int value);
  int sliderValue(size_t index) const;
  void setListIndex(size_t index, int item);  // -1: none
  int listIndex(size_t index) const;
  void setVisible(size_t index, bool visible);
  void setTooltip(size_t index, const std::wstring& text);
  std::wstring tooltip(size_t index) const;
  // The row of the control (or of the control a child belongs to), or -1.
  size_t indexOf(HWND control) const;
  // The label (a line the design lacks, below its client area) shows its
  // whole text, wrapped at the window's width: it is as tall as the text
  // while shown, and the window grows below the design by as much.
  void growWithText(size_t index);

 private:
  static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
  LRESULT handle(UINT message, WPARAM w, LPARAM l);
  void createControls();
  void applyDpi(UINT dpi);
  void fitLabel(size_t index);
  void fitGrownLine();
  void setExtraHeight(int pixels);
  double fitFactor() const;
  void resizeFrame();

  std::vector<const ControlDesign*> rows_;
  std::vector<HWND> controls_;
  FormEvents events_;
  HWND window_ = nullptr;
  HMENU menu_ = nullptr;  // null: no menu bar
  HFONT font_ = nullptr;
  HICON bigIcon_ = nullptr, smallIcon_ = nullptr;
  HBRUSH background_ = nullptr;
  std::vector<HBITMAP> images_;
  std::unique_ptr<Tooltips> tips_;
  UINT dpi_ = 96;
  double pixelsPerTwip_ = 96.0 / 1440;
  int clientWidth_, clientHeight_;  // twips
  int extraHeight_ = 0;              // pixels
  size_t grownLine_ = size_t(-1);
  bool programChange_ = false;
  HWND lastFocus_ = nullptr;
  bool dragging_ = false;  // the slider's thumb is held  // given back when the window is active again
};
