// Stands in for powershell.exe in the toast tests, told by its environment:
//   STAND_IN_LOG       a file that gets the command line, in UTF-8
//   STAND_IN_SLEEP_MS  how long to take
//   STAND_IN_EXIT      the exit status
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

std::wstring variable(const wchar_t* name) {
  wchar_t buffer[1024];
  const DWORD n = GetEnvironmentVariableW(name, buffer, 1024);
  return n > 0 && n < 1024 ? std::wstring(buffer, n) : std::wstring();
}

}  // namespace

int wmain() {
  const std::wstring log = variable(L"STAND_IN_LOG");
  if (!log.empty()) {
    const std::wstring line = GetCommandLineW();
    const int n = WideCharToMultiByte(CP_UTF8, 0, line.data(), int(line.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.data(), int(line.size()), utf8.data(), n, nullptr, nullptr);
    HANDLE file = CreateFileW(log.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    if (file != INVALID_HANDLE_VALUE) {
      WriteFile(file, utf8.data(), DWORD(utf8.size()), &written, nullptr);
      CloseHandle(file);
    }
  }
  const std::wstring sleep = variable(L"STAND_IN_SLEEP_MS");
  if (!sleep.empty()) Sleep(DWORD(std::wcstoul(sleep.c_str(), nullptr, 10)));
  const std::wstring status = variable(L"STAND_IN_EXIT");
  return status.empty() ? 0 : int(std::wcstol(status.c_str(), nullptr, 10));
}
