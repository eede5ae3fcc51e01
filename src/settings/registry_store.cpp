#include "settings/registry_store.h"

#include <windows.h>

#include <vector>

namespace settings {
namespace {

std::wstring wide(const std::string& utf8) {
  std::wstring out(utf8.size(), L'\0');  // never more UTF-16 units than UTF-8 bytes
  out.resize(size_t(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), out.data(), int(out.size()))));
  return out;
}

std::string narrow(const wchar_t* text, size_t length) {
  std::string out(length * 3, '\0');  // at most three bytes per UTF-16 unit
  out.resize(size_t(WideCharToMultiByte(CP_UTF8, 0, text, int(length), out.data(), int(out.size()), nullptr, nullptr)));
  return out;
}

std::string errorText(LSTATUS status) {
  wchar_t buffer[512] = {};
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, DWORD(status),
                                 0, buffer, 512, nullptr);
  std::string text = narrow(buffer, n);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
    text.pop_back();
  return (text.empty() ? "Registry error" : text) + " (error " + std::to_string(status) + ")";
}

}  // namespace

RegistryStore::RegistryStore(std::string root) : root_(std::move(root)) {}

std::string RegistryStore::location(const std::string& app, const std::string& section) const {
  return "HKEY_CURRENT_USER\\" + root_ + "\\" + app + "\\" + section;
}

std::string RegistryStore::GetSetting(const std::string& app, const std::string& section, const std::string& key,
                                      const std::string& defaultText) const {
  const std::wstring subkey = wide(root_ + "\\" + app + "\\" + section);
  const std::wstring name = wide(key);
  // Strings only, as stored; a value of another type is not one of ours.
  const DWORD flags = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
  DWORD bytes = 0;
  LSTATUS s = RegGetValueW(HKEY_CURRENT_USER, subkey.c_str(), name.c_str(), flags, nullptr, nullptr, &bytes);
  std::vector<wchar_t> buffer;
  while (s == ERROR_SUCCESS || s == ERROR_MORE_DATA) {
    buffer.assign(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = DWORD(buffer.size() * sizeof(wchar_t));
    s = RegGetValueW(HKEY_CURRENT_USER, subkey.c_str(), name.c_str(), flags, nullptr, buffer.data(), &bytes);
    if (s == ERROR_SUCCESS) {
      size_t length = bytes / sizeof(wchar_t);
      while (length > 0 && buffer[length - 1] == L'\0') --length;
      return narrow(buffer.data(), length);
    }
  }
  return defaultText;
}

WriteResult RegistryStore::SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                                       const std::string& value) {
  const std::wstring subkey = wide(root_ + "\\" + app + "\\" + section);
  HKEY handle = nullptr;
  LSTATUS s = RegCreateKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                              nullptr);
  if (s == ERROR_SUCCESS) {
    const std::wstring data = wide(value);
    s = RegSetValueExW(handle, wide(key).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       DWORD((data.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
  }
  if (s == ERROR_SUCCESS) return {};
  return {false, location(app, section), errorText(s)};
}

}  // namespace settings
