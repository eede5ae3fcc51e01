#include "test_windows.h"
// commctrl.h needs the types of windows.h first
#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

#include "form_window.h"

namespace {

enum Row : size_t { kPause, kContact, kDelay, kSlider, kDefault, kLogo };

// A few rows of the window's design, out of tab order, each kind once.
std::vector<const ControlDesign*> rows() {
  return {&designOf("cmdPause"),           &designOf("LabelWWW"),   &designOf("txtStartDelay"),
          &designOf("SliderBackupNumber"), &designOf("chkDefault"), &designOf("Image1")};
}

class Form : public ::testing::Test {
 protected:
  void SetUp() override {
    FormEvents events;
    events.changed = [this](size_t i) { log_.push_back("changed " + std::to_string(i)); };
    events.help = [this](size_t i) { log_.push_back("help " + std::to_string(i)); };
    events.menu = [this](size_t i) { log_.push_back("menu " + std::to_string(i)); };
    events.closeRequested = [this] { log_.push_back("close"); };
    form_ =
        std::make_unique<FormWindow>(frmMainWindow(), rows(), std::vector<std::wstring>{L"&Help", L"&About"}, events);
    ShowWindow(form_->handle(), SW_SHOW);
    SetForegroundWindow(form_->handle());
    settle(form_->handle());
  }
  // Focus on the row, then the keys; the row with the focus after.
  HWND press(Row row, std::vector<WORD> keys) {
    SetFocus(form_->control(row));
    for (WORD k : keys) pressKey(k);
    settle(form_->handle());
    return GetFocus();
  }
  std::unique_ptr<FormWindow> form_;
  std::vector<std::string> log_;
};

}  // namespace

// At the dpi's scale, grown for the whole window when the font is wider than the design's: every caption fits its box.
TEST_F(Form, ScaleIconAndLogo) {
  const double base = form_->dpi() / 1440.0;
  EXPECT_GE(form_->pixelsPerTwip(), base);
  EXPECT_LE(form_->pixelsPerTwip(), 2 * base);
  HWND box = form_->control(kDefault);
  RECT inside;
  GetClientRect(box, &inside);
  EXPECT_LE(textSize(box, L"Last Backup").cx + GetSystemMetricsForDpi(SM_CXMENUCHECK, form_->dpi()), inside.right);
  EXPECT_NE(SendMessageW(form_->handle(), WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(SendMessageW(form_->handle(), WM_GETICON, ICON_SMALL, 0), 0);
  EXPECT_NE(SendMessageW(form_->control(kLogo), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
}

TEST_F(Form, WhatTheUserDoesIsReportedAndWhatTheProgramDoesIsNot) {
  form_->setText(kDelay, L"25");
  form_->setChecked(kDefault, true);
  form_->setSliderValue(kSlider, 7);
  settle(form_->handle());
  EXPECT_TRUE(log_.empty());
  EXPECT_EQ(form_->text(kDelay), L"25");
  SetFocus(form_->control(kDelay));
  typeKeys(L"3");
  settle(form_->handle());
  press(kDefault, {VK_SPACE});
  press(kSlider, {VK_RIGHT});
  EXPECT_FALSE(form_->checked(kDefault));
  EXPECT_EQ(form_->sliderValue(kSlider), 8);
  press(kDelay, {VK_F1});
  press(kPause, {VK_F1});
  SendMessageW(form_->handle(), WM_COMMAND, 101, 0);  // the second menu item, as a click sends it
  SendMessageW(form_->handle(), WM_CLOSE, 0, 0);
  settle(form_->handle());
  EXPECT_EQ(log_,
            (std::vector<std::string>{"changed 2", "changed 4", "changed 3", "help 2", "help 0", "menu 1", "close"}));
  EXPECT_TRUE(IsWindow(form_->handle()));  // closing is the program's decision
}

TEST_F(Form, TabFollowsTheTabIndexesNotTheRowOrder) {
  Row at = kPause;
  for (Row next : {kDefault, kSlider, kDelay, kPause}) {
    EXPECT_EQ(press(at, {VK_TAB}), form_->control(next)) << "from row " << at;
    at = next;
  }
}

// The track bar runs from 1 to 20 in steps of 1 and 5, with a tick drawn below it at every value.
TEST_F(Form, TheSliderRunsFrom1To20InSteps1And5WithATickAtEveryValue) {
  HWND slider = form_->control(kSlider);
  EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMIN, 0, 0), 1);
  EXPECT_EQ(SendMessageW(slider, TBM_GETRANGEMAX, 0, 0), 20);
  const std::pair<std::vector<WORD>, int> steps[] = {
      {{VK_NEXT}, 6}, {{VK_RIGHT}, 7}, {{VK_END, VK_RIGHT}, 20}, {{VK_HOME, VK_LEFT}, 1}};
  for (const auto& [keys, position] : steps) {
    press(kSlider, keys);
    EXPECT_EQ(SendMessageW(slider, TBM_GETPOS, 0, 0), position);
  }
  EXPECT_EQ(SendMessageW(slider, TBM_GETNUMTICS, 0, 0), 20);
}

TEST_F(Form, TooltipsAreSetReplacedAndRemoved) {
  form_->setTooltip(kPause, L"Resets and pauses the timer");
  form_->setTooltip(kDelay, L"Delay");
  form_->setTooltip(kPause, L"Job  3");
  EXPECT_EQ(tooltipOf(form_->handle(), form_->control(kPause)), L"Job  3");
  EXPECT_EQ(tooltipOf(form_->handle(), form_->control(kDelay)), L"Delay");
  form_->setTooltip(kPause, L"");
  EXPECT_EQ(tooltipOf(form_->handle(), form_->control(kPause)), L"");
}
