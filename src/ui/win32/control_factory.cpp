#include "control_factory.h"

#include <commctrl.h>

namespace {

struct NativeKind {
  const wchar_t* windowClass;
  DWORD style;
};

NativeKind nativeKind(const ControlDesign& d) {
  switch (d.kind) {
    case ControlKind::Label: {
      DWORD align = d.alignment == TextAlignment::Centre  ? SS_CENTER
                    : d.alignment == TextAlignment::Right ? SS_RIGHT
                                                          : SS_LEFT;
      // SS_NOTIFY: the tooltip control needs the label's mouse messages.
      return {L"STATIC", align | SS_NOTIFY | SS_NOPREFIX | (d.wraps ? 0 : SS_ENDELLIPSIS)};
    }
    case ControlKind::TextBox: {
      DWORD align = d.alignment == TextAlignment::Centre  ? ES_CENTER
                    : d.alignment == TextAlignment::Right ? ES_RIGHT
                                                          : ES_LEFT;
      return {L"EDIT", align | ES_AUTOHSCROLL | WS_TABSTOP};
    }
    case ControlKind::CheckBox: return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP};
    case ControlKind::CommandButton: return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};
    case ControlKind::Slider: return {TRACKBAR_CLASSW, TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS | WS_TABSTOP};
    case ControlKind::Image: return {L"STATIC", SS_BITMAP | SS_CENTERIMAGE | SS_NOTIFY};
  }
  return {L"STATIC", SS_LEFT};
}

}  // namespace

int twipsToPixels(int twips, UINT dpi) { return MulDiv(twips, int(dpi), 1440); }

HWND createControl(HWND parent, const ControlDesign& d, int id, UINT dpi, HFONT font) {
  const NativeKind native = nativeKind(d);
  const DWORD exStyle = d.kind == ControlKind::TextBox ? WS_EX_CLIENTEDGE : 0;
  const DWORD style = WS_CHILD | native.style | (d.visible ? WS_VISIBLE : 0);
  HWND control = CreateWindowExW(exStyle, native.windowClass, d.kind == ControlKind::Image ? L"" : d.text.c_str(),
                                 style, twipsToPixels(d.left, dpi), twipsToPixels(d.top, dpi),
                                 twipsToPixels(d.width, dpi), twipsToPixels(d.height, dpi), parent,
                                 reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
  if (!control) return nullptr;
  SendMessageW(control, WM_SETFONT, WPARAM(font), FALSE);
  if (d.kind == ControlKind::Slider) {
    SendMessageW(control, TBM_SETRANGE, FALSE, MAKELPARAM(1, 20));
    SendMessageW(control, TBM_SETLINESIZE, 0, 1);
    SendMessageW(control, TBM_SETPAGESIZE, 0, 5);
    SendMessageW(control, TBM_SETTICFREQ, 1, 0);
    SendMessageW(control, TBM_SETPOS, TRUE, 1);
  }
  return control;
}

void placeControl(HWND control, const ControlDesign& d, UINT dpi) {
  SetWindowPos(control, nullptr, twipsToPixels(d.left, dpi), twipsToPixels(d.top, dpi), twipsToPixels(d.width, dpi),
               twipsToPixels(d.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}
