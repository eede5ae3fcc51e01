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
constexpr std::uint32_t kA = 30, kB = 48, kQ = 16, kY = 21, kZ = 44, kUp = 103, kDown = 108, kEnter = 28, kS = 31,
                        kTab = 15, kF5 = 63;

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
  // The layouts KWin sends, the strokes, and the key presses planned for them.
  // On a German keyboard y and z swap places and @ is AltGr+Q; with two layouts
  // a key counts only when both give the same symbol (KWin types with either).
  void plannedPresses() {
    const std::tuple<const char*, std::vector<KeyStroke>, std::vector<EvdevKey>> rows[] = {
        {"us",
         {ch('B', true), named(KeyStroke::Key::Up), named(KeyStroke::Key::Enter), ch('b', true)},
         join({tap({kLeftAlt}, kB), tap({}, kUp), tap({}, kEnter), tap({kLeftAlt}, kB)})},
        {"us", parseKeyString("^S+{TAB}{F5}^+s").strokes,
         join({tap({kLeftCtrl}, kS), tap({kLeftShift}, kTab), tap({}, kF5), tap({kLeftCtrl, kLeftShift}, kS)})},
        {"us", {ch('A'), ch('a')}, join({tap({kLeftShift}, kA), tap({}, kA)})},
        {"de", {ch('y'), ch('z'), ch('@')}, join({tap({}, kZ), tap({}, kY), tap({kRightAlt}, kQ)})},
        {"us,de",
         {ch('a'), ch('S', true), named(KeyStroke::Key::Down)},
         join({tap({}, kA), tap({kLeftAlt}, kS), tap({}, kDown)})},
    };
    for (const auto& [layouts, strokes, expected] : rows) {
      LayoutKeys keys;
      std::string reason;
      std::vector<EvdevKey> out;
      QVERIFY2(keys.load(keymapText(layouts), reason) && keys.plan(strokes, out, reason), layouts);
      QVERIFY2(out == expected, layouts);
    }
  }

  // A character no layout (or not every layout) has, a control character, a
  // broken keymap: refused with a reason and nothing planned.
  void refusedWithNothingPlanned() {
    const std::tuple<std::string, std::vector<KeyStroke>, const char*> rows[] = {
        {keymapText("us"), {ch('a'), ch(U'\u00e9')}, "U+00E9"},
        {keymapText("us"), {ch(U'\u0007')}, ""},
        {keymapText("us,de"), {ch('y')}, "cannot type"},
        {"xkb_keymap { nonsense", {ch('a')}, ""},
    };
    for (const auto& [keymap, strokes, because] : rows) {
      LayoutKeys keys;
      std::string reason;
      std::vector<EvdevKey> out;
      keys.load(keymap, reason);
      QVERIFY(!keys.plan(strokes, out, reason));
      QVERIFY(out.empty());
      QVERIFY2(!reason.empty() && QString::fromStdString(reason).contains(QLatin1String(because)), reason.c_str());
    }
  }
};

QTEST_GUILESS_MAIN(TestKdeKeys)
#include "test_kde_keys.moc"
