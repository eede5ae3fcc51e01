// Which focused window may get the keys meant for the activated window.
#include <QtTest>

#include "platform/x11/focus_rule.h"

using x11::FocusedWindow;
using x11::Receiver;

Q_DECLARE_METATYPE(Receiver)

namespace {
constexpr unsigned long kTarget = 0x400007;
}

class TestFocusRule : public QObject {
  Q_OBJECT
 private slots:
  void receivers_data() {
    QTest::addColumn<unsigned long>("target");
    QTest::addColumn<unsigned long>("focused");
    QTest::addColumn<bool>("overrideRedirect");
    QTest::addColumn<bool>("sameClient");
    QTest::addColumn<QList<unsigned long>>("transientFor");
    QTest::addColumn<Receiver>("expected");
    using L = QList<unsigned long>;
    const unsigned long t = kTarget;
    QTest::newRow("the window itself") << t << t << false << true << L{} << Receiver::Target;
    QTest::newRow("its dialog") << t << 0x400020ul << false << true << L{t} << Receiver::Dialog;
    QTest::newRow("a dialog of its dialog") << t << 0x400030ul << false << true << L{0x400020, t} << Receiver::Dialog;
    QTest::newRow("another process's dialog for it") << t << 0x600005ul << false << false << L{t} << Receiver::Dialog;
    QTest::newRow("its drop-down list") << t << 0x400040ul << true << true << L{} << Receiver::PopUp;
    QTest::newRow("another window of its program") << t << 0x400050ul << false << true << L{} << Receiver::Other;
    QTest::newRow("a dialog of another window") << t << 0x400060ul << false << true << L{0x400050} << Receiver::Other;
    QTest::newRow("another program's pop-up") << t << 0x600010ul << true << false << L{} << Receiver::Other;
    QTest::newRow("another program's window") << t << 0x600020ul << false << false << L{} << Receiver::Other;
    QTest::newRow("no target") << 0ul << t << false << true << L{} << Receiver::Other;
    QTest::newRow("no focus") << t << 0ul << false << false << L{} << Receiver::Other;
  }
  void receivers() {
    QFETCH(unsigned long, target);
    QFETCH(unsigned long, focused);
    QFETCH(bool, overrideRedirect);
    QFETCH(bool, sameClient);
    QFETCH(QList<unsigned long>, transientFor);
    QFETCH(Receiver, expected);
    FocusedWindow f;
    f.id = focused;
    f.overrideRedirect = overrideRedirect;
    f.sameClient = sameClient;
    f.transientFor.assign(transientFor.begin(), transientFor.end());
    const Receiver r = x11::classifyReceiver(target, f);
    QCOMPARE(r, expected);
    QCOMPARE(x11::mayReceiveKeys(r), expected != Receiver::Other);
  }
};

QTEST_APPLESS_MAIN(TestFocusRule)
#include "test_focus_rule.moc"
