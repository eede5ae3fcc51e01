#include "platform/single_instance.h"

#include <windows.h>

// A named mutex in the session's namespace: one per user session, freed by
// the system when the holder ends.
SingleInstance::SingleInstance(const std::string&) {
  handle_ = CreateMutexW(nullptr, FALSE, L"Local\\TalvorStart.OneRunAtATime");
  if (!handle_) {
    problem_ = "the single-run mutex could not be made (error " + std::to_string(GetLastError()) + ")";
    return;
  }
  if (GetLastError() == ERROR_ALREADY_EXISTS) first_ = false;
}

SingleInstance::~SingleInstance() {
  if (handle_) CloseHandle(static_cast<HANDLE>(handle_));
}

std::string SingleInstance::defaultLockFolder(const std::string& settingsFolder) { return settingsFolder; }
