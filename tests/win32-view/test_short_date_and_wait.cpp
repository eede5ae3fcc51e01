#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "dialog_driver.h"
#include "event_pump.h"
#include "short_date.h"

namespace {

// The date as a fresh process writes it: the system reads the user's
// short date form once per process, as on Windows until the next log-on.
std::wstring shortDateInNewProcess(const std::wstring& date) {
  wchar_t temp[MAX_PATH], file[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  GetTempFileNameW(temp, L"tsd", 0, file);
  const std::wstring exe = besideThisProgram(L"test_win32_view.exe");
  std::wstring command = L"\"" + exe + L"\" --print-short-date \"" + file + L"\" " + date;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return L"(could not start)";
  WaitForSingleObject(process.hProcess, 20000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  wchar_t text[128] = L"";
  DWORD read = 0;
  HANDLE f = CreateFileW(file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ReadFile(f, text, sizeof text - sizeof(wchar_t), &read, nullptr);
  CloseHandle(f);
  DeleteFileW(file);
  return text;
}

}  // namespace

int printShortDate(const wchar_t* file, int year, int month, int day) {
  const std::wstring text = shortDateText(year, month, day);
  HANDLE f = CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(f, text.data(), DWORD(text.size() * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(f);
  return 0;
}

// Set as Control Panel's Region sets it, and put back after.
TEST(ShortDate, FollowsTheUsersShortDateForm) {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\International", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                  nullptr);
  wchar_t saved[80] = L"";
  DWORD size = sizeof saved;
  const bool had = RegQueryValueExW(key, L"sShortDate", nullptr, nullptr, LPBYTE(saved), &size) == ERROR_SUCCESS;
  const auto set = [key](const std::wstring& form) {
    RegSetValueExW(key, L"sShortDate", 0, REG_SZ, reinterpret_cast<const BYTE*>(form.c_str()),
                   DWORD((form.size() + 1) * sizeof(wchar_t)));
  };
  const std::wstring cases[][3] = {{L"dd.MM.yyyy", L"2026 12 7", L"07.12.2026"},
                                   {L"M/d/yyyy", L"2027 1 31", L"1/31/2027"}};
  for (const auto& [form, date, expected] : cases) {
    set(form);
    EXPECT_EQ(shortDateInNewProcess(date), expected);
  }
  had ? set(saved) : void(RegDeleteValueW(key, L"sShortDate"));
  RegCloseKey(key);
}

TEST(EventWait, SleepsUntilAMessageComesAndNoLongerAndAQuitStaysForTheOuterLoop) {
  pumpEvents(nullptr);
  DWORD start = GetTickCount();
  waitForEvent(300);
  EXPECT_GE(GetTickCount() - start, 280u);  // nothing came: the whole time
  HANDLE poster = CreateThread(
      nullptr, 0,
      [](void* thread) -> DWORD {
        Sleep(100);
        return PostThreadMessageW(DWORD(UINT_PTR(thread)), WM_APP, 0, 0);
      },
      reinterpret_cast<void*>(UINT_PTR(GetCurrentThreadId())), 0, nullptr);
  start = GetTickCount();
  waitForEvent(5000);
  const DWORD woke = GetTickCount() - start;
  EXPECT_GE(woke, 80u);
  EXPECT_LT(woke, 600u);
  WaitForSingleObject(poster, INFINITE);
  CloseHandle(poster);
  EXPECT_TRUE(pumpEvents(nullptr));

  PostQuitMessage(3);
  EXPECT_FALSE(pumpEvents(nullptr));
  MSG m;
  ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(m.wParam, 3u);
}
