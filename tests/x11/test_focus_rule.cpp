// Which focused window may get the keys meant for the activated window.
#include <QtTest>

#include "platform/x11/focus_rule.h"

using x11::Receiver;

class TestFocusRule : public QObject {
  Q_OBJECT
 private slots:
  void receivers() {
    const unsigned long t = 0x400007;
    // What the focused window is; the target; the focused window: id, override-redirect, same client, transient for.
    const std::tuple<const char*, unsigned long, x11::FocusedWindow, Receiver> cases[] = {
        {"the window itself", t, {t, false, true, {}}, Receiver::Target},
        {"its dialog", t, {0x400020, false, true, {t}}, Receiver::Dialog},
        {"a dialog of its dialog", t, {0x400030, false, true, {0x400020, t}}, Receiver::Dialog},
        {"another process's dialog for it", t, {0x600005, false, false, {t}}, Receiver::Dialog},
        {"its drop-down list", t, {0x400040, true, true, {}}, Receiver::PopUp},
        {"another window of its program", t, {0x400050, false, true, {}}, Receiver::Other},
        {"a dialog of another window", t, {0x400060, false, true, {0x400050}}, Receiver::Other},
        {"another program's pop-up", t, {0x600010, true, false, {}}, Receiver::Other},
        {"another program's window", t, {0x600020, false, false, {}}, Receiver::Other},
        {"no target", 0, {t, false, true, {}}, Receiver::Other},
        {"no focus", t, {0, false, false, {}}, Receiver::Other},
    };
    for (const auto& [what, target, focused, expected] : cases) {
      const Receiver r = x11::classifyReceiver(target, focused);
      QVERIFY2(r == expected && x11::mayReceiveKeys(r) == (expected != Receiver::Other), what);
    }
  }
};

QTEST_APPLESS_MAIN(TestFocusRule)
#include "test_focus_rule.moc"
