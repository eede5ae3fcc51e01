#include "form_window.h"

#include "artwork.h"
#include "win32_text.h"

#include <commctrl.h>

#include <algorithm>
#include <numeric>

namespace {

const wchar_t kClass[] = L"TalvorStartForm";
constexpr int kFirstControlId = 1000;
constexpr int kFirstMenuId = 100;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

HFONT dialogFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
  return CreateFontIndirectW(&metrics.lfMessageFont);
}

}  // namespace

FormWindow::FormWindow(const WindowDesign& window, std::vector<const ControlDesign*> rows,
                       std::vector<std::wstring> menuItems, FormEvents events, HWND owner)
    : rows_(std::move(rows)), events_(std::move(events)), clientWidth_(window.clientWidth),
      clientHeight_(window.clientHeight) {
  static const ATOM registered = [] {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&init);
    WNDCLASSW c{};
    c.lpfnWndProc = procedure;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    c.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    c.lpszClassName = kClass;
    return RegisterClassW(&c);
  }();
  (void)registered;
  if (!menuItems.empty()) menu_ = CreateMenu();
  for (size_t i = 0; i < menuItems.size(); ++i)
    AppendMenuW(menu_, MF_STRING, UINT_PTR(kFirstMenuId + i), menuItems[i].c_str());
  // Made at the primary screen's dpi, then sized for the screen it lands on.
  dpi_ = GetDpiForSystem();
  RECT frame{0, 0, twipsToPixels(clientWidth_, dpi_), twipsToPixels(clientHeight_, dpi_)};
  AdjustWindowRectExForDpi(&frame, kStyle, menu_ != nullptr, kExStyle, dpi_);
  window_ = CreateWindowExW(kExStyle, kClass, toWide(window.caption).c_str(), kStyle, CW_USEDEFAULT,
                            CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, owner, menu_,
                            GetModuleHandleW(nullptr), this);
  if (!window_) return;
  tips_ = std::make_unique<Tooltips>(window_);
  applyDpi(GetDpiForWindow(window_));
}

FormWindow::~FormWindow() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  if (font_) DeleteObject(font_);
  for (HBITMAP b : images_) DeleteObject(b);
  if (bigIcon_) DestroyIcon(bigIcon_);
  if (smallIcon_) DestroyIcon(smallIcon_);
}

void FormWindow::createControls() {
  // Creation order is the tab order; controls without a tab index come last.
  std::vector<size_t> order(rows_.size());
  std::iota(order.begin(), order.end(), size_t(0));
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    const int ta = rows_[a]->tabIndex < 0 ? 1 << 30 : rows_[a]->tabIndex;
    const int tb = rows_[b]->tabIndex < 0 ? 1 << 30 : rows_[b]->tabIndex;
    return ta < tb;
  });
  controls_.assign(rows_.size(), nullptr);
  for (size_t i : order) {
    controls_[i] = createControl(window_, *rows_[i], int(kFirstControlId + i), pixelsPerTwip_);
    if (!rows_[i]->tooltip.empty()) tips_->set(controls_[i], toWide(rows_[i]->tooltip));
  }
}

// How much the design must grow so that the default font fits in it.
double FormWindow::fitFactor() const {
  const double base = double(dpi_) / kTwipsPerInch;
  HDC dc = GetDC(window_);
  HGDIOBJ old = SelectObject(dc, font_);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  double factor = 1.0;
  for (const ControlDesign* d : rows_) {
    const std::wstring caption = toWide(d->caption);
    SIZE extent{};
    GetTextExtentPoint32W(dc, caption.c_str(), int(caption.size()), &extent);
    const double w = d->width * base, h = d->height * base;
    if (w <= 0 || h <= 0) continue;
    if (d->kind == ControlKind::Label && !d->wordWrap) factor = std::max(factor, (extent.cx + 2) / w);
    if (d->kind == ControlKind::CheckBox)
      factor = std::max(factor, (extent.cx + GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi_) + 6) / w);
    if (d->kind == ControlKind::CommandButton) factor = std::max(factor, (extent.cx + 8) / w);
    if (d->kind == ControlKind::Label || d->kind == ControlKind::TextBox || d->kind == ControlKind::CheckBox)
      factor = std::max(factor, metrics.tmHeight / h);
  }
  SelectObject(dc, old);
  ReleaseDC(window_, dc);
  return std::min(factor, 2.0);
}

void FormWindow::applyDpi(UINT dpi) {
  dpi_ = dpi;
  HFONT old = font_;
  font_ = dialogFont(dpi);
  pixelsPerTwip_ = double(dpi) / kTwipsPerInch;
  pixelsPerTwip_ *= fitFactor();
  // The first time the controls are made here, once each, at their place:
  // under Wine every move of a control is a trip to the server.
  const bool made = !controls_.empty();
  if (!made) createControls();
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (made) placeControl(controls_[i], *rows_[i], pixelsPerTwip_);
    SendMessageW(controls_[i], WM_SETFONT, WPARAM(font_), made);
    fitLabel(i);
    if (rows_[i]->kind == ControlKind::Image) {
      HBITMAP logo = createLogoBitmap(px(rows_[i]->width), px(rows_[i]->height), GetSysColor(COLOR_BTNFACE));
      HBITMAP previous = HBITMAP(SendMessageW(controls_[i], STM_SETIMAGE, IMAGE_BITMAP, LPARAM(logo)));
      images_.push_back(logo);
      if (previous && std::find(images_.begin(), images_.end(), previous) == images_.end()) DeleteObject(previous);
    }
  }
  if (old) DeleteObject(old);
  HICON big = loadPadlockIcon(true, dpi), small = loadPadlockIcon(false, dpi);
  SendMessageW(window_, WM_SETICON, ICON_BIG, LPARAM(big));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, LPARAM(small));
  if (bigIcon_) DestroyIcon(bigIcon_);
  if (smallIcon_) DestroyIcon(smallIcon_);
  bigIcon_ = big;
  smallIcon_ = small;
  resizeFrame();
}

void FormWindow::resizeFrame() {
  RECT frame{0, 0, px(clientWidth_), px(clientHeight_) + extraHeight_};
  AdjustWindowRectExForDpi(&frame, kStyle, menu_ != nullptr, kExStyle, dpi_);
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::setExtraHeight(int pixels) {
  if (pixels == extraHeight_) return;
  extraHeight_ = pixels;
  resizeFrame();
}

void FormWindow::growWithText(size_t index) {
  grownLine_ = index;
  fitGrownLine();
}

void FormWindow::fitGrownLine() {
  if (grownLine_ >= controls_.size() || !font_) return;
  HWND line = controls_[grownLine_];
  const int margin = MulDiv(4, int(dpi_), 96);
  const std::wstring shown = text(grownLine_);
  RECT wrapped{0, 0, px(clientWidth_) - 2 * margin, 0};
  HDC dc = GetDC(line);
  HGDIOBJ old = SelectObject(dc, font_);
  // As the static control wraps it.
  DrawTextW(dc, shown.c_str(), int(shown.size()), &wrapped, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(line, dc);
  const bool visible = GetWindowLongW(line, GWL_STYLE) & WS_VISIBLE;
  const int height = visible && !shown.empty() ? int(wrapped.bottom - wrapped.top) : 0;
  SetWindowPos(line, nullptr, margin, px(rows_[grownLine_]->top) + margin, px(clientWidth_) - 2 * margin, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  setExtraHeight(height ? height + 2 * margin : 0);
}

// A label keeps its design place; a text longer than its design width (a
// count-down of three digits) widens it to the right, within the window.
void FormWindow::fitLabel(size_t index) {
  if (index == grownLine_) return fitGrownLine();
  const ControlDesign& d = *rows_[index];
  if (d.kind != ControlKind::Label || d.wordWrap || !font_) return;
  const std::wstring shown = text(index);
  HDC dc = GetDC(controls_[index]);
  HGDIOBJ old = SelectObject(dc, font_);
  SIZE extent{};
  GetTextExtentPoint32W(dc, shown.c_str(), int(shown.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(controls_[index], dc);
  const int width = std::max(px(d.width), std::min(int(extent.cx) + 2, px(clientWidth_) - px(d.left)));
  placeControl(controls_[index], d, pixelsPerTwip_, width);
}

size_t FormWindow::indexOf(HWND control) const {
  for (size_t i = 0; i < controls_.size(); ++i)
    if (controls_[i] == control || (control && IsChild(controls_[i], control))) return i;
  return size_t(-1);
}

void FormWindow::setText(size_t index, const std::wstring& text) {
  if (text == this->text(index)) return;
  programChange_ = true;
  SetWindowTextW(controls_.at(index), text.c_str());
  programChange_ = false;
  fitLabel(index);
}

std::wstring FormWindow::text(size_t index) const {
  HWND c = controls_.at(index);
  std::vector<wchar_t> buffer(size_t(GetWindowTextLengthW(c)) + 1);
  const int n = GetWindowTextW(c, buffer.data(), int(buffer.size()));
  return std::wstring(buffer.data(), size_t(n > 0 ? n : 0));
}

void FormWindow::setChecked(size_t index, bool checked) {
  SendMessageW(controls_.at(index), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool FormWindow::checked(size_t index) const {
  return SendMessageW(controls_.at(index), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void FormWindow::setSliderValue(size_t index, int value) {
  SendMessageW(controls_.at(index), TBM_SETPOS, TRUE, value);  // sends no notification
}

int FormWindow::sliderValue(size_t index) const {
  return int(SendMessageW(controls_.at(index), TBM_GETPOS, 0, 0));
}

void FormWindow::setListIndex(size_t index, int item) {
  SendMessageW(controls_.at(index), CB_SETCURSEL, WPARAM(item), 0);  // sends no notification
}

int FormWindow::listIndex(size_t index) const { return int(SendMessageW(controls_.at(index), CB_GETCURSEL, 0, 0)); }

void FormWindow::setVisible(size_t index, bool visible) {
  // The control's own flag: while the window is hidden, IsWindowVisible
  // says false for every control.
  if (bool(GetWindowLongW(controls_.at(index), GWL_STYLE) & WS_VISIBLE) == visible) return;
  ShowWindow(controls_.at(index), visible ? SW_SHOWNA : SW_HIDE);
  if (index == grownLine_) fitGrownLine();
}

void FormWindow::setTooltip(size_t index, const std::wstring& text) { tips_->set(controls_.at(index), text); }

std::wstring FormWindow::tooltip(size_t index) const { return tips_->get(controls_.at(index)); }

LRESULT CALLBACK FormWindow::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self || self->controls_.empty()) return DefWindowProcW(window, message, w, l);
  return self->handle(message, w, l);
}

LRESULT FormWindow::handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(w);
      if (!l && id >= kFirstMenuId && id < kFirstControlId) {
        if (events_.menu) events_.menu(size_t(id - kFirstMenuId));
        return 0;
      }
      if (!l && id == IDCANCEL) {  // Esc, from the dialog keys
        if (events_.cancel) events_.cancel();
        return 0;
      }
      const size_t index = indexOf(HWND(l));
      if (index == size_t(-1)) return 0;
      const int code = HIWORD(w);
      const bool list = rows_[index]->kind == ControlKind::ComboBox;
      if ((list ? code == CBN_SETFOCUS : code == EN_SETFOCUS) && events_.focused) events_.focused(index);
      if (programChange_) return 0;
      const bool change = list ? code == CBN_SELCHANGE : (code == EN_CHANGE || code == BN_CLICKED);
      if (change && events_.changed) events_.changed(index);
      return 0;
    }
    case WM_HSCROLL: {
      const size_t index = indexOf(HWND(l));
      if (index == size_t(-1)) return 0;
      // The handler runs once the slider comes to rest: while dragging, at
      // the release; a key or a click on the track moves it at once. The
      // end of a move that was reported already is not reported again.
      const int code = LOWORD(w);
      if (code == TB_THUMBTRACK) {
        dragging_ = true;
        if (events_.moving) events_.moving(index);
      } else if (code != TB_ENDTRACK || dragging_) {
        dragging_ = false;
        if (events_.changed) events_.changed(index);
      }
      return 0;
    }
    case WM_HELP: {
      const auto* info = reinterpret_cast<HELPINFO*>(l);
      const size_t index = info->iContextType == HELPINFO_WINDOW ? indexOf(HWND(info->hItemHandle)) : size_t(-1);
      if (events_.help) events_.help(index);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC: {
      const size_t index = indexOf(HWND(l));
      if (index != size_t(-1) && rows_[index]->textColour != 0) {
        HDC dc = HDC(w);
        SetTextColor(dc, colourOf(rows_[index]->textColour));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return LRESULT(GetSysColorBrush(COLOR_BTNFACE));
      }
      break;
    }
    case WM_DPICHANGED: {
      applyDpi(HIWORD(w));
      const RECT* suggested = reinterpret_cast<RECT*>(l);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_ACTIVATE:
      // A window of controls keeps its focused control across activations
      // itself; the first time, the first control of the tab order has it.
      if (LOWORD(w) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) lastFocus_ = focus;
      } else {
        if (!lastFocus_ || !IsWindowVisible(lastFocus_)) lastFocus_ = GetNextDlgTabItem(window_, nullptr, FALSE);
        if (lastFocus_) SetFocus(lastFocus_);
      }
      return 0;
    case WM_CLOSE:
      if (events_.closeRequested) events_.closeRequested();
      return 0;
  }
  return DefWindowProcW(window_, message, w, l);
}
