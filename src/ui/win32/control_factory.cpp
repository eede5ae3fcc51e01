#include "control_factory.h"

#include "win32_text.h"

#include <commctrl.h>

#include <algorithm>

namespace {

struct NativeKind {
  const wchar_t* windowClass;
  DWORD style;
};

NativeKind nativeKind(const ControlDesign& d) {
  switch (d.kind) {
    case ControlKind::Label: {
      const DWORD align = d.alignment == Alignment::Centre  ? SS_CENTER
                          : d.alignment == Alignment::Right ? SS_RIGHT
                                                            : SS_LEFT;
      // SS_NOTIFY: the tooltip control needs the label's mouse messages.
      return {L"STATIC", align | SS_NOTIFY | SS_NOPREFIX | (d.wordWrap ? 0 : SS_ENDELLIPSIS)};
    }
    case ControlKind::TextBox: {
      const DWORD align = d.alignment == Alignment::Centre  ? ES_CENTER
                          : d.alignment == Alignment::Right ? ES_RIGHT
                                                            : ES_LEFT;
      return {L"EDIT", align | ES_AUTOHSCROLL | WS_TABSTOP};
    }
    case ControlKind::CheckBox: return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP};
    case ControlKind::CommandButton: return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};
    case ControlKind::Slider:
      return {TRACKBAR_CLASSW, TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS | TBS_FIXEDLENGTH | WS_TABSTOP};
    case ControlKind::Image: return {L"STATIC", SS_BITMAP | SS_CENTERIMAGE | SS_NOTIFY};
    case ControlKind::ComboBox: return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP};
    case ControlKind::MenuItem: break;
  }
  return {L"STATIC", SS_LEFT};
}

// The track bar draws its thumb 2 px below its top and the ticks 2 px below
// the thumb, 3 px long (4 at the ends). Its usual 21 px thumb (at 96 dpi)
// leaves them outside a control of the design's 25 px, so none show: the
// thumb is made as long as the ticks leave room for.
void fitSliderThumb(HWND slider, int heightPx, double pixelsPerTwip) {
  constexpr int kTickRoomPx = 2 + 2 + 4;
  const int usual = int(21 * pixelsPerTwip * kTwipsPerInch / 96 + 0.5);
  SendMessageW(slider, TBM_SETTHUMBLENGTH, std::max(4, std::min(usual, heightPx - kTickRoomPx)), 0);
}

int scaled(int twips, double pixelsPerTwip) { return int(twips * pixelsPerTwip + 0.5); }

// A drop-down list's window reaches down over its open list: room for
// every item below the field.
int windowHeight(const ControlDesign& d, double pixelsPerTwip) {
  const int field = scaled(d.height, pixelsPerTwip);
  return d.kind == ControlKind::ComboBox ? field * int(d.items.size() + 2) : field;
}

}  // namespace

int twipsToPixels(int twips, UINT dpi) { return MulDiv(twips, int(dpi), kTwipsPerInch); }

COLORREF colourOf(unsigned rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

HWND createControl(HWND parent, const ControlDesign& d, int id, double pixelsPerTwip) {
  const NativeKind native = nativeKind(d);
  const DWORD exStyle = d.kind == ControlKind::TextBox ? WS_EX_CLIENTEDGE : 0;
  const DWORD style = WS_CHILD | native.style | (d.visible ? WS_VISIBLE : 0);
  const std::wstring text = d.kind == ControlKind::Image ? std::wstring() : toWide(d.caption);
  HWND control = CreateWindowExW(exStyle, native.windowClass, text.c_str(), style, scaled(d.left, pixelsPerTwip),
                                 scaled(d.top, pixelsPerTwip), scaled(d.width, pixelsPerTwip),
                                 windowHeight(d, pixelsPerTwip), parent, reinterpret_cast<HMENU>(INT_PTR(id)),
                                 GetModuleHandleW(nullptr), nullptr);
  if (control && d.kind == ControlKind::Slider) {
    SendMessageW(control, TBM_SETRANGE, FALSE, MAKELPARAM(d.sliderMin, d.sliderMax));
    SendMessageW(control, TBM_SETLINESIZE, 0, d.sliderSmallStep);
    SendMessageW(control, TBM_SETPAGESIZE, 0, d.sliderPageStep);
    SendMessageW(control, TBM_SETTICFREQ, 1, 0);
    SendMessageW(control, TBM_SETPOS, TRUE, d.sliderMin);
    fitSliderThumb(control, scaled(d.height, pixelsPerTwip), pixelsPerTwip);
  }
  if (control && d.kind == ControlKind::ComboBox)
    for (const std::string& item : d.items) SendMessageW(control, CB_ADDSTRING, 0, LPARAM(toWide(item).c_str()));
  return control;
}

void placeControl(HWND control, const ControlDesign& d, double pixelsPerTwip, int widthPx) {
  SetWindowPos(control, nullptr, scaled(d.left, pixelsPerTwip), scaled(d.top, pixelsPerTwip),
               widthPx > 0 ? widthPx : scaled(d.width, pixelsPerTwip), windowHeight(d, pixelsPerTwip),
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (d.kind == ControlKind::Slider) fitSliderThumb(control, scaled(d.height, pixelsPerTwip), pixelsPerTwip);
}
