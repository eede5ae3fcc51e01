#include "platform/single_instance.h"

#include <windows.h>

namespace {
// The mutex says only that a start runs; this small shared record says
// which, so that a second start can bring its window forward.
constexpr wchar_t kMutexName[] = L"Local\\TalvorStart.OneRunAtATime";
constexpr wchar_t kHolderName[] = L"Local\\TalvorStart.OneRunAtATime.Holder";
}  // namespace

// A named mutex in the session's namespace: one per user session, freed by
// the system when the holder ends.
SingleInstance::SingleInstance(const std::string&) {
  handle_ = CreateMutexW(nullptr, FALSE, kMutexName);
  if (!handle_) {
    problem_ = "the single-run mutex could not be made (error " + std::to_string(GetLastError()) + ")";
    return;
  }
  if (GetLastError() == ERROR_ALREADY_EXISTS) first_ = false;
  // The holder keeps the record open for its life; without it the run goes
  // on, only the second start cannot point at it.
  holderRecord_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(DWORD), kHolderName);
  if (!holderRecord_) return;
  auto* pid = static_cast<volatile LONG*>(MapViewOfFile(holderRecord_, FILE_MAP_WRITE, 0, 0, sizeof(DWORD)));
  if (!pid) return;
  if (first_)
    InterlockedExchange(pid, LONG(GetCurrentProcessId()));
  else
    holderPid_ = InterlockedCompareExchange(pid, 0, 0);
  UnmapViewOfFile(const_cast<LONG*>(pid));
}

SingleInstance::~SingleInstance() {
  if (holderRecord_) CloseHandle(static_cast<HANDLE>(holderRecord_));
  if (handle_) CloseHandle(static_cast<HANDLE>(handle_));
}

std::string SingleInstance::defaultLockFolder(const std::string& settingsFolder) { return settingsFolder; }
