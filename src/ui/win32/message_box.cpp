#include "message_box.h"

void showMessageBox(HWND owner, const std::wstring& text, int style, const std::wstring& title) {
  // Only the button and icon bits: nothing stored may make the box system-modal or hidden.
  const UINT kept = UINT(style) & (MB_TYPEMASK | MB_ICONMASK);
  MessageBoxW(owner, text.c_str(), title.empty() ? kMessageBoxTitle : title.c_str(), kept | MB_SETFOREGROUND);
}
