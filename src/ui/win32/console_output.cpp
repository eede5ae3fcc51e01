#include "console_output.h"

#include "win32_text.h"

#include <windows.h>

namespace {

HANDLE outputHandle(bool error) {
  static bool attached = false;
  const DWORD which = error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE;
  HANDLE h = GetStdHandle(which);
  if ((h == nullptr || h == INVALID_HANDLE_VALUE || GetFileType(h) == FILE_TYPE_UNKNOWN) && !attached) {
    attached = AttachConsole(ATTACH_PARENT_PROCESS);
    if (attached) {
      HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, 0, nullptr);
      SetStdHandle(STD_OUTPUT_HANDLE, console);
      SetStdHandle(STD_ERROR_HANDLE, console);
    }
    h = GetStdHandle(which);
  }
  return h;
}

}  // namespace

void printToConsole(const std::string& utf8, bool error) {
  HANDLE h = outputHandle(error);
  if (h == nullptr || h == INVALID_HANDLE_VALUE) return;
  DWORD mode = 0, written = 0;
  if (GetConsoleMode(h, &mode)) {
    // A console shows UTF-16 whatever its code page.
    const std::wstring wide = toWide(utf8);
    WriteConsoleW(h, wide.data(), DWORD(wide.size()), &written, nullptr);
  } else {
    WriteFile(h, utf8.data(), DWORD(utf8.size()), &written, nullptr);
  }
}
