#include <windows.h>

#include <vector>

#include "platform/text_file.h"

namespace text_file {
namespace {

std::wstring wide(const std::string& utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  std::wstring out(size_t(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), out.data(), n);
  return out;
}

std::string utf8(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::string failed(const std::string& what, const std::string& path) {
  return what + " " + path + " (error " + std::to_string(GetLastError()) + ")";
}

}  // namespace

std::string stateFolder() {
  std::vector<wchar_t> value(32768);
  const DWORD n = GetEnvironmentVariableW(L"LOCALAPPDATA", value.data(), DWORD(value.size()));
  if (n == 0 || n >= value.size()) return std::string();
  return utf8(std::wstring(value.data(), n)) + "\\TalvorStart";
}

bool makeFolder(const std::string& folder, std::string& reason) {
  const std::wstring w = wide(folder);
  for (size_t sep = w.find_first_of(L"\\/", 3);; sep = w.find_first_of(L"\\/", sep + 1)) {
    const std::wstring part = w.substr(0, sep);
    if (!CreateDirectoryW(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
      reason = failed("Could not make the folder", utf8(part));
      return false;
    }
    if (sep == std::wstring::npos) return true;
  }
}

bool append(const std::string& path, const std::string& text, std::string& reason) {
  // Append-only access: each write lands at the end, whoever else appends.
  HANDLE f = CreateFileW(wide(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) {
    reason = failed("Could not open", path);
    return false;
  }
  DWORD written = 0;
  const bool ok = WriteFile(f, text.data(), DWORD(text.size()), &written, nullptr) && written == text.size();
  if (!ok) reason = failed("Could not write to", path);
  CloseHandle(f);
  return ok;
}

bool size(const std::string& path, std::size_t& bytes, std::string& reason) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  bytes = 0;
  if (GetFileAttributesExW(wide(path).c_str(), GetFileExInfoStandard, &data)) {
    bytes = (std::size_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
  }
  if (GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND) return true;
  reason = failed("Could not look at", path);
  return false;
}

bool readTail(const std::string& path, std::size_t maxBytes, std::string& out, std::string& reason) {
  out.clear();
  HANDLE f = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) {
    if (GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND) return true;
    reason = failed("Could not open", path);
    return false;
  }
  LARGE_INTEGER length{};
  bool ok = GetFileSizeEx(f, &length);
  if (ok && std::size_t(length.QuadPart) > maxBytes) {
    LARGE_INTEGER from{};
    from.QuadPart = length.QuadPart - LONGLONG(maxBytes);
    ok = SetFilePointerEx(f, from, nullptr, FILE_BEGIN);
  }
  char buffer[65536];
  while (ok && out.size() < maxBytes) {
    DWORD n = 0;
    ok = ReadFile(f, buffer, DWORD(std::min(sizeof buffer, maxBytes - out.size())), &n, nullptr);
    if (!ok) reason = failed("Could not read", path);
    if (!ok || n == 0) break;
    out.append(buffer, n);
  }
  CloseHandle(f);
  return ok;
}

bool replace(const std::string& path, const std::string& text, std::string& reason) {
  const std::string temp = path + ".new";
  HANDLE f = CreateFileW(wide(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) {
    reason = failed("Could not make", temp);
    return false;
  }
  DWORD written = 0;
  const bool ok =
      WriteFile(f, text.data(), DWORD(text.size()), &written, nullptr) && written == text.size() && FlushFileBuffers(f);
  CloseHandle(f);
  if (!ok || !MoveFileExW(wide(temp).c_str(), wide(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    reason = failed("Could not replace", path);
    DeleteFileW(wide(temp).c_str());
    return false;
  }
  return true;
}

}  // namespace text_file
