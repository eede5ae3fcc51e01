#include <windows.h>
// commctrl.h needs the types of windows.h first
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frm_main_view.h"
#include "platform/automation.h"
#include "settings/memory_store.h"
#include "ui/frm_main.h"
#include "win32_desktop_services.h"

namespace {

std::wstring textOf(HWND w) {
  std::vector<wchar_t> buffer(size_t(GetWindowTextLengthW(w)) + 1);
  GetWindowTextW(w, buffer.data(), int(buffer.size()));
  return buffer.data();
}

bool flaggedVisible(HWND w) { return GetWindowLongW(w, GWL_STYLE) & WS_VISIBLE; }

std::wstring wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

RECT rectInClient(HWND control, HWND window) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The control's tip, asked of the window's tooltip control as the system would.
std::wstring tooltipOf(HWND window, HWND control) {
  for (HWND tips = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); tips;
       tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr)) {
    if (GetWindow(tips, GW_OWNER) != window) continue;
    wchar_t buffer[1024] = L"";
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = buffer;
    SendMessageW(tips, TTM_GETTEXTW, WPARAM(1024), LPARAM(&tool));
    return buffer;
  }
  return L"(no tooltips)";
}

}  // namespace

// Every control of the design is a native control of the window at its place
// (the design's twips at the scale read off the client area, 5136 twips
// wide, within a pixel), with its caption, tooltip and visibility.
TEST(FrmMainViewStart, EveryControlOfTheDesignAtItsPlaceWithItsTexts) {
  settings::MemoryStore store;
  Win32DesktopServices services(createAutomation());
  FrmMain frm(store, services);
  FrmMainView view(frm);
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
  // A few rows as the design gives them.
  EXPECT_NEAR(rectInClient(view.control("cmdPause"), view.handle()).left, 4200 * k, 1);
  EXPECT_NEAR(rectInClient(view.control("chkDay31"), view.handle()).top, 3840 * k, 1);
  HMENU menu = GetMenu(view.handle());
  ASSERT_EQ(GetMenuItemCount(menu), 3);
  const std::pair<int, const wchar_t*> items[] = {{0, L"&Help"}, {1, L"&Keys"}, {2, L"&About"}};
  for (const auto& [at, item] : items) {
    wchar_t text[32] = L"";
    GetMenuStringW(menu, at, text, 32, MF_BYPOSITION);
    EXPECT_STREQ(text, item);
  }
}

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
