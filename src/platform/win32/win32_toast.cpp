#include "win32_toast.h"

#include "platform/win32/toast_script.h"
#include "win32_text.h"

namespace {

std::wstring systemFolder() {
  wchar_t buffer[MAX_PATH];
  const UINT n = GetSystemDirectoryW(buffer, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::wstring(buffer, n) : std::wstring();
}

std::string notFound(const std::wstring& powerShell) {
  return "Windows PowerShell, which shows the notification, was not found (" + toUtf8(powerShell) + ")";
}

// Waits for the process until the deadline, handing messages to
// whileWaiting as they come so that the window stays responsive.
DWORD waitFor(HANDLE process, DWORD waitMs, const WhileWaiting& whileWaiting) {
  const ULONGLONG deadline = GetTickCount64() + waitMs;
  bool pumping = bool(whileWaiting);
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    const DWORD left = now >= deadline ? 0 : DWORD(deadline - now);
    if (!pumping) return WaitForSingleObject(process, left);
    const DWORD r = MsgWaitForMultipleObjectsEx(1, &process, left, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (r != WAIT_OBJECT_0 + 1) return r;
    pumping = whileWaiting();
    // Messages that keep coming must not stretch the wait past its end.
    if (GetTickCount64() >= deadline) return WaitForSingleObject(process, 0);
  }
}

std::string exitReason(DWORD status, const ToastApp& app) {
  switch (status) {
    case toast_status::kNoToastTypes:
      return "Windows PowerShell could not load the notification types of Windows (Windows 10 or later has them; "
             "a policy may forbid them)";
    case toast_status::kRefused:
      return "Windows did not take it from Windows PowerShell";
    case toast_status::kTurnedOff:
      return "notifications of " + app.name +
             " are turned off (Windows Settings, System, Notifications), or a policy turns them off";
    default:
      return "Windows PowerShell ended with exit status " + std::to_string(status) +
             " without showing it (a policy may stop its scripts)";
  }
}

}  // namespace

std::wstring systemPowerShell() {
  const std::wstring folder = systemFolder();
  return folder.empty() ? std::wstring() : folder + L"\\WindowsPowerShell\\v1.0\\powershell.exe";
}

bool showToast(const ToastApp& app, const std::string& title, const std::string& body, const WhileWaiting& whileWaiting,
               std::string& reason) {
  return showToastThrough(systemPowerShell(), kToastWaitMs, app, title, body, whileWaiting, reason);
}

bool showToastThrough(const std::wstring& powerShell, DWORD waitMs, const ToastApp& app, const std::string& title,
                      const std::string& body, const WhileWaiting& whileWaiting, std::string& reason) {
  const DWORD attributes = powerShell.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(powerShell.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    reason = notFound(powerShell);
    return false;
  }
  if (!registerToastApp(app, reason)) return false;

  // Everything the script needs is inside the encoded command: nothing of
  // the texts is left for the command line's quoting to get wrong.
  std::wstring command = L"\"" + powerShell + L"\" " + toWide(toastArguments(toastScript(app.id, title, body)));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process{};
  const std::wstring folder = systemFolder();
  if (!CreateProcessW(powerShell.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    const DWORD error = GetLastError();
    reason = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                 ? notFound(powerShell)
                 : "Windows PowerShell could not be started (" + toUtf8(powerShell) + "): " + systemMessage(error);
    return false;
  }
  CloseHandle(process.hThread);
  const DWORD waited = waitFor(process.hProcess, waitMs, whileWaiting);
  DWORD status = STILL_ACTIVE;
  const bool ended = waited == WAIT_OBJECT_0 && GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hProcess);
  if (!ended) {
    reason = "Windows PowerShell had not shown it after " + std::to_string((waitMs + 999) / 1000) +
             " seconds; it may still come";
    return false;
  }
  if (status != 0) {
    reason = exitReason(status, app);
    return false;
  }
  return true;
}
