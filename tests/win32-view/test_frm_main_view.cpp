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
