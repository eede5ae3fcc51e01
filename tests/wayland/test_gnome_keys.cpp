// The GNOME back end's pure parts: the keysyms the shell extension presses
// and releases for each stroke, and which focused window may get them.
#include <xkbcommon/xkbcommon.h>

#include <QtTest>

#include "platform/gnome/gnome_dialogs.h"
#include "platform/gnome/gnome_keys.h"
#include "platform/key_string.h"

class TestGnomeKeys : public QObject {
  Q_OBJECT
 private slots:
  // Alt and a letter is the lower-case key inside Alt; a control character
  // has no key, so nothing of its string is typed.
  void keysInOrderOrNone() {
    std::vector<gnome::KeyEvent> out;
    std::string reason;
    const ParsedKeys keys = parseKeyString("%B{UP}{ENTER}{F1}A\xC3\xA9^+s");
    QVERIFY(keys.status.ok() && gnome::planKeys(keys.strokes, out, reason));
    QString shown;
    for (const auto& e : out) {
      char name[64];
      xkb_keysym_get_name(e.keysym, name, sizeof name);
      shown += (e.down ? " +" : " -") + QString(name);
    }
    QCOMPARE(shown, QString(" +Alt_L +b -b -Alt_L +Up -Up +Return -Return +F1 -F1 +A -A +eacute -eacute"
                            " +Control_L +Shift_L +s -s -Shift_L -Control_L"));
    const std::vector<gnome::KeyEvent> before = out;
    QVERIFY(!gnome::planKeys({{KeyStroke::Key::Character, 'a', false}, {KeyStroke::Key::Character, 0x01, false}}, out,
                             reason));
    QVERIFY(out == before);
    QVERIFY(reason.find("U+0001") != std::string::npos);
  }

  // A dialog of a dialog of the target may get keys; another window of its program, or a loop of parents, may not.
  void onlyDialogsOfTheTargetMayGetKeys() {
    // id, title, class, pid, focused, sequence, parent
    const std::vector<gnome::ShellWindow> all = {
        {1, "", "", 77}, {2, "", "", 0, false, 0, 1}, {3, "", "", 0, false, 0, 2},
        {4, "", "", 77}, {5, "", "", 0, false, 0, 6}, {6, "", "", 0, false, 0, 5}};
    QVERIFY(gnome::isDialogOf(all[1], all, 1) && gnome::isDialogOf(all[2], all, 1));
    QVERIFY(!gnome::isDialogOf(all[3], all, 1) && !gnome::isDialogOf(all[4], all, 1) &&
            !gnome::isDialogOf(all[0], all, 2));
  }
};

QTEST_GUILESS_MAIN(TestGnomeKeys)
#include "test_gnome_keys.moc"
