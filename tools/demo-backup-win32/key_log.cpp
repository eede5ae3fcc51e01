#include "key_log.h"

KeyLog::KeyLog(const std::wstring& path) {
  if (path.empty()) return;
  file_ = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

KeyLog::~KeyLog() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

void KeyLog::write(const std::string& line) {
  if (file_ == INVALID_HANDLE_VALUE) return;
  const std::string text = line + "\n";
  DWORD written = 0;
  WriteFile(file_, text.data(), DWORD(text.size()), &written, nullptr);
}

bool KeyLog::key(const MSG& message, const char* prefix) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
  const bool alt = (message.lParam >> 29) & 1;  // the context code: Alt is down
  const std::string name = keyName(message.wParam, alt);
  if (name.empty()) return false;
  write(prefix + name);
  return true;
}

std::string keyName(WPARAM virtualKey, bool alt) {
  std::string name;
  switch (virtualKey) {
    case VK_MENU: case VK_LMENU: case VK_RMENU:
    case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT:
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL:
    case VK_LWIN: case VK_RWIN:
      return {};
    case VK_UP: name = "Up"; break;
    case VK_DOWN: name = "Down"; break;
    case VK_LEFT: name = "Left"; break;
    case VK_RIGHT: name = "Right"; break;
    case VK_RETURN: name = "Return"; break;
    case VK_ESCAPE: name = "Esc"; break;
    case VK_TAB: name = "Tab"; break;
    case VK_SPACE: name = "Space"; break;
    default:
      if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
        name = std::string(1, char(virtualKey));
      else if (virtualKey >= VK_F1 && virtualKey <= VK_F24)
        name = "F" + std::to_string(virtualKey - VK_F1 + 1);
      else
        name = "vk" + std::to_string(virtualKey);
  }
  return alt ? "Alt+" + name : name;
}
