#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "win32_toast_registration.h"

// A toast in the notification centre, shown by Windows PowerShell (part of
// Windows 10 and 11), whose script reaches the WinRT notification types
// that MinGW-w64 has no headers for. No installer is needed: the app id is
// registered for the user first.

// How long the program waits for Windows PowerShell to say the toast was shown.
constexpr DWORD kToastWaitMs = 5000;

// powershell.exe of the system folder: never looked for on PATH or in a
// folder that other users may write.
std::wstring systemPowerShell();

// Called as messages arrive while waiting; false stops the calls (the
// program is ending) and the rest of the wait is a plain one.
using WhileWaiting = std::function<bool()>;

// Registers the app, starts Windows PowerShell without a window and waits
// for it at most kToastWaitMs. False with a reason the user can act on when
// it is missing, fails, or has not finished by then (it is left to finish:
// the toast may still come).
bool showToast(const ToastApp& app, const std::string& title, const std::string& body, const WhileWaiting& whileWaiting,
               std::string& reason);

// The same through the program given and with the wait given: the tests'
// stand-in for Windows PowerShell.
bool showToastThrough(const std::wstring& powerShell, DWORD waitMs, const ToastApp& app, const std::string& title,
                      const std::string& body, const WhileWaiting& whileWaiting, std::string& reason);
