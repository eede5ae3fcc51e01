#include "tooltips.h"

#include <commctrl.h>

namespace {

TTTOOLINFOW toolFor(HWND window, HWND control, const wchar_t* text) {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<wchar_t*>(text);
  return tool;
}

}  // namespace

Tooltips::Tooltips(HWND window) : window_(window) {
  tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  // Long tips wrap instead of running off the screen.
  if (tips_) SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, 400);
}

Tooltips::~Tooltips() {
  if (tips_ && IsWindow(tips_)) DestroyWindow(tips_);
}

void Tooltips::set(HWND control, const std::wstring& text) {
  if (!tips_) return;
  // Asked without a text buffer: the answer would be copied into it.
  TTTOOLINFOW probe = toolFor(window_, control, nullptr);
  const bool known = SendMessageW(tips_, TTM_GETTOOLINFOW, 0, LPARAM(&probe)) != 0;
  TTTOOLINFOW tool = toolFor(window_, control, text.c_str());
  if (text.empty()) {
    if (known) SendMessageW(tips_, TTM_DELTOOLW, 0, LPARAM(&tool));
  } else if (known) {
    SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, LPARAM(&tool));
  } else {
    SendMessageW(tips_, TTM_ADDTOOLW, 0, LPARAM(&tool));
  }
}

std::wstring Tooltips::get(HWND control) const {
  if (!tips_) return {};
  wchar_t buffer[1024] = L"";
  TTTOOLINFOW tool = toolFor(window_, control, buffer);
  if (!SendMessageW(tips_, TTM_GETTOOLINFOW, 0, LPARAM(&tool))) return {};
  tool.lpszText = buffer;
  // TTM_GETTEXTW has no size: the buffer is bigger than any tip of the window.
  SendMessageW(tips_, TTM_GETTEXTW, WPARAM(1024), LPARAM(&tool));
  return buffer;
}
