// The GNOME back end's pure parts: the keysym presses and releases that
// the shell extension types for each stroke, and which focused window may
// get them.
#include <xkbcommon/xkbcommon.h>

#include <QtTest>

#include "platform/gnome/gnome_dialogs.h"
#include "platform/gnome/gnome_keys.h"
#include "platform/key_string.h"

using gnome::KeyEvent;

namespace {

KeyStroke ch(char32_t c, bool alt = false) { return {KeyStroke::Key::Character, c, alt}; }

}  // namespace

class TestGnomeKeys : public QObject {
  Q_OBJECT
 private slots:
  // Alt and a letter is the lower-case key inside Alt; named keys, text and
  // modifiers in order.
  void keysInOrder() {
    std::vector<KeyEvent> out;
    std::string reason;
    const ParsedKeys keys = parseKeyString("%B{UP}{ENTER}{F1}A\xC3\xA9^+s");
    QVERIFY(keys.status.ok());
    QVERIFY(gnome::planKeys(keys.strokes, out, reason));
    const std::vector<KeyEvent> want = {
        {XKB_KEY_Alt_L, true},  {XKB_KEY_b, true},       {XKB_KEY_b, false},        {XKB_KEY_Alt_L, false},
        {XKB_KEY_Up, true},     {XKB_KEY_Up, false},     {XKB_KEY_Return, true},    {XKB_KEY_Return, false},
        {XKB_KEY_F1, true},     {XKB_KEY_F1, false},     {XKB_KEY_A, true},         {XKB_KEY_A, false},
        {XKB_KEY_eacute, true}, {XKB_KEY_eacute, false}, {XKB_KEY_Control_L, true}, {XKB_KEY_Shift_L, true},
        {XKB_KEY_s, true},      {XKB_KEY_s, false},      {XKB_KEY_Shift_L, false},  {XKB_KEY_Control_L, false}};
    QVERIFY(out == want);
  }

  // A control character has no key: nothing of the string is typed.
  void untypableCharacterPlansNothing() {
    std::vector<KeyEvent> out = {{XKB_KEY_a, true}};
    std::string reason;
    QVERIFY(!gnome::planKeys({ch('a'), ch(0x01)}, out, reason));
    QCOMPARE(out.size(), size_t(1));
    QVERIFY(reason.find("U+0001") != std::string::npos);
  }

  // A dialog of a dialog of the target may get keys; another window of the
  // same program, or a loop of parents, may not.
  void onlyDialogsOfTheTargetMayGetKeys() {
    gnome::ShellWindow target, dialog, inner, other, loopA, loopB;
    target.id = 1;
    dialog.id = 2;
    dialog.parent = 1;
    inner.id = 3;
    inner.parent = 2;
    other.id = 4;
    other.pid = target.pid = 77;
    loopA.id = 5;
    loopA.parent = 6;
    loopB.id = 6;
    loopB.parent = 5;
    const std::vector<gnome::ShellWindow> all = {target, dialog, inner, other, loopA, loopB};
    QVERIFY(gnome::isDialogOf(dialog, all, 1));
    QVERIFY(gnome::isDialogOf(inner, all, 1));
    QVERIFY(!gnome::isDialogOf(other, all, 1));
    QVERIFY(!gnome::isDialogOf(target, all, 2));
    QVERIFY(!gnome::isDialogOf(loopA, all, 1));
  }
};

QTEST_GUILESS_MAIN(TestGnomeKeys)
#include "test_gnome_keys.moc"
