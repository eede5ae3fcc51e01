// Stands in for powershell.exe in the toast tests, told by its environment:
// STAND_IN_SLEEP_MS how long to take, STAND_IN_EXIT the exit status.
#include <windows.h>

#include <cwchar>

int wmain() {
  wchar_t value[32];
  if (GetEnvironmentVariableW(L"STAND_IN_SLEEP_MS", value, 32)) Sleep(DWORD(std::wcstoul(value, nullptr, 10)));
  return GetEnvironmentVariableW(L"STAND_IN_EXIT", value, 32) ? int(std::wcstol(value, nullptr, 10)) : 0;
}
