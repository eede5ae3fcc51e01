#include "event_pump.h"
#include "short_date.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

// Sets the user's short date form as Control Panel's Region does, for one test.
class UserShortDate {
 public:
  explicit UserShortDate(const wchar_t* format) {
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\International", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &key_, nullptr);
    DWORD size = sizeof saved_;
    had_ = RegQueryValueExW(key_, L"sShortDate", nullptr, nullptr, reinterpret_cast<BYTE*>(saved_), &size) ==
           ERROR_SUCCESS;
    set(format);
  }
  ~UserShortDate() {
    if (had_) set(saved_);
    else RegDeleteValueW(key_, L"sShortDate");
    RegCloseKey(key_);
  }

 private:
  void set(const wchar_t* format) {
    RegSetValueExW(key_, L"sShortDate", 0, REG_SZ, reinterpret_cast<const BYTE*>(format),
                   DWORD((wcslen(format) + 1) * sizeof(wchar_t)));
  }
  HKEY key_ = nullptr;
  wchar_t saved_[80] = L"";
  bool had_ = false;
};

// The date as a fresh process writes it: the system reads the user's
// short date form once per process, as on Windows until the next log-on.
std::wstring shortDateInNewProcess(int year, int month, int day) {
  wchar_t exe[MAX_PATH], temp[MAX_PATH], file[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  GetTempPathW(MAX_PATH, temp);
  GetTempFileNameW(temp, L"tsd", 0, file);
  std::wstring command = L"\"" + std::wstring(exe) + L"\" --print-short-date \"" + file + L"\" " +
                         std::to_wstring(year) + L" " + std::to_wstring(month) + L" " + std::to_wstring(day);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(exe, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return L"(could not start)";
  WaitForSingleObject(process.hProcess, 20000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::wstring text;
  HANDLE f = CreateFileW(file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  wchar_t buffer[128];
  DWORD read = 0;
  if (f != INVALID_HANDLE_VALUE && ReadFile(f, buffer, sizeof buffer, &read, nullptr))
    text.assign(buffer, read / sizeof(wchar_t));
  if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
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

TEST(ShortDate, FollowsTheUsersShortDateForm) {
  {
    UserShortDate form(L"dd.MM.yyyy");
    EXPECT_EQ(shortDateInNewProcess(2026, 12, 7), L"07.12.2026");
  }
  {
    UserShortDate form(L"M/d/yyyy");
    EXPECT_EQ(shortDateInNewProcess(2027, 1, 31), L"1/31/2027");
  }
}

TEST(EventWait, SleepsUntilAMessageComesAndNoLonger) {
  pumpEvents(nullptr);
  DWORD start = GetTickCount();
  waitForEvent(300);
  EXPECT_GE(GetTickCount() - start, 280u);  // nothing came: the whole time

  const DWORD thread = GetCurrentThreadId();
  HANDLE poster = CreateThread(
      nullptr, 0,
      [](void* t) -> DWORD {
        Sleep(100);
        PostThreadMessageW(DWORD(reinterpret_cast<UINT_PTR>(t)), WM_APP, 0, 0);
        return 0;
      },
      reinterpret_cast<void*>(UINT_PTR(thread)), 0, nullptr);
  start = GetTickCount();
  waitForEvent(5000);
  const DWORD woke = GetTickCount() - start;
  EXPECT_GE(woke, 80u);
  EXPECT_LT(woke, 600u);
  WaitForSingleObject(poster, INFINITE);
  CloseHandle(poster);
  EXPECT_TRUE(pumpEvents(nullptr));
}

TEST(EventWait, AQuitRequestEndsThePumpAndStaysForTheOuterLoop) {
  PostQuitMessage(3);
  EXPECT_FALSE(pumpEvents(nullptr));
  MSG m;
  ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(m.wParam, 3u);
}
