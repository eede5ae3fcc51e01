// The KDE back end's pure part: key strings as presses of the keys that the
// user's own layout has for them, since KWin's fake input takes key codes.
#include <xkbcommon/xkbcommon.h>

#include <QtTest>

#include "platform/kde/layout_keys.h"
#include "platform/key_string.h"

using kde::EvdevKey;
using kde::LayoutKeys;

namespace {

KeyStroke ch(char32_t c, bool alt = false) { return {KeyStroke::Key::Character, c, alt}; }
KeyStroke named(KeyStroke::Key k) { return {k, 0, false}; }

// Linux key codes (input-event-codes.h) of a PC keyboard.
constexpr std::uint32_t kLeftAlt = 56, kLeftShift = 42, kRightAlt = 100, kLeftCtrl = 29;
constexpr std::uint32_t kA = 30, kB = 48, kQ = 16, kY = 21, kZ = 44, kUp = 103, kEnter = 28, kS = 31, kTab = 15,
                        kF5 = 63;

// The keymap text that KWin sends for these layouts.
std::string keymapText(const char* layouts) {
  xkb_context* ctx = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  const xkb_rule_names names = {"evdev", "pc105", layouts, "", ""};
  xkb_keymap* map = xkb_keymap_new_from_names(ctx, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
  std::string text;
  if (map) {
    char* s = xkb_keymap_get_as_string(map, XKB_KEYMAP_FORMAT_TEXT_V1);
    text = s;
    free(s);
    xkb_keymap_unref(map);
  }
  xkb_context_unref(ctx);
  return text;
}

std::vector<EvdevKey> tap(std::initializer_list<std::uint32_t> held, std::uint32_t key) {
  std::vector<EvdevKey> out;
  for (std::uint32_t h : held) out.push_back({h, true});
  out.push_back({key, true});
  out.push_back({key, false});
  for (auto h = std::rbegin(held); h != std::rend(held); ++h) out.push_back({*h, false});
  return out;
}

std::vector<EvdevKey> join(std::initializer_list<std::vector<EvdevKey>> parts) {
  std::vector<EvdevKey> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

}  // namespace

class TestKdeKeys : public QObject {
  Q_OBJECT
 private slots:
  void shortcutsArrowsAndEnterOnAUsKeyboard() {
    LayoutKeys keys;
    std::string reason;
    QVERIFY(keys.load(keymapText("us"), reason));
    std::vector<EvdevKey> out;
    QVERIFY(keys.plan({ch('B', true), named(KeyStroke::Key::Up), named(KeyStroke::Key::Enter), ch('b', true)}, out,
                      reason));
    QVERIFY(out == join({tap({kLeftAlt}, kB), tap({}, kUp), tap({}, kEnter), tap({kLeftAlt}, kB)}));
  }

  void ctrlShiftAndNamedKeysOfTheNotation() {
    kde::LayoutKeys keys;
    std::string reason;
    QVERIFY(keys.load(keymapText("us"), reason));
    std::vector<EvdevKey> out;
    const ParsedKeys parsed = parseKeyString("^S+{TAB}{F5}^+s");
    QVERIFY(parsed.status.ok());
    QVERIFY(keys.plan(parsed.strokes, out, reason));
    QVERIFY(out == join({tap({kLeftCtrl}, kS), tap({kLeftShift}, kTab), tap({}, kF5), tap({kLeftCtrl, kLeftShift}, kS)}));
  }

  void capitalsTakeShift() {
    LayoutKeys keys;
    std::string reason;
    QVERIFY(keys.load(keymapText("us"), reason));
    std::vector<EvdevKey> out;
    QVERIFY(keys.plan({ch('A'), ch('a')}, out, reason));
    QVERIFY(out == join({tap({kLeftShift}, kA), tap({}, kA)}));
  }

  // On a German keyboard y and z swap places, and @ is AltGr+Q.
  void theUsersLayoutDecidesTheKey() {
    LayoutKeys keys;
    std::string reason;
    QVERIFY(keys.load(keymapText("de"), reason));
    std::vector<EvdevKey> out;
    QVERIFY(keys.plan({ch('y'), ch('z'), ch('@')}, out, reason));
    QVERIFY(out == join({tap({}, kZ), tap({}, kY), tap({kRightAlt}, kQ)}));
  }

  void aCharacterTheLayoutLacksIsRefusedWithNothingPlanned() {
    LayoutKeys keys;
    std::string reason;
    QVERIFY(keys.load(keymapText("us"), reason));
    std::vector<EvdevKey> out;
    QVERIFY(!keys.plan({ch('a'), ch(U'\u00e9')}, out, reason));
    QVERIFY(out.empty());
    QVERIFY2(QString::fromStdString(reason).contains(QLatin1String("U+00E9")), reason.c_str());
    QVERIFY(!keys.plan({ch(U'\u0007')}, out, reason));
  }

  // KWin types with whichever layout the user switched to last: a key
  // counts only when every layout gives the same symbol.
  void withTwoLayoutsOnlyKeysThatAgree() {
    LayoutKeys keys;
    std::string reason;
    QVERIFY(keys.load(keymapText("us,de"), reason));
    std::vector<EvdevKey> out;
    QVERIFY(keys.plan({ch('a'), ch('S', true), named(KeyStroke::Key::Down)}, out, reason));
    QVERIFY(!keys.plan({ch('y')}, out, reason));
    QVERIFY2(QString::fromStdString(reason).contains(QLatin1String("cannot type")), reason.c_str());
  }

  void aBrokenKeymapIsRefused() {
    LayoutKeys keys;
    std::string reason;
    QVERIFY(!keys.load("xkb_keymap { nonsense", reason));
    QVERIFY(!reason.empty());
    std::vector<EvdevKey> out;
    QVERIFY(!keys.plan({ch('a')}, out, reason));
    QVERIFY(out.empty());
  }
};

QTEST_GUILESS_MAIN(TestKdeKeys)
#include "test_kde_keys.moc"
