#include "platform/gnome/gnome_dialogs.h"

namespace gnome {

bool isDialogOf(const ShellWindow& w, const std::vector<ShellWindow>& all, std::uint64_t target) {
  std::uint64_t parent = w.parent;
  for (int depth = 0; parent && depth < 8; ++depth) {  // bounded: a loop of parents must not hang the run
    if (parent == target) return true;
    const ShellWindow* up = nullptr;
    for (const ShellWindow& o : all)
      if (o.id == parent) up = &o;
    if (!up) return false;
    parent = up->parent;
  }
  return false;
}

}  // namespace gnome
