#pragma once

#include <windows.h>

#include <set>
#include <string>

#include "platform/window_choice.h"

// The visible top-level window the title chooses (chooseWindowByTitle):
// windows not in `before` first, an exact title before one that otherwise
// matches; never `own`. Case-sensitive; an empty text matches nothing.
// Windows tells no order of creation, so the z-order stands in for it: the
// window higher up counts as the newer (a new window comes up on top).
HWND findWindowByTitle(const std::wstring& title, TitleMatch match, HWND own, const std::set<HWND>& before = {});

// Every top-level window now, visible or not.
std::set<HWND> topLevelWindows();

// The process's visible top-level window that no other window owns (its
// main window, not a dialog of it), else nullptr.
HWND mainWindowOfProcess(DWORD pid);

// Brings the window to the foreground, restoring it when minimised and
// working round the foreground lock. Does not wait for the focus.
bool bringToForeground(HWND window);

// The window's title as UTF-8, empty when it has none.
std::string windowTitleUtf8(HWND window);
