#include "test_windows.h"
// commctrl.h needs the types of windows.h first
#include <commctrl.h>
#include <gtest/gtest.h>

#include <tuple>

#include "frm_keys_view.h"
#include "frm_main_view.h"
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

// Every row of the design is a native control of the window at its place (the design's twips at the scale read off the
// client area, within a pixel), with its caption (where the design gives one), tooltip and visibility.
void expectAsDesigned(HWND window, const WindowDesign& w, const std::vector<ControlDesign>& rows,
                      const std::function<HWND(const std::string&)>& control) {
  RECT client;
  GetClientRect(window, &client);
  const double k = double(client.right) / w.clientWidth;
  EXPECT_NEAR(client.bottom, w.clientHeight * k, 1);
  for (const ControlDesign& d : rows) {
    if (d.kind == ControlKind::MenuItem) continue;
    SCOPED_TRACE(d.name);
    const HWND c = control(d.name);
    ASSERT_NE(c, nullptr);
    const RECT r = rectInClient(c, window);
    EXPECT_NEAR(r.left, d.left * k, 1);
    EXPECT_NEAR(r.top, d.top * k, 1);
    EXPECT_NEAR(r.right - r.left, d.width * k, 1);
    // A list's height is its own; a row without a caption keeps the control's.
    EXPECT_NEAR(r.bottom - r.top, d.kind == ControlKind::ComboBox ? r.bottom - r.top : d.height * k, 1);
    EXPECT_EQ(textOf(c), d.caption.empty() ? textOf(c) : wide(d.caption));
    const bool centred = GetWindowLongW(c, GWL_STYLE) & ES_CENTER;  // ES_CENTER is another style's bit elsewhere
    EXPECT_TRUE(d.kind != ControlKind::TextBox || centred == (d.alignment == Alignment::Centre));
    EXPECT_EQ(tooltipOf(window, c), wide(d.tooltip));
    EXPECT_EQ(flaggedVisible(c), d.visible);
  }
}

// The keys dialog, opened from the menu, with the system's controls; keys recorded from the system's input queue.
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
  std::string written() const {  // the one write since the last clear
    const auto& w = store_.writes();
    return w.size() == 1 ? w[0].section + "/" + w[0].key + "=" + w[0].value : std::to_string(w.size()) + " writes";
  }

  FrmMainView view_{frm_};
};

}  // namespace

// The design's values are pinned by the core's tests; here, that the window shows them.
TEST_F(MainWindow, EveryRowOfTheDesignAtItsPlaceWithItsTexts) {
  FrmMainView view(frm_);
  EXPECT_EQ(textOf(view.handle()), L"Talvor Start");
  expectAsDesigned(view.handle(), frmMainWindow(), frmMainDesign(),
                   [&](const std::string& n) { return view.control(n); });
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
  const LONG needed = textSize(line, textOf(line), shown.right - shown.left).cy;
  EXPECT_GE(needed, 3 * textSize(line, L"X").cy);  // the case: it wraps
  EXPECT_GE(shown.bottom - shown.top, needed);
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

TEST_F(KeysDialog, OpensFromTheMenuAtItsDesignPlaces) {
  ASSERT_TRUE(IsWindowVisible(dialog()));
  EXPECT_EQ(GetWindow(dialog(), GW_OWNER), view_.handle());
  EXPECT_EQ(textOf(dialog()), L"Keys");
  expectAsDesigned(dialog(), frmKeysWindow(), frmKeysDesign(), [&](const std::string& n) { return keys(n); });
  EXPECT_EQ(SendMessageW(keys("cboFindBy"), CB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(SendMessageW(keys("cboFindBy"), CB_GETCURSEL, 0, 0), 0);
  SendMessageW(keys("cboFindBy"), CB_SETCURSEL, 3, 0);
  SendMessageW(dialog(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(keys("cboFindBy")), CBN_SELCHANGE),
               LPARAM(keys("cboFindBy")));
  EXPECT_EQ(written(), "Start/TitleMatch=class");  // the list stores its word
  SendMessageW(keys("cmdClose"), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindowVisible(dialog()));
}

// Each key pressed in the field while it records, and what it is stored as.
TEST_F(KeysDialog, RecordingWritesTheKeyInTheNotation) {
  const std::tuple<std::string, std::string, std::string, std::vector<WORD>> cases[] = {
      {"StartKeys", "^s", "Start/Letter", {VK_CONTROL, 'S'}},
      {"JobKeys", "%b", "Start/BackupJobLetter", {VK_MENU, 'B'}},
      {"ConfirmKeys", "+{TAB}", "Start/ConfirmKey", {VK_SHIFT, VK_TAB}},
      {"ConfirmKeys", "{ESC}", "Start/ConfirmKey", {VK_ESCAPE}}};
  for (const auto& [what, notation, stored, pressed] : cases) {
    const std::string field = "txt" + what, button = "cmdRecord" + what;
    SCOPED_TRACE(notation);
    SetForegroundWindow(dialog());
    SetWindowTextW(keys(field), L"");
    settle(view_.handle());
    store_.clearWrites();
    SendMessageW(keys(button), BM_CLICK, 0, 0);
    settle(view_.handle());
    EXPECT_EQ(GetFocus(), keys(field));
    EXPECT_EQ(textOf(keys(button)), L"Cancel");
    pressKeys(pressed);
    settle(view_.handle());
    EXPECT_EQ(textOf(keys(field)), wide(notation));
    EXPECT_EQ(written(), stored + "=" + notation);
    EXPECT_EQ(textOf(keys(button)), L"Record");
    EXPECT_TRUE(IsWindowVisible(dialog()));  // Esc was recorded, not a close
  }
  EXPECT_EQ(textOf(view_.control("txtStartKey")), L"^s");  // in step with the main window's box
  SetFocus(keys("txtJobKeys"));
  pressKey(VK_ESCAPE);  // not recording: Esc closes the dialog
  settle(view_.handle());
  EXPECT_FALSE(IsWindowVisible(dialog()));
}
