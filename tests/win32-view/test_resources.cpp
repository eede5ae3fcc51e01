#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

// The program's resources as the tests carry them: version, manifest.
TEST(Resources, VersionFromTheProjectAndTheManifestsSettingsInForce) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  DWORD handle = 0;
  std::vector<BYTE> info(GetFileVersionInfoSizeW(path, &handle));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(GetFileVersionInfoW(path, 0, DWORD(info.size()), info.data()));
  wchar_t* text = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\040904B0\\ProductVersion",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_EQ(std::wstring(text), L"" TALVOR_PROJECT_VERSION);
  VS_FIXEDFILEINFO* fixed = nullptr;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." + std::to_wstring(LOWORD(fixed->dwFileVersionMS)) +
                L"." + std::to_wstring(HIWORD(fixed->dwFileVersionLS)),
            L"" TALVOR_PROJECT_VERSION);

  // Per-monitor DPI awareness and the common controls 6, both from the manifest.
  EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()), DPI_AWARENESS_PER_MONITOR_AWARE);
  // Version 6 lives in the side-by-side store (Wine's DllGetVersion says 5 for both).
  wchar_t where[MAX_PATH] = L"";
  GetModuleFileNameW(GetModuleHandleW(L"comctl32.dll"), where, MAX_PATH);
  CharLowerW(where);
  EXPECT_NE(std::wstring(where).find(L"common-controls_6595b64144ccf1df_6."), std::wstring::npos)
      << std::string(where, where + wcslen(where));
}
