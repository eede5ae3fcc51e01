// The Wayland back end's pure parts: the keymap it uploads, read back with
// xkbcommon as the target program reads it, and which windows it may choose.
#include <xkbcommon/xkbcommon.h>

#include <QtTest>

#include "platform/key_string.h"
#include "platform/wayland/own_app_id.h"
#include "platform/wayland/wayland_keymap.h"
#include "platform/wayland/wayland_toplevels.h"

using wayland::KeyAction;

namespace {

KeyStroke ch(char32_t c) { return {KeyStroke::Key::Character, c, false}; }

// What the target reads, with the keymap compiled as a client does; "!" if a key or modifier stays
// down or the highest code types anything (GTK 3 looks keys up below it only).
QString typed(wayland::Keymap& keymap, const std::vector<KeyAction>& actions, bool asText = false) {
  xkb_context* ctx = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  xkb_keymap* map =
      xkb_keymap_new_from_string(ctx, keymap.text().c_str(), XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
  auto sym = [map](std::uint32_t code) {
    const xkb_keysym_t* syms = nullptr;
    return xkb_keymap_key_get_syms_by_level(map, code, 0, 0, &syms) == 1 ? syms[0] : XKB_KEY_NoSymbol;
  };
  QString out;
  std::uint32_t mods = 0;
  int down = 0;
  for (const KeyAction& a : actions) {
    if (a.kind == KeyAction::Kind::Modifiers) mods = a.value;
    if (a.kind == KeyAction::Kind::Key) down += a.down ? 1 : -1;
    if (a.kind == KeyAction::Kind::Modifiers || !a.down) continue;
    for (const char* mod : {XKB_MOD_NAME_CTRL, XKB_MOD_NAME_ALT, XKB_MOD_NAME_SHIFT})
      if (!asText && mods & (1u << xkb_keymap_mod_get_index(map, mod))) out += QString(mod) + "+";
    char name[64];
    xkb_keysym_get_name(sym(a.value), name, sizeof name);
    const char32_t cp = xkb_keysym_to_utf32(sym(a.value));
    out += asText ? QString::fromUcs4(&cp, 1) : QString(name) + " ";
  }
  if (down != 0 || mods != 0 || sym(xkb_keymap_max_keycode(map)) != XKB_KEY_VoidSymbol) out += "!";
  xkb_keymap_unref(map);
  xkb_context_unref(ctx);
  return out;
}

}  // namespace

class TestWaylandKeys : public QObject {
  Q_OBJECT
 private slots:
  // Never ours (the desktop entry's id natively; the class, also the executable's name, under Xwayland), closed
  // or not yet described; a window there before the run loses to a new one. The ranking is the shared choice's.
  void windowsOfferedToTheChoice() {
    for (const char* id : {"example.talvorstart.talvorstart", "Example.Talvorstart.Talvorstart", "test_wayland_keys",
                           "Test_wayland_keys"})
      QVERIFY2(wayland::isOwnAppId(id), id);
    QVERIFY(!wayland::isOwnAppId("demo-backup") && !wayland::isOwnAppId(""));
    std::list<wayland::Toplevel> windows = {{nullptr, 1, "Microsoft Backup", "talvorstart", false, true},
                                            {nullptr, 3, "Microsoft Backup - Job 1", "backup", false, true},
                                            {nullptr, 4, "Microsoft Backup", "backup", false, true}};
    std::vector<int> chosen;
    auto choose = [&](std::uint64_t firstNew) {
      const auto* t = wayland::findByTitle(
          windows, "Microsoft Backup", TitleMatch::Start, [](const auto& t) { return t.appId == "talvorstart"; },
          firstNew);
      chosen.push_back(t ? int(t->serial) : 0);
    };
    choose(0);
    windows.back().closed = true;
    choose(0);
    windows.front().appId = "backup";
    choose(0);
    windows.front().described = false;
    choose(0);
    windows.front().described = true;
    choose(2);
    QCOMPARE(chosen, std::vector<int>({4, 3, 1, 3, 3}));
  }

  // A shortcut letter is its key without Shift; the plain 'x' has no Alt. Characters beyond ASCII
  // get keys of their own; a string with one that cannot be typed, or with more characters than
  // key codes, changes nothing.
  void keysReadBackAsMeantOrNothingChanges() {
    wayland::Keymap keymap;
    std::vector<KeyAction> actions;
    std::string reason;
    const ParsedKeys keys = parseKeyString("%B{UP}{DOWN}{ENTER}{F1}%Sx^S+{TAB}{ESC}{F12}{SPACE}{LEFT}{END}");
    QVERIFY(keys.status.ok() && keymap.plan(keys.strokes, actions, reason));
    QCOMPARE(typed(keymap, actions),
             QString("Mod1+b Up Down Return F1 Mod1+s x Control+s Shift+Tab Escape F12 space Left End "));
    actions.clear();
    QVERIFY(!keymap.plan({ch(U'é'), ch(0x01)}, actions, reason));
    QVERIFY(actions.empty() && !keymap.changed());
    QVERIFY(reason.find("U+0001") != std::string::npos);
    std::vector<KeyStroke> many;
    for (char32_t c = 0x4e00; c < 0x4e00 + 300; ++c) many.push_back(ch(c));
    QVERIFY(!keymap.plan(many, actions, reason));
    QVERIFY(actions.empty() && !keymap.changed());
    QVERIFY(keymap.plan({ch(U'é'), ch(U'€'), ch(U'中')}, actions, reason));
    QVERIFY(keymap.changed());
    QCOMPARE(typed(keymap, actions, true), QStringLiteral("é€中"));
  }
};

QTEST_GUILESS_MAIN(TestWaylandKeys)
#include "test_wayland_keys.moc"
