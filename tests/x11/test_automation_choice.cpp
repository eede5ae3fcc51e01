// Which desktop back end a session gets, and what the user is told.
#include <QtTest>

#include "platform/automation_choice.h"
#include "platform/xwayland_only.h"

namespace {

// An X11 back end that finds the one title it is given and counts the
// key strings that reach it.
struct RecordingX11 : Automation {
  int* sent;
  explicit RecordingX11(int* s) : sent(s) {}
  AutomationStatus start(const std::string&, const std::string&, const std::string&, int) override { return {}; }
  void beginRun() override {}
  AutomationStatus activate(const std::string& title, TitleMatch) override {
    if (title == "Microsoft Backup") return {};
    return AutomationStatus::failure(5, "No window has the title");
  }
  AutomationStatus send(const std::vector<KeyStroke>&, bool) override {
    ++*sent;
    return {};
  }
  void setOwnWindow(std::uintptr_t) override {}
};

// "wayland usable x11 kde kwin shell ext": the facts that are true.
SessionFacts factsOf(const QString& flags, const char* desktop, const char* lacking, const char* binary) {
  SessionFacts f;
  const QStringList on = flags.split(' ', Qt::SkipEmptyParts);
  f.waylandSession = on.contains("wayland");
  f.waylandUsable = on.contains("usable");
  f.x11Reachable = on.contains("x11");
  f.kdeUsable = on.contains("kde");
  f.kwinWithoutGrant = on.contains("kwin");
  f.gnomeShell = on.contains("shell");
  f.gnomeExtension = on.contains("ext");
  f.desktop = desktop;
  f.waylandLacking = lacking;
  f.ownBinary = binary;
  return f;
}

const char* const kLacking = "neither a list of windows nor a virtual keyboard";
const char* const kOptDesktopFile = "/opt/tools/share/applications/example.talvorstart.talvorstart.desktop";

}  // namespace

Q_DECLARE_METATYPE(Backend)

class TestAutomationChoice : public QObject {
  Q_OBJECT
 private slots:
  void decision_data() {
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QString>("desktop");
    QTest::addColumn<QString>("lacking");
    QTest::addColumn<QString>("binary");
    QTest::addColumn<Backend>("backend");
    QTest::addColumn<QStringList>("problemHas");  // empty: no problem at all
    QTest::addColumn<QStringList>("problemLacks");
    QTest::addColumn<QStringList>("noteHas");  // empty: no note at all
    const QStringList none;
    const QStringList extension{"GNOME Shell extension", "install the talvorstart package",
                                "gnome-extensions enable talvorstart@example.talvorstart", "log out and log in"};
    QTest::newRow("plain X11") << "x11"
                               << ""
                               << ""
                               << "" << Backend::X11 << none << none << none;
    QTest::newRow("wlroots") << "wayland usable x11"
                             << ""
                             << ""
                             << "" << Backend::Wayland << none << none << none;
    QTest::newRow("no protocols, Xwayland")
        << "wayland x11"
        << "GNOME" << kLacking << "" << Backend::X11 << none << none << QStringList{"Xwayland"};
    QTest::newRow("no protocols, no Xwayland")
        << "wayland"
        << "GNOME" << kLacking << "" << Backend::Unreachable
        << QStringList{"GNOME on Wayland", kLacking, "X11 session", "wlroots", "no job is chosen"} << none << none;
    QTest::newRow("GNOME with the extension") << "wayland shell ext x11"
                                              << "GNOME"
                                              << ""
                                              << "" << Backend::Gnome << none << none << none;
    QTest::newRow("GNOME with the extension and the protocols") << "wayland shell ext x11 usable"
                                                                << "GNOME"
                                                                << ""
                                                                << "" << Backend::Wayland << none << none << none;
    QTest::newRow("GNOME without the extension")
        << "wayland shell"
        << "ubuntu:GNOME" << kLacking << "" << Backend::Unreachable
        << extension + QStringList{"ubuntu:GNOME on Wayland", "no job is chosen"} << QStringList{"Xwayland"} << none;
    QTest::newRow("GNOME without the extension, Xwayland")
        << "wayland shell x11"
        << "ubuntu:GNOME" << kLacking << "" << Backend::X11
        << extension + QStringList{"ubuntu:GNOME on Wayland", "Xwayland"} << QStringList{"no job is chosen"} << none;
    QTest::newRow("the extension on X11") << "shell ext x11"
                                          << "GNOME"
                                          << ""
                                          << "" << Backend::X11 << none << none << none;
    QTest::newRow("KWin that grants") << "wayland kde x11"
                                      << "KDE"
                                      << ""
                                      << "" << Backend::Kde << none << none << none;
    QTest::newRow("KWin on X11") << "kde x11"
                                 << "KDE"
                                 << ""
                                 << "" << Backend::X11 << none << none << none;
    const char* kwinLacks = "its window list only to programs that a desktop file names";
    QTest::newRow("KWin without the grant, a build's copy")
        << "wayland kwin"
        << "KDE Plasma (KWin)" << kwinLacks << "/home/u/build/stage/talvorstart" << Backend::Unreachable
        << QStringList{"KDE Plasma (KWin) on Wayland",
                       "no job is chosen",
                       "X-KDE-Wayland-Interfaces",
                       "Install the talvorstart package",
                       "/usr/share/applications/example.talvorstart.talvorstart.desktop",
                       "start Talvor Start as /usr/bin/talvorstart",
                       "This copy runs as /home/u/build/stage/talvorstart"}
        << QStringList{"wlroots"} << none;
    QTest::newRow("KWin without the grant, installed elsewhere")
        << "wayland kwin"
        << "KDE Plasma (KWin)" << kwinLacks << "/opt/tools/bin/talvorstart" << Backend::Unreachable
        << QStringList{kOptDesktopFile, "as /opt/tools/bin/talvorstart"} << QStringList{"This copy"} << none;
    QTest::newRow("KWin without the grant, Xwayland")
        << "wayland kwin x11"
        << "KDE Plasma (KWin)" << kwinLacks << "/opt/tools/bin/talvorstart" << Backend::X11 << none << none
        << QStringList{"Xwayland", kOptDesktopFile};
  }
  void decision() {
    QFETCH(QString, flags);
    QFETCH(QString, desktop);
    QFETCH(QString, lacking);
    QFETCH(QString, binary);
    QFETCH(Backend, backend);
    QFETCH(QStringList, problemHas);
    QFETCH(QStringList, problemLacks);
    QFETCH(QStringList, noteHas);
    const Decision d = decideBackend(
        factsOf(flags, desktop.toUtf8().constData(), lacking.toUtf8().constData(), binary.toUtf8().constData()));
    QVERIFY(d.backend == backend);
    const QString problem = QString::fromStdString(d.problem), note = QString::fromStdString(d.note);
    QCOMPARE(problem.isEmpty(), problemHas.isEmpty());
    for (const QString& part : problemHas) QVERIFY2(problem.contains(part), qPrintable(part));
    for (const QString& part : problemLacks) QVERIFY2(!problem.contains(part), qPrintable(part));
    if (noteHas.isEmpty() && problemHas.isEmpty()) QVERIFY2(note.isEmpty(), qPrintable(note));
    for (const QString& part : noteHas) QVERIFY2(note.contains(part), qPrintable(part));
  }

  // Under KWin, X11's focus named an X window while a native one had the
  // keyboard: keys went nowhere and the date was stored.
  void x11OnWaylandTypesOnlyAfterAnActivationInThisRun() {
    int sent = 0;
    XwaylandOnly guard(std::make_unique<RecordingX11>(&sent));
    const std::vector<KeyStroke> keys = {{KeyStroke::Key::Up, 0, false}};
    guard.beginRun();
    QVERIFY(!guard.activate("Native Window", TitleMatch::Start).ok());
    AutomationStatus s = guard.send(keys, true);
    QCOMPARE(s.code, 5);
    QVERIFY(s.ownWindow);  // counts as no receiver: nothing more is sent, no date
    QCOMPARE(sent, 0);
    QVERIFY(guard.activate("Microsoft Backup", TitleMatch::Start).ok());
    QVERIFY(guard.send(keys, true).ok());
    QCOMPARE(sent, 1);
    guard.beginRun();  // a new run starts without an activated window
    QCOMPARE(guard.send(keys, true).code, 5);
    QCOMPARE(sent, 1);
  }
};

QTEST_GUILESS_MAIN(TestAutomationChoice)
#include "test_automation_choice.moc"
