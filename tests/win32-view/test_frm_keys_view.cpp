// The keys dialog with the system's controls: opened from the menu, made
// from its design, and keys recorded from the system's input queue.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_driver.h"
#include "event_pump.h"
#include "frm_keys_view.h"
#include "frm_main_view.h"
#include "platform/automation.h"
#include "settings/memory_store.h"
#include "ui/frm_main.h"
#include "win32_desktop_services.h"

namespace {

class KeysDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    frm_.show();
    SetForegroundWindow(view_.handle());
    SendMessageW(view_.handle(), WM_COMMAND, 101, 0);  // the second menu item, as a click sends it
    settle();
  }
  void settle() {
    for (int i = 0; i < 15; ++i) {
      pumpEvents(view_.handle());
      waitForEvent(10);
    }
  }
  HWND keys(const char* name) const { return view_.keysView().control(name); }
  std::vector<std::string> writes() const {
    std::vector<std::string> out;
    for (const auto& w : store_.writes()) out.push_back(w.section + "/" + w.key + "=" + w.value);
    return out;
  }
  // The keys pressed together, the last one the key, as a user would.
  static void chord(std::vector<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD k : keys) {
      INPUT i{};
      i.type = INPUT_KEYBOARD;
      i.ki.wVk = k;
      inputs.push_back(i);
    }
    for (auto k = keys.rbegin(); k != keys.rend(); ++k) {
      INPUT i{};
      i.type = INPUT_KEYBOARD;
      i.ki.wVk = *k;
      i.ki.dwFlags = KEYEVENTF_KEYUP;
      inputs.push_back(i);
    }
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
  }

  settings::MemoryStore store_;
  Win32DesktopServices services_{createAutomation()};
  FrmMain frm_{store_, services_};
  FrmMainView view_{frm_};
};

}  // namespace

TEST_F(KeysDialog, OpensFromTheMenuAtItsDesignPlaces) {
  HWND dialog = view_.keysView().handle();
  ASSERT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), view_.handle());
  EXPECT_EQ(textOf(dialog), L"Keys");
  HMENU menu = GetMenu(view_.handle());
  wchar_t item[32] = L"";
  GetMenuStringW(menu, 1, item, 32, MF_BYPOSITION);
  EXPECT_EQ(std::wstring(item), L"&Keys");
  // The design's twips at the scale read off the client area, 6960 twips wide.
  RECT client;
  GetClientRect(dialog, &client);
  const double k = client.right / 6960.0;
  EXPECT_NEAR(client.bottom, 3852 * k, 1);
  for (const ControlDesign& d : frmKeysDesign()) {
    SCOPED_TRACE(d.name);
    RECT r;
    GetWindowRect(keys(d.name.c_str()), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_NEAR(r.left, d.left * k, 1);
    EXPECT_NEAR(r.top, d.top * k, 1);
    EXPECT_NEAR(r.right - r.left, d.width * k, 1);
    if (d.kind != ControlKind::ComboBox) {  // a list's height is its own
      EXPECT_NEAR(r.bottom - r.top, d.height * k, 1);
    }
  }
  EXPECT_EQ(SendMessageW(keys("cboFindBy"), CB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(SendMessageW(keys("cboFindBy"), CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(textOf(keys("cmdRecordStartKeys")), L"Record");
  SendMessageW(keys("cmdClose"), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindowVisible(dialog));
}

// Each key pressed in the field while it records, and what it is stored as.
TEST_F(KeysDialog, RecordingWritesTheKeyInTheNotation) {
  struct Case {
    const char* field;
    std::vector<WORD> keys;
    std::wstring notation;
    std::string setting;
  };
  const Case cases[] = {
      {"txtStartKeys", {VK_CONTROL, 'S'}, L"^s", "Start/Letter"},
      {"txtJobKeys", {VK_MENU, 'B'}, L"%b", "Start/BackupJobLetter"},
      {"txtConfirmKeys", {VK_SHIFT, VK_TAB}, L"+{TAB}", "Start/ConfirmKey"},
      {"txtConfirmKeys", {VK_ESCAPE}, L"{ESC}", "Start/ConfirmKey"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.setting + " " + std::string(c.notation.begin(), c.notation.end()));
    SetForegroundWindow(view_.keysView().handle());
    SetWindowTextW(keys(c.field), L"");
    settle();
    store_.clearWrites();
    const std::string button = std::string("cmdRecord") + (c.field + 3);
    SendMessageW(keys(button.c_str()), BM_CLICK, 0, 0);
    settle();
    EXPECT_EQ(GetFocus(), keys(c.field));
    EXPECT_EQ(textOf(keys(button.c_str())), L"Cancel");
    chord(c.keys);
    settle();
    EXPECT_EQ(textOf(keys(c.field)), c.notation);
    EXPECT_EQ(writes(), std::vector<std::string>{c.setting + "=" + std::string(c.notation.begin(), c.notation.end())});
    EXPECT_EQ(textOf(keys(button.c_str())), L"Record");
    EXPECT_TRUE(IsWindowVisible(view_.keysView().handle()));  // Esc was recorded, not a close
  }
  // In step with the main window's box.
  EXPECT_EQ(textOf(view_.control("txtStartKey")), L"^s");
  // Not recording: Esc closes the dialog.
  SetFocus(keys("txtJobKeys"));
  chord({VK_ESCAPE});
  settle();
  EXPECT_FALSE(IsWindowVisible(view_.keysView().handle()));
}

TEST_F(KeysDialog, TypingUpdatesTheCheckLineAndTheListStoresItsWord) {
  SetForegroundWindow(view_.keysView().handle());
  SetFocus(keys("txtJobKeys"));
  SendMessageW(keys("txtJobKeys"), EM_SETSEL, 0, -1);
  typeKeys(L"{TAP}");
  settle();
  EXPECT_EQ(textOf(keys("lblKeysCheck")), L"The job list keys cannot be sent: unknown key {TAP} in \"{TAP}\".");
  EXPECT_EQ(textOf(view_.control("txtBackupKey")), L"{TAP}");
  SendMessageW(keys("cboFindBy"), CB_SETCURSEL, 3, 0);
  SendMessageW(view_.keysView().handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(keys("cboFindBy")), CBN_SELCHANGE),
               LPARAM(keys("cboFindBy")));
  EXPECT_EQ(writes().back(), "Start/TitleMatch=class");
}
