#pragma once

#include "ui/frm_main_design.h"

#include <windows.h>

// Pixels for twips at the window's dots per inch (15 twips a pixel at 96).
int twipsToPixels(int twips, UINT dpi);

// The design's 0xRRGGBB as the system's colour value.
COLORREF colourOf(unsigned rgb);

// Creates the control of the design (any kind but a menu item) as a child
// with the id, at its design place at the scale. The slider is the common
// controls' track bar with the design's range and steps, a tick at every
// value, below the track and inside the control. Children are created in
// tab order, so the dialog keys move along it; labels never take the focus.
HWND createControl(HWND parent, const ControlDesign& design, int id, double pixelsPerTwip);

// Moves and sizes the control to its design place at the scale; a label
// may be wider than its design (widthPx > 0).
void placeControl(HWND control, const ControlDesign& design, double pixelsPerTwip, int widthPx = 0);
