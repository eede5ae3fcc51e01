#include "artwork.h"

#include <algorithm>

HBITMAP createLogoBitmap(int width, int height, COLORREF background) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  RECT all{0, 0, width, height};
  HBRUSH fill = CreateSolidBrush(background);
  FillRect(dc, &all, fill);
  DeleteObject(fill);
  // On the picture's own 49 by 47 grid, scaled to the box.
  auto x = [&](double v) { return int(v * width / 49.0 + 0.5); };
  auto y = [&](double v) { return int(v * height / 47.0 + 0.5); };
  HPEN outline = CreatePen(PS_SOLID, std::max(1, x(2)), RGB(0, 0, 160));
  HBRUSH disk = CreateSolidBrush(RGB(220, 230, 255));
  HGDIOBJ oldPen = SelectObject(dc, outline);
  HGDIOBJ oldBrush = SelectObject(dc, disk);
  Ellipse(dc, x(2), y(2), x(47), y(45));
  HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
  SelectObject(dc, green);
  SelectObject(dc, GetStockObject(NULL_PEN));
  const POINT arrow[] = {{x(19), y(13)}, {x(35), y(23.5)}, {x(19), y(34)}};
  Polygon(dc, arrow, 3);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldBitmap);
  DeleteObject(outline);
  DeleteObject(disk);
  DeleteObject(green);
  DeleteDC(dc);
  return bitmap;
}

HICON loadPadlockIcon(bool big, UINT dpi) {
  const int size = GetSystemMetricsForDpi(big ? SM_CXICON : SM_CXSMICON, dpi);
  return HICON(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}
