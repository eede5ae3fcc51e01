#include "win32_key_stroke.h"

namespace {

struct NamedVirtualKey {
  UINT vk;
  KeyStroke::Key key;
};
const NamedVirtualKey kNamed[] = {
    {VK_TAB, KeyStroke::Key::Tab},     {VK_ESCAPE, KeyStroke::Key::Escape}, {VK_RETURN, KeyStroke::Key::Enter},
    {VK_SPACE, KeyStroke::Key::Space}, {VK_UP, KeyStroke::Key::Up},         {VK_DOWN, KeyStroke::Key::Down},
    {VK_LEFT, KeyStroke::Key::Left},   {VK_RIGHT, KeyStroke::Key::Right},   {VK_HOME, KeyStroke::Key::Home},
    {VK_END, KeyStroke::Key::End},
};

}  // namespace

bool keyStrokeOfVirtualKey(UINT vk, bool alt, bool ctrl, bool shift, KeyStroke& out) {
  out = KeyStroke();
  out.alt = alt;
  out.ctrl = ctrl;
  out.shift = shift;
  for (const NamedVirtualKey& n : kNamed)
    if (vk == n.vk) {
      out.key = n.key;
      return true;
    }
  if (vk >= VK_F1 && vk <= VK_F12) {
    out.key = KeyStroke::Key::Function;
    out.character = char32_t(vk - VK_F1 + 1);
    return true;
  }
  if (!alt && !ctrl) return false;
  if (vk >= 'A' && vk <= 'Z') {
    out.character = char32_t(vk - 'A' + 'a');
    return true;
  }
  if (vk >= '0' && vk <= '9') {
    out.character = char32_t(vk);
    return true;
  }
  // Punctuation keys: the character the layout gives them unshifted.
  const UINT c = MapVirtualKeyW(vk, MAPVK_VK_TO_CHAR) & 0x7FFFFFFF;
  if (c <= 0x20 || c >= 0xD800) return false;
  out.character = char32_t(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return true;
}
