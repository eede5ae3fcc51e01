#pragma once

#include <windows.h>

#include <string>

// The application's title, on message boxes that name none.
inline const wchar_t kMessageBoxTitle[] = L"talvorstart";

// A modal message box over the owner; returns when it is closed. The styles
// used are 0 (OK only), 16 (critical stop) and 64 (information), which are
// the system's own MB_OK, MB_ICONHAND and MB_ICONASTERISK.
void showMessageBox(HWND owner, const std::wstring& text, int style, const std::wstring& title = {});
