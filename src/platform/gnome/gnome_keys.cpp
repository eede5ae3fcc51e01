#include "platform/gnome/gnome_keys.h"

#include <xkbcommon/xkbcommon-keysyms.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdio>
#include <iterator>
#include <utility>

#include "platform/wayland/wayland_keymap.h"

namespace gnome {

bool planKeys(const std::vector<KeyStroke>& strokes, std::vector<KeyEvent>& out, std::string& reason) {
  std::vector<KeyEvent> planned;
  for (const KeyStroke& s : strokes) {
    const std::uint32_t sym = wayland::keysymFor(s);
    if (sym == XKB_KEY_NoSymbol) {
      char code[16];
      std::snprintf(code, sizeof code, "U+%04X", unsigned(s.character));
      reason = std::string("The text holds a character that cannot be typed (") + code + ")";
      return false;
    }
    const std::pair<bool, std::uint32_t> held[] = {
        {s.ctrl, XKB_KEY_Control_L}, {s.alt, XKB_KEY_Alt_L}, {s.shift, XKB_KEY_Shift_L}};
    for (const auto& [wanted, modifier] : held)
      if (wanted) planned.push_back({modifier, true});
    planned.push_back({sym, true});
    planned.push_back({sym, false});
    for (auto h = std::rbegin(held); h != std::rend(held); ++h)
      if (h->first) planned.push_back({h->second, false});
  }
  out = std::move(planned);
  return true;
}

}  // namespace gnome
