#include "frm_main_view.h"
#include "platform/automation.h"
#include "settings/memory_store.h"
#include "ui/frm_main.h"
#include "win32_desktop_services.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

std::wstring textOf(HWND w) {
  std::vector<wchar_t> buffer(size_t(GetWindowTextLengthW(w)) + 1);
  GetWindowTextW(w, buffer.data(), int(buffer.size()));
  return buffer.data();
}

bool flaggedVisible(HWND w) { return GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE; }

}  // namespace

// The native controls are made from the design and only what differs from
// it is shown at the start: a model changed before its view came must still
// be drawn as it is.
TEST(FrmMainViewStart, WhatTheModelChangedBeforeTheViewIsDrawn) {
  settings::MemoryStore store;
  Win32DesktopServices services(createAutomation());
  FrmMain frm(store, services);
  frm.txtStartDelay.setText("25");
  frm.chkOnceOnly.setValue(1);
  frm.SliderBackupNumber.setValue(7);
  frm.SetJobControlsVisible(true);  // the weekdays are hidden in the design
  frm.Label6.setVisible(false);
  FrmMainView view(frm);
  EXPECT_EQ(textOf(view.control("txtStartDelay")), L"25");
  EXPECT_EQ(SendMessageW(view.control("chkOnceOnly"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(view.control("SliderBackupNumber"), TBM_GETPOS, 0, 0), 7);
  EXPECT_TRUE(flaggedVisible(view.control("chkMonday")));
  EXPECT_FALSE(flaggedVisible(view.control("Label6")));
  // What the model left alone is as designed.
  EXPECT_EQ(textOf(view.control("txtTitle")), L"Microsoft Backup");
  EXPECT_EQ(SendMessageW(view.control("chkDefault"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_TRUE(flaggedVisible(view.control("chkDay12")));
  EXPECT_FALSE(flaggedVisible(view.control("lblProblem")));
}

namespace {

RECT rectInClient(HWND control, HWND window) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The height the control's font needs for the text wrapped at the width.
int wrappedHeight(HWND control, const std::wstring& text, int width) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, HFONT(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT r{0, 0, width, 0};
  DrawTextW(dc, text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return r.bottom;
}

}  // namespace

// A message that wraps to several lines is shown whole, below every other
// control, inside the window's client area, which grew for it.
TEST(FrmMainViewProblem, AMessageThatWrapsIsShownWhole) {
  settings::MemoryStore store;
  Win32DesktopServices services(createAutomation());
  FrmMain frm(store, services);
  FrmMainView view(frm);
  RECT before;
  GetClientRect(view.handle(), &before);
  frm.showProblem(
      "The backup did not start: another window took the keyboard focus from the backup program. The backup "
      "program lost the keyboard focus to the window \"Update available\", so no more keys were sent.");
  const HWND line = view.control("lblProblem");
  const RECT shown = rectInClient(line, view.handle());
  const int oneLine = wrappedHeight(line, L"X", 1000);
  const int needed = wrappedHeight(line, textOf(line), shown.right - shown.left);
  EXPECT_GE(needed, 3 * oneLine);  // the case: it wraps
  EXPECT_GE(shown.bottom - shown.top, needed);
  RECT client;
  GetClientRect(view.handle(), &client);
  EXPECT_LE(shown.bottom, client.bottom);
  EXPECT_GE(client.bottom - before.bottom, needed);
  for (const Control* c : frm.controls()) {
    const HWND other = view.control(c->name());
    if (!other || other == line || !flaggedVisible(other)) continue;
    EXPECT_LE(rectInClient(other, view.handle()).bottom, shown.top) << c->name();
  }
}
