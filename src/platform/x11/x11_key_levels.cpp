#include "platform/x11/x11_key_levels.h"

#include <X11/XKBlib.h>

namespace x11 {
namespace {

// The group a key reads in the effective group, by the key's rule for a
// group it does not have.
int groupFor(XkbDescPtr xkb, int code, int group) {
  const int groups = XkbKeyNumGroups(xkb, code);
  if (group < groups) return group;
  const unsigned char info = XkbKeyGroupInfo(xkb, code);
  switch (XkbOutOfRangeGroupAction(info)) {
    case XkbClampIntoRange: return groups - 1;
    case XkbRedirectIntoRange: {
      const int g = XkbOutOfRangeGroupNumber(info);
      return g < groups ? g : 0;
    }
    default: return group % groups;
  }
}

}  // namespace

std::vector<KeyLevels> readKeyLevels(Display* dpy, int minCode, int maxCode, const std::vector<KeySym>& coreMap,
                                     int perCode) {
  std::vector<KeyLevels> out(size_t(maxCode - minCode + 1));
  XkbStateRec state{};
  XkbDescPtr xkb = nullptr;
  if (XkbGetState(dpy, XkbUseCoreKbd, &state) == Success)
    xkb = XkbGetMap(dpy, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
  for (int c = minCode; c <= maxCode; ++c) {
    KeyLevels& l = out[size_t(c - minCode)];
    if (!xkb) {
      const KeySym* row = &coreMap[size_t((c - minCode) * perCode)];
      l = {row[0], perCode > 1 ? row[1] : NoSymbol};
      continue;
    }
    if (c < xkb->min_key_code || c > xkb->max_key_code || XkbKeyNumGroups(xkb, c) == 0) continue;
    const int g = groupFor(xkb, c, state.group);
    const XkbKeyTypePtr type = XkbKeyKeyType(xkb, c, g);
    l.plain = XkbKeySymEntry(xkb, c, 0, g);
    for (int i = 0; i < type->map_count; ++i)
      if (type->map[i].active && type->map[i].mods.mask == ShiftMask && type->map[i].level < XkbKeyGroupWidth(xkb, c, g))
        l.shifted = XkbKeySymEntry(xkb, c, type->map[i].level, g);
  }
  if (xkb) XkbFreeKeyboard(xkb, 0, True);
  return out;
}

}  // namespace x11
