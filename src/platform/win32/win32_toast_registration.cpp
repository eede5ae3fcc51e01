#include "win32_toast_registration.h"

#include <windows.h>

#include "win32_text.h"

namespace {

bool setText(HKEY key, const wchar_t* name, const std::wstring& value) {
  return RegSetValueExW(key, name, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        DWORD((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool isFile(const std::wstring& path) {
  const DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool registerToastApp(const ToastApp& app, std::string& reason) {
  const std::wstring path = L"Software\\Classes\\AppUserModelId\\" + toWide(app.id);
  HKEY key = nullptr;
  LSTATUS s = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                              nullptr, &key, nullptr);
  if (s != ERROR_SUCCESS) {
    reason = "its name could not be registered for notifications (HKEY_CURRENT_USER\\" + toUtf8(path) +
             "): " + systemMessage(DWORD(s));
    return false;
  }
  bool ok = setText(key, L"DisplayName", toWide(app.name));
  // The values are expandable strings: a path with % in it would be misread.
  if (isFile(app.iconFile) && app.iconFile.find(L'%') == std::wstring::npos)
    ok = setText(key, L"IconUri", app.iconFile) && ok;
  else
    RegDeleteValueW(key, L"IconUri");
  RegCloseKey(key);
  if (!ok) reason = "its name could not be registered for notifications (HKEY_CURRENT_USER\\" + toUtf8(path) + ")";
  return ok;
}
