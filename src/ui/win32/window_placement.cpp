#include "window_placement.h"

#include <algorithm>

void centreOverOwner(HWND dialog) {
  HWND owner = GetWindow(dialog, GW_OWNER);
  HMONITOR monitor = MonitorFromWindow(owner ? owner : dialog, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  RECT area = info.rcWork;
  RECT over = area;
  if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &over);
  RECT box;
  GetWindowRect(dialog, &box);
  const LONG w = box.right - box.left, h = box.bottom - box.top;
  LONG x = over.left + (over.right - over.left - w) / 2;
  LONG y = over.top + (over.bottom - over.top - h) / 2;
  x = std::max(area.left, std::min(x, area.right - w));
  y = std::max(area.top, std::min(y, area.bottom - h));
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
