#include <windows.h>
// commctrl.h needs the types of windows.h first
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_driver.h"
#include "event_pump.h"
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
    settle();
  }
  void settle() {
    for (int i = 0; i < 15; ++i) {
      pumpEvents(form_->handle());
      waitForEvent(10);
    }
  }
  std::unique_ptr<FormWindow> form_;
  std::vector<std::string> log_;
};

}  // namespace

TEST_F(Form, ScaleIconAndLogo) {
  RECT client;
  GetClientRect(form_->handle(), &client);
  // At the dpi's scale, grown for the whole window when the font is wider than the design's.
  const double base = form_->dpi() / 1440.0;
  EXPECT_GE(form_->pixelsPerTwip(), base);
  EXPECT_LE(form_->pixelsPerTwip(), 2 * base);
  EXPECT_NEAR(client.bottom, client.right * 4080.0 / 5136, 1);
  // Every caption fits its box at that scale.
  HDC dc = GetDC(form_->control(kDefault));
  HGDIOBJ old = SelectObject(dc, HFONT(SendMessageW(form_->control(kDefault), WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(dc, L"Last Backup", 11, &extent);
  SelectObject(dc, old);
  ReleaseDC(form_->control(kDefault), dc);
  RECT box;
  GetClientRect(form_->control(kDefault), &box);
  EXPECT_LE(extent.cx + GetSystemMetricsForDpi(SM_CXMENUCHECK, form_->dpi()), box.right);
  EXPECT_NE(SendMessageW(form_->handle(), WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(SendMessageW(form_->handle(), WM_GETICON, ICON_SMALL, 0), 0);
  EXPECT_NE(SendMessageW(form_->control(kLogo), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
}

TEST_F(Form, WhatTheUserDoesIsReportedAndWhatTheProgramDoesIsNot) {
  form_->setText(kDelay, L"25");
  form_->setChecked(kDefault, true);
  form_->setSliderValue(kSlider, 7);
  settle();
  EXPECT_TRUE(log_.empty());
  EXPECT_EQ(form_->text(kDelay), L"25");
  EXPECT_EQ(form_->sliderValue(kSlider), 7);

  SetFocus(form_->control(kDelay));
  typeKeys(L"3");
  settle();
  SetFocus(form_->control(kDefault));
  pressKey(VK_SPACE);
  settle();
  SetFocus(form_->control(kSlider));
  pressKey(VK_RIGHT);
  settle();
  const std::vector<std::string> expected{"changed 2", "changed 4", "changed 3"};
  EXPECT_EQ(log_, expected);
  EXPECT_FALSE(form_->checked(kDefault));
  EXPECT_EQ(form_->sliderValue(kSlider), 8);
}

TEST_F(Form, F1OnAControlTheMenuAndCloseAreReported) {
  SetFocus(form_->control(kDelay));
  pressKey(VK_F1);
  settle();
  SetFocus(form_->control(kPause));
  pressKey(VK_F1);
  settle();
  SendMessageW(form_->handle(), WM_COMMAND, 101, 0);  // the second menu item, as a click sends it
  SendMessageW(form_->handle(), WM_CLOSE, 0, 0);
  settle();
  const std::vector<std::string> expected{"help 2", "help 0", "menu 1", "close"};
  EXPECT_EQ(log_, expected);
  EXPECT_TRUE(IsWindow(form_->handle()));  // closing is the program's decision
}

TEST_F(Form, TabFollowsTheTabIndexesNotTheRowOrder) {
  SetFocus(form_->control(kPause));
  std::vector<HWND> visited;
  for (int i = 0; i < 4; ++i) {
    pressKey(VK_TAB);
    settle();
    visited.push_back(GetFocus());
  }
  const std::vector<HWND> expected{form_->control(kDefault), form_->control(kSlider), form_->control(kDelay),
                                   form_->control(kPause)};
  EXPECT_EQ(visited, expected);
}

TEST_F(Form, ControlsHiddenBeforeTheWindowShowsStayHidden) {
  FormWindow hidden(frmMainWindow(), rows(), std::vector<std::wstring>{L"&Help", L"&About"}, FormEvents{});
  hidden.setVisible(kDelay, false);
  hidden.setVisible(kDefault, false);
  hidden.setVisible(kDefault, true);
  ShowWindow(hidden.handle(), SW_SHOWNA);
  EXPECT_FALSE(IsWindowVisible(hidden.control(kDelay)));
  EXPECT_TRUE(IsWindowVisible(hidden.control(kDefault)));
  EXPECT_TRUE(IsWindowVisible(hidden.control(kPause)));
}
