#pragma once

#include <windows.h>

#include <string>

// The visible top-level window whose title is the text, else one whose title
// begins with it; never `own`. Case-sensitive; an empty text matches nothing.
HWND findWindowByTitle(const std::wstring& title, HWND own);

// The process's visible top-level window that no other window owns (its
// main window, not a dialog of it), else nullptr.
HWND mainWindowOfProcess(DWORD pid);

// Brings the window to the foreground, restoring it when minimised and
// working round the foreground lock. Does not wait for the focus.
bool bringToForeground(HWND window);

// The window's title as UTF-8, empty when it has none.
std::string windowTitleUtf8(HWND window);
