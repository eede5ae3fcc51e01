#pragma once

#include <string>

// The app id that toasts are shown under, registered for the current user
// only (no installer, no administrator, no Start menu shortcut): Windows
// then shows the name and icon with the toast and keeps it in the
// notification centre after the program has ended.
struct ToastApp {
  std::string id;         // an AppUserModelID: letters, digits and dots
  std::string name;       // shown with the toast and in Settings
  std::wstring iconFile;  // used when it exists; may be empty
};

// Writes HKCU\Software\Classes\AppUserModelId\<id>: DisplayName, and
// IconUri while the icon file exists (removed otherwise, as after a move).
bool registerToastApp(const ToastApp& app, std::string& reason);
