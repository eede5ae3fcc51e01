#pragma once

#include <windows.h>

// The product logo (a play arrow over a disk, as in the Linux window),
// drawn for the box's size on the given background, which stands in for
// the picture's transparent colour.
HBITMAP createLogoBitmap(int width, int height, COLORREF background);

// The padlock from the program's resources at the size the system wants
// for the dpi: big for the task switcher, small for the title bar.
HICON loadPadlockIcon(bool big, UINT dpi);
