// The Wayland back end's pure parts: the keymap it uploads, read back with
// xkbcommon as the target program reads it, and the choice of a window by
// title.
#include <xkbcommon/xkbcommon.h>

#include <QtTest>

#include "platform/key_string.h"
#include "platform/wayland/own_app_id.h"
#include "platform/wayland/wayland_keymap.h"
#include "platform/wayland/wayland_toplevels.h"

using wayland::KeyAction;
using wayland::Keymap;

namespace {

KeyStroke ch(char32_t c, bool alt = false) { return {KeyStroke::Key::Character, c, alt}; }

// The keymap compiled as a client compiles it.
struct Compiled {
  xkb_context* ctx = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  xkb_keymap* map = nullptr;
  explicit Compiled(const std::string& text) {
    map = xkb_keymap_new_from_string(ctx, text.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
  }
  ~Compiled() {
    xkb_keymap_unref(map);
    xkb_context_unref(ctx);
  }
  xkb_keysym_t sym(std::uint32_t code) const {
    const xkb_keysym_t* syms = nullptr;
    return xkb_keymap_key_get_syms_by_level(map, code, 0, 0, &syms) == 1 ? syms[0] : XKB_KEY_NoSymbol;
  }
};

// The keysyms that the target reads from the planned presses.
QStringList typed(Keymap& keymap, const std::vector<KeyAction>& actions, bool* altHeld = nullptr) {
  Compiled c(keymap.text());
  QStringList out;
  std::uint32_t mods = 0;
  for (const KeyAction& a : actions) {
    if (a.kind == KeyAction::Kind::Modifiers) {
      mods = a.value;
      continue;
    }
    if (!a.down) continue;
    char name[64];
    xkb_keysym_get_name(c.sym(a.value), name, sizeof name);
    xkb_state* state = xkb_state_new(c.map);
    xkb_state_update_mask(state, mods, 0, 0, 0, 0, 0);
    QString held;
    const std::pair<const char*, const char*> mods[] = {
        {XKB_MOD_NAME_CTRL, "Ctrl+"}, {XKB_MOD_NAME_ALT, "Alt+"}, {XKB_MOD_NAME_SHIFT, "Shift+"}};
    for (const auto& [mod, shown] : mods)
      if (xkb_state_mod_name_is_active(state, mod, XKB_STATE_MODS_EFFECTIVE) > 0) held += QString::fromLatin1(shown);
    xkb_state_unref(state);
    out << held + QString::fromLatin1(name);
  }
  if (altHeld) *altHeld = mods != 0;
  return out;
}

}  // namespace

class TestWaylandKeys : public QObject {
  Q_OBJECT
 private slots:
  void windowIsChosenNewFirstThenExactTitleNeverOurs() {
    auto window = [](const char* title, const char* appId, std::uint64_t serial) {
      wayland::Toplevel t;
      t.title = title;
      t.appId = appId;
      t.serial = serial;
      t.described = true;
      return t;
    };
    std::list<wayland::Toplevel> windows = {
        window("Microsoft Backup", "talvorstart", 1),     // ours, though its title matches
        window("microsoft backup", "other", 2),           // wrong case
        window("Microsoft Backup - Job 1", "backup", 3),  // begins with the title
        window("Microsoft Backup", "backup", 4),          // the exact title wins
    };
    const auto isOurs = [](const wayland::Toplevel& t) { return t.appId == "talvorstart"; };
    std::uint64_t firstNew = 0;
    auto serialOf = [&](const std::string& title) {
      const wayland::Toplevel* t = wayland::findByTitle(windows, title, TitleMatch::Start, isOurs, firstNew);
      return t ? t->serial : 0;
    };
    QCOMPARE(serialOf("Microsoft Backup"), std::uint64_t(4));
    windows.back().closed = true;
    QCOMPARE(serialOf("Microsoft Backup"), std::uint64_t(3));
    windows.front().appId = "backup";
    QCOMPARE(serialOf("Microsoft Backup"), std::uint64_t(1));
    windows.front().described = false;  // title not known yet
    QCOMPARE(serialOf("Microsoft Backup"), std::uint64_t(3));
    QCOMPARE(serialOf("MICROSOFT"), std::uint64_t(0));
    QCOMPARE(serialOf(""), std::uint64_t(0));
    // A window there before the run loses to a new one that only begins
    // with the title.
    windows.front().described = true;
    firstNew = 2;
    QCOMPARE(serialOf("Microsoft Backup"), std::uint64_t(3));
  }

  void ownWindowsAreKnownByTheDesktopIdOrTheProgramsName() {
    // Native: the desktop entry's id; under Xwayland: the window class, the
    // executable's name (this test's own here) in any case.
    const std::pair<const char*, bool> ids[] = {{"example.talvorstart.talvorstart", true},
                                                {"Example.Talvorstart.Talvorstart", true},
                                                {"test_wayland_keys", true},
                                                {"Test_wayland_keys", true},
                                                {"demo-backup", false},
                                                {"", false}};
    for (const auto& [id, own] : ids) QVERIFY2(wayland::isOwnAppId(id) == own, id);
  }

  void jobSequenceReadsBackAsTheKeysMeant() {
    Keymap keymap;
    std::vector<KeyAction> actions;
    std::string reason;
    const ParsedKeys keys = parseKeyString("%B{UP}{DOWN}{ENTER}{F1}%Sx^S+{TAB}{ESC}{F12}{SPACE}{LEFT}{END}");
    QVERIFY(keys.status.ok());
    QVERIFY(keymap.plan(keys.strokes, actions, reason));
    QVERIFY(Compiled(keymap.text()).map);
    bool altHeld = true;
    // A shortcut letter is its key without Shift; the plain 'x' has no Alt.
    QCOMPARE(typed(keymap, actions, &altHeld),
             QStringList({"Alt+b", "Up", "Down", "Return", "F1", "Alt+s", "x", "Ctrl+s", "Shift+Tab", "Escape", "F12",
                          "space", "Left", "End"}));
    QVERIFY(!altHeld);
    // GTK 3 looks keys up below the highest code only: that one types nothing.
    Compiled c(keymap.text());
    QCOMPARE(c.sym(xkb_keymap_max_keycode(c.map)), xkb_keysym_t(XKB_KEY_VoidSymbol));
    int down = 0;
    for (const KeyAction& a : actions)
      if (a.kind == KeyAction::Kind::Key) down += a.down ? 1 : -1;
    QCOMPARE(down, 0);  // every press released
  }

  // Characters beyond ASCII get keys of their own; a string with one that
  // cannot be typed, or with more characters than key codes, changes nothing.
  void charactersBeyondAsciiGetKeysOfTheirOwnOrNothingChanges() {
    Keymap keymap;
    keymap.text();
    std::vector<KeyAction> actions;
    std::string reason;
    QVERIFY(!keymap.plan({ch(U'é'), ch(0x01)}, actions, reason));
    QVERIFY(actions.empty() && !keymap.changed());
    QVERIFY(reason.find("U+0001") != std::string::npos);
    std::vector<KeyStroke> many;
    for (char32_t c = 0x4e00; c < 0x4e00 + 300; ++c) many.push_back(ch(c));
    QVERIFY(!keymap.plan(many, actions, reason));
    QVERIFY(actions.empty() && !keymap.changed());

    QVERIFY(keymap.plan({ch(U'é'), ch(U'€'), ch(U'中')}, actions, reason));
    QVERIFY(keymap.changed());
    Compiled c(keymap.text());
    QString text;
    for (const KeyAction& a : actions) {
      if (a.kind != KeyAction::Kind::Key || !a.down) continue;
      const char32_t cp = xkb_keysym_to_utf32(c.sym(a.value));
      text += QString::fromUcs4(&cp, 1);
    }
    QCOMPARE(text, QStringLiteral("é€中"));
  }
};

QTEST_GUILESS_MAIN(TestWaylandKeys)
#include "test_wayland_keys.moc"
