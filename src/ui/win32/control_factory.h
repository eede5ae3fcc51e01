#pragma once

#include <windows.h>

#include <string>

// One control of the window's design as the native view creates it: the
// kind, the texts, the place in twips (1440 to the inch, from the top-left
// of the client area) and the tab index.
enum class ControlKind { Label, TextBox, CheckBox, CommandButton, Slider, Image };
enum class TextAlignment { Left, Centre, Right };

struct ControlDesign {
  ControlKind kind = ControlKind::Label;
  std::wstring text;
  int left = 0, top = 0, width = 0, height = 0;  // twips
  TextAlignment alignment = TextAlignment::Left;
  bool visible = true;
  bool wraps = false;  // a label whose text wraps within its box
  COLORREF textColour = CLR_INVALID;  // the system's own when invalid
};

// Pixels for twips at the window's dots per inch (15 twips a pixel at 96).
int twipsToPixels(int twips, UINT dpi);

// Creates the control as a child with the id, at its design place for the
// dpi, in the font. The slider is the common controls' track bar: 1 to 20,
// page 5, a tick at every value, below the track. Children are created in
// tab order, so the dialog keys move along it; labels never take the focus.
HWND createControl(HWND parent, const ControlDesign& design, int id, UINT dpi, HFONT font);

// Moves and sizes the control to its design place for a new dpi.
void placeControl(HWND control, const ControlDesign& design, UINT dpi);
