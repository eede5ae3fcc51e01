#include <windows.h>
// commctrl.h needs the types of windows.h first
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_driver.h"
#include "frm_keys_view.h"
#include "frm_main_view.h"
#include "platform/automation.h"
#include "settings/memory_store.h"
#include "ui/frm_main.h"
#include "win32_desktop_services.h"

namespace {

bool flaggedVisible(HWND w) { return GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE; }
std::wstring wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

class MainWindow : public ::testing::Test {
 protected:
  settings::MemoryStore store_;
  Win32DesktopServices services_{createAutomation()};
  FrmMain frm_{store_, services_};
};

}  // namespace

// Every row of the design is a native control of the window at its place (the
// design's twips at the scale read off the client area, 5136 twips wide,
// within a pixel), with its caption, tooltip and visibility.
TEST_F(MainWindow, EveryRowOfTheDesignAtItsPlaceWithItsTexts) {
  FrmMainView view(frm_);
  RECT client;
  GetClientRect(view.handle(), &client);
  const double k = client.right / 5136.0;
  EXPECT_NEAR(client.bottom, 4080 * k, 1);
  EXPECT_EQ(textOf(view.handle()), L"Talvor Start");
  for (const ControlDesign& d : frmMainDesign()) {
    if (d.kind == ControlKind::MenuItem) continue;
    SCOPED_TRACE(d.name);
    const HWND c = view.control(d.name);
    ASSERT_NE(c, nullptr);
    const RECT r = rectInClient(c, view.handle());
    EXPECT_NEAR(r.left, d.left * k, 1);
    EXPECT_NEAR(r.top, d.top * k, 1);
    EXPECT_NEAR(r.right - r.left, d.width * k, 1);
    EXPECT_NEAR(r.bottom - r.top, d.height * k, 1);
    if (d.kind != ControlKind::Image && d.kind != ControlKind::Slider) {
      EXPECT_EQ(textOf(c), wide(d.caption));
    }
    if (d.kind == ControlKind::TextBox) {
      EXPECT_EQ((GetWindowLongW(c, GWL_STYLE) & ES_CENTER) != 0, d.alignment == Alignment::Centre);
    }
    EXPECT_EQ(tooltipOf(view.handle(), c), wide(d.tooltip));
    EXPECT_EQ(flaggedVisible(c), d.visible);
  }
  wchar_t items[3][16] = {};
  for (int i = 0; i < 3; ++i) GetMenuStringW(GetMenu(view.handle()), i, items[i], 16, MF_BYPOSITION);
  EXPECT_EQ(std::wstring(items[0]) + items[1] + items[2], L"&Help&Keys&About");
}

// Only what differs from the design is shown at the start: a model changed
// before its view came must still be drawn as it is.
TEST_F(MainWindow, WhatTheModelChangedBeforeTheViewIsDrawn) {
  frm_.txtStartDelay.setText("25");
  frm_.chkOnceOnly.setValue(1);
  frm_.SliderBackupNumber.setValue(7);
  frm_.SetJobControlsVisible(true);  // the weekdays are hidden in the design
  frm_.Label6.setVisible(false);
  FrmMainView view(frm_);
  EXPECT_EQ(textOf(view.control("txtStartDelay")), L"25");
  EXPECT_EQ(SendMessageW(view.control("chkOnceOnly"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(view.control("SliderBackupNumber"), TBM_GETPOS, 0, 0), 7);
  EXPECT_TRUE(flaggedVisible(view.control("chkMonday")));
  EXPECT_FALSE(flaggedVisible(view.control("Label6")));
}

// A message that wraps to several lines is shown whole, below every other
// control, inside the window's client area, which grew for it.
TEST_F(MainWindow, AMessageThatWrapsIsShownWhole) {
  FrmMainView view(frm_);
  frm_.showProblem(
      "The backup did not start: another window took the keyboard focus from the backup program. The "
      "backup program lost the keyboard focus to the window \"Update available\", so no more keys were sent.");
  const HWND line = view.control("lblProblem");
  const RECT shown = rectInClient(line, view.handle());
  HDC dc = GetDC(line);
  HGDIOBJ old = SelectObject(dc, HFONT(SendMessageW(line, WM_GETFONT, 0, 0)));
  RECT needed{0, 0, shown.right - shown.left, 0}, oneLine = needed;
  DrawTextW(dc, textOf(line).c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  DrawTextW(dc, L"X", -1, &oneLine, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(line, dc);
  EXPECT_GE(needed.bottom, 3 * oneLine.bottom);  // the case: it wraps
  EXPECT_GE(shown.bottom - shown.top, needed.bottom);
  RECT client;
  GetClientRect(view.handle(), &client);
  EXPECT_LE(shown.bottom, client.bottom);
  for (const Control* c : frm_.controls()) {
    const HWND other = view.control(c->name());
    EXPECT_TRUE(!other || other == line || !flaggedVisible(other) ||
                rectInClient(other, view.handle()).bottom <= shown.top)
        << c->name();
  }
}

namespace {

// The keys dialog, opened from the menu, with the system's controls; keys
// recorded from the system's input queue.
class KeysDialog : public MainWindow {
 protected:
  void SetUp() override {
    frm_.show();
    SetForegroundWindow(view_.handle());
    SendMessageW(view_.handle(), WM_COMMAND, 101, 0);  // the second menu item, as a click sends it
    settle(view_.handle());
  }
  HWND dialog() const { return view_.keysView().handle(); }
  HWND keys(const std::string& name) const { return view_.keysView().control(name); }
  std::vector<std::string> writes() const {
    std::vector<std::string> out;
    for (const auto& w : store_.writes()) out.push_back(w.section + "/" + w.key + "=" + w.value);
    return out;
  }

  FrmMainView view_{frm_};
};

}  // namespace

// The design's twips at the scale read off the client area, 6960 twips wide.
TEST_F(KeysDialog, OpensFromTheMenuAtItsDesignPlaces) {
  ASSERT_TRUE(IsWindowVisible(dialog()));
  EXPECT_EQ(GetWindow(dialog(), GW_OWNER), view_.handle());
  EXPECT_EQ(textOf(dialog()), L"Keys");
  RECT client;
  GetClientRect(dialog(), &client);
  const double k = client.right / 6960.0;
  EXPECT_NEAR(client.bottom, 3852 * k, 1);
  for (const ControlDesign& d : frmKeysDesign()) {
    SCOPED_TRACE(d.name);
    const RECT r = rectInClient(keys(d.name), dialog());
    EXPECT_NEAR(r.left, d.left * k, 1);
    EXPECT_NEAR(r.top, d.top * k, 1);
    EXPECT_NEAR(r.right - r.left, d.width * k, 1);
    EXPECT_NEAR(r.bottom - r.top, d.kind == ControlKind::ComboBox ? r.bottom - r.top : d.height * k,
                1);  // a list's is its own
  }
  EXPECT_EQ(SendMessageW(keys("cboFindBy"), CB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(SendMessageW(keys("cboFindBy"), CB_GETCURSEL, 0, 0), 0);
  SendMessageW(keys("cboFindBy"), CB_SETCURSEL, 3, 0);
  SendMessageW(dialog(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(keys("cboFindBy")), CBN_SELCHANGE),
               LPARAM(keys("cboFindBy")));
  EXPECT_EQ(writes(), std::vector<std::string>{"Start/TitleMatch=class"});  // the list stores its word
  SendMessageW(keys("cmdClose"), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindowVisible(dialog()));
}

// Each key pressed in the field while it records, and what it is stored as.
TEST_F(KeysDialog, RecordingWritesTheKeyInTheNotation) {
  const std::vector<std::vector<std::string>> cases = {{"StartKeys", "^s", "Start/Letter"},
                                                       {"JobKeys", "%b", "Start/BackupJobLetter"},
                                                       {"ConfirmKeys", "+{TAB}", "Start/ConfirmKey"},
                                                       {"ConfirmKeys", "{ESC}", "Start/ConfirmKey"}};
  const std::vector<std::vector<WORD>> pressed = {{VK_CONTROL, 'S'}, {VK_MENU, 'B'}, {VK_SHIFT, VK_TAB}, {VK_ESCAPE}};
  for (size_t i = 0; i < cases.size(); ++i) {
    const std::string field = "txt" + cases[i][0], button = "cmdRecord" + cases[i][0], notation = cases[i][1];
    SCOPED_TRACE(notation);
    SetForegroundWindow(dialog());
    SetWindowTextW(keys(field), L"");
    settle(view_.handle());
    store_.clearWrites();
    SendMessageW(keys(button), BM_CLICK, 0, 0);
    settle(view_.handle());
    EXPECT_EQ(GetFocus(), keys(field));
    EXPECT_EQ(textOf(keys(button)), L"Cancel");
    pressKeys(pressed[i]);
    settle(view_.handle());
    EXPECT_EQ(textOf(keys(field)), std::wstring(notation.begin(), notation.end()));
    EXPECT_EQ(writes(), std::vector<std::string>{cases[i][2] + "=" + notation});
    EXPECT_EQ(textOf(keys(button)), L"Record");
    EXPECT_TRUE(IsWindowVisible(dialog()));  // Esc was recorded, not a close
  }
  EXPECT_EQ(textOf(view_.control("txtStartKey")), L"^s");  // in step with the main window's box
  SetFocus(keys("txtJobKeys"));
  pressKey(VK_ESCAPE);  // not recording: Esc closes the dialog
  settle(view_.handle());
  EXPECT_FALSE(IsWindowVisible(dialog()));
}
