#include <windows.h>
// commctrl.h needs the types of windows.h first
#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "control_factory.h"
#include "dialog_driver.h"
#include "event_pump.h"
#include "tooltips.h"

namespace {

// A few rows of the window's design, each kind once; the weekday box is hidden in the design.
const ControlDesign& kPause = designOf("cmdPause");
const ControlDesign& kDelayLabel = designOf("Label6");
const ControlDesign& kDelay = designOf("txtStartDelay");
const ControlDesign& kSlider = designOf("SliderBackupNumber");
const ControlDesign& kMonday = designOf("chkMonday");
const ControlDesign& kOnceOnly = designOf("chkOnceOnly");

class Controls : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&init);
    window_ =
        CreateWindowExW(WS_EX_CONTROLPARENT, L"STATIC", L"Talvor Start controls", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                        100, 400, 340, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    font_ = HFONT(GetStockObject(DEFAULT_GUI_FONT));
    int id = 1;
    for (const ControlDesign* d : {&kPause, &kDelayLabel, &kDelay, &kSlider, &kMonday, &kOnceOnly}) {
      controls_.push_back(createControl(window_, *d, id++, 96.0 / kTwipsPerInch));
      SendMessageW(controls_.back(), WM_SETFONT, WPARAM(font_), FALSE);
    }
    SetForegroundWindow(window_);
    SetFocus(controls_[0]);
    settle();
  }
  void TearDown() override { DestroyWindow(window_); }
  void settle() {
    for (int i = 0; i < 10; ++i) {
      pumpEvents(window_);
      waitForEvent(10);
    }
  }
  RECT placeInClient(HWND control) const {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  std::vector<HWND> controls_;
};

}  // namespace

// The slider of the design (120, 2040, 4932 x 372 twips) at 96 and 144 dpi.
TEST_F(Controls, TwipsBecomePixelsAtTheWindowsDpi) {
  const RECT slider = placeInClient(controls_[3]);
  EXPECT_EQ(slider.left, 8);
  EXPECT_EQ(slider.top, 136);
  EXPECT_EQ(slider.right - slider.left, 329);
  EXPECT_EQ(slider.bottom - slider.top, 25);
  placeControl(controls_[3], kSlider, 144.0 / 1440);
  const RECT larger = placeInClient(controls_[3]);
  EXPECT_EQ(larger.left, 12);
  EXPECT_EQ(larger.top, 204);
  EXPECT_EQ(larger.right - larger.left, 493);
}

TEST_F(Controls, TheSliderRunsFrom1To20InSteps1And5WithATickAtEveryValue) {
  HWND slider = controls_[3];
  EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMIN, 0, 0), 1);
  EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMAX, 0, 0), 20);
  EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 1);
  EXPECT_EQ(SendMessageW(slider, TBM_GETNUMTICS, 0, 0), 20);
  EXPECT_EQ(GetWindowLongW(slider, GWL_STYLE) & (TBS_VERT | TBS_TOP | TBS_BOTH | TBS_NOTICKS), 0);  // ticks below
  SetFocus(slider);
  pressKey(VK_NEXT);  // Page Down moves on by the page
  settle();
  EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 6);
  pressKey(VK_RIGHT);
  settle();
  EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 7);
  pressKey(VK_END);
  pressKey(VK_RIGHT);
  settle();
  EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 20);
  pressKey(VK_HOME);
  pressKey(VK_LEFT);
  settle();
  EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), 1);
}

namespace {

// The columns below the thumb where the slider draws something other than
// its background: the ticks, as the control itself paints them.
std::vector<int> tickColumns(HWND slider) {
  RECT client, thumb;
  GetClientRect(slider, &client);
  SendMessageW(slider, TBM_GETTHUMBRECT, 0, LPARAM(&thumb));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = client.right;
  info.bmiHeader.biHeight = -client.bottom;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageW(slider, WM_PRINTCLIENT, WPARAM(dc), PRF_CLIENT | PRF_ERASEBKGND);
  GdiFlush();
  const auto* pixels = static_cast<const DWORD*>(bits);
  const DWORD background = pixels[(client.bottom - 1) * client.right];
  std::vector<int> columns;
  for (int x = 0; x < client.right; ++x)
    for (int y = thumb.bottom; y < client.bottom; ++y)
      if ((pixels[y * client.right + x] & 0xFFFFFF) != (background & 0xFFFFFF)) {
        if (columns.empty() || columns.back() != x - 1) columns.push_back(x);
        break;
      }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return columns;
}

}  // namespace

TEST_F(Controls, TheSlidersTicksAreDrawnBelowItAtItsDesignSizeAndLarger) {
  HWND slider = controls_[3];
  SendMessageW(slider, TBM_SETPOS, TRUE, 10);  // the thumb off the end ticks
  EXPECT_EQ(tickColumns(slider).size(), 20u) << "at " << 96 << " dpi";
  placeControl(slider, kSlider, 144.0 / 1440);
  settle();
  EXPECT_EQ(tickColumns(slider).size(), 20u) << "at " << 144 << " dpi";
}

TEST_F(Controls, TooltipsAreSetReplacedAndRemoved) {
  Tooltips tips(window_);
  tips.set(controls_[0], L"Resets and pauses the timer");
  tips.set(controls_[1], L"Contact details");
  EXPECT_EQ(tips.get(controls_[0]), L"Resets and pauses the timer");
  EXPECT_EQ(tips.get(controls_[1]), L"Contact details");
  tips.set(controls_[0], L"Job  3");
  EXPECT_EQ(tips.get(controls_[0]), L"Job  3");
  EXPECT_EQ(SendMessageW(tips.handle(), TTM_GETTOOLCOUNT, 0, 0), 2);
  tips.set(controls_[0], L"");
  EXPECT_EQ(tips.get(controls_[0]), L"");
  EXPECT_EQ(SendMessageW(tips.handle(), TTM_GETTOOLCOUNT, 0, 0), 1);
}
