#include "win32_batch_start.h"

#include <windows.h>

#include "platform/automation.h"
#include "platform/desktop_services.h"
#include "platform/failure_codes.h"
#include "win32_text.h"

namespace {

std::wstring commandInterpreter() {
  wchar_t buffer[MAX_PATH];
  const DWORD n = GetEnvironmentVariableW(L"ComSpec", buffer, MAX_PATH);
  if (n > 0 && n < MAX_PATH) return buffer;
  const UINT m = GetSystemDirectoryW(buffer, MAX_PATH);
  if (m > 0 && m < MAX_PATH) return std::wstring(buffer) + L"\\cmd.exe";
  return L"cmd.exe";
}

WORD showCommand(int windowStyle) {
  switch (windowStyle) {
    case shell_style::kHide:
      return SW_HIDE;
    case shell_style::kNormalFocus:
      return SW_SHOWNORMAL;
    case shell_style::kMinimizedFocus:
      return SW_SHOWMINIMIZED;
    case shell_style::kMaximizedFocus:
      return SW_SHOWMAXIMIZED;
    case shell_style::kNormalNoFocus:
      return SW_SHOWNOACTIVATE;
    case shell_style::kMinimizedNoFocus:
    default:
      return SW_SHOWMINNOACTIVE;
  }
}

}  // namespace

AutomationStatus startBatchFile(const std::string& file, const std::string& programFolder, int windowStyle) {
  std::wstring path = toWide(programFolder);
  if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
  path += toWide(file);
  // A bare name would make the interpreter look in the current folder.
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (programFolder.empty() || attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return AutomationStatus::failure(failure_code::kFileNotFound, "File not found: " + toUtf8(path));

  const std::wstring interpreter = commandInterpreter();
  // /s keeps the outer quotes, so a path with blanks survives.
  std::wstring command = L"\"" + interpreter + L"\" /s /c \"\"" + path + L"\"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = showCommand(windowStyle);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(interpreter.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr,
                      nullptr, &startup, &process)) {
    const DWORD error = GetLastError();
    const int code = error == ERROR_ACCESS_DENIED ? failure_code::kPermissionDenied : failure_code::kPathFileAccess;
    return AutomationStatus::failure(
        code, "Could not start " + toUtf8(path) + " through " + toUtf8(interpreter) + ": " + systemMessage(error));
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return {};
}
