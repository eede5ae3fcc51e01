#include <gtest/gtest.h>
#include <windows.h>

#include <string>

// The program's manifest, linked in: per-monitor DPI awareness (else a blurred
// window) and the common controls 6 (else the old controls).
TEST(Resources, TheManifestsSettingsAreInForce) {
  EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()), DPI_AWARENESS_PER_MONITOR_AWARE);
  // Version 6 lives in the side-by-side store (Wine's DllGetVersion says 5 for both).
  wchar_t where[MAX_PATH] = L"";
  GetModuleFileNameW(GetModuleHandleW(L"comctl32.dll"), where, MAX_PATH);
  CharLowerW(where);
  EXPECT_NE(std::wstring(where).find(L"common-controls_6595b64144ccf1df_6."), std::wstring::npos);
}
