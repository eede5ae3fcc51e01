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

}  // namespace

class TestAutomationChoice : public QObject {
  Q_OBJECT
 private slots:
  void waylandWithBothProtocolsGetsItsOwnBackEnd() {
    SessionFacts f;
    f.waylandSession = f.waylandUsable = f.x11Reachable = true;
    const Decision d = decideBackend(f);
    QVERIFY(d.backend == Backend::Wayland);
    QVERIFY(d.problem.empty() && d.note.empty());
  }

  void desktopWithoutTheProtocolsFallsBackToX11OrSaysWhy() {
    SessionFacts f;
    f.waylandSession = true;
    f.desktop = "GNOME";
    f.waylandLacking = "neither a list of windows nor a virtual keyboard";

    f.x11Reachable = true;  // Xwayland: X11 programs can still be reached
    Decision d = decideBackend(f);
    QVERIFY(d.backend == Backend::X11);
    QVERIFY(d.problem.empty());
    QVERIFY(d.note.find("Xwayland") != std::string::npos);

    f.x11Reachable = false;
    d = decideBackend(f);
    QVERIFY(d.backend == Backend::Unreachable);
    const QString problem = QString::fromStdString(d.problem);
    for (const char* part : {"GNOME on Wayland", "neither a list of windows nor a virtual keyboard", "X11 session",
                             "wlroots", "no job is chosen"})
      QVERIFY2(problem.contains(QLatin1String(part)), part);
  }

  void gnomeWithItsExtensionGetsTheGnomeBackEnd() {
    SessionFacts f;
    f.waylandSession = f.gnomeShell = f.gnomeExtension = f.x11Reachable = true;
    f.desktop = "GNOME";
    const Decision d = decideBackend(f);
    QVERIFY(d.backend == Backend::Gnome);
    QVERIFY(d.problem.empty() && d.note.empty());

    // A compositor that offers the protocols keeps its own back end.
    f.waylandUsable = true;
    QVERIFY(decideBackend(f).backend == Backend::Wayland);
  }

  // The extension is not running: the user is told what to do, and with
  // Xwayland only X11 programs are reached meanwhile.
  void gnomeWithoutTheExtensionSaysHowToGetIt() {
    SessionFacts f;
    f.waylandSession = f.gnomeShell = true;
    f.desktop = "ubuntu:GNOME";
    f.waylandLacking = "neither a list of windows nor a virtual keyboard";
    for (bool x11 : {false, true}) {
      f.x11Reachable = x11;
      const Decision d = decideBackend(f);
      QVERIFY(d.backend == (x11 ? Backend::X11 : Backend::Unreachable));
      const QString problem = QString::fromStdString(d.problem);
      for (const char* part : {"ubuntu:GNOME on Wayland", "GNOME Shell extension", "install the talvorstart package",
                               "gnome-extensions enable talvorstart@example.talvorstart", "log out and log in"})
        QVERIFY2(problem.contains(QLatin1String(part)), part);
      QCOMPARE(problem.contains(QLatin1String("no job is chosen")), !x11);
      QCOMPARE(problem.contains(QLatin1String("Xwayland")), x11);
    }

    // The extension on an X11 session is not used: X11 reaches everything there.
    f.waylandSession = false;
    f.gnomeExtension = f.x11Reachable = true;
    const Decision d = decideBackend(f);
    QVERIFY(d.backend == Backend::X11);
    QVERIFY(d.problem.empty());
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

  void kwinThatGrantsItsInterfacesGetsTheKdeBackEnd() {
    SessionFacts f;
    f.waylandSession = f.kdeUsable = f.x11Reachable = true;
    f.desktop = "KDE";
    Decision d = decideBackend(f);
    QVERIFY(d.backend == Backend::Kde);
    QVERIFY(d.problem.empty() && d.note.empty());

    f.waylandSession = false;  // an X11 session, though a KWin answered
    QVERIFY(decideBackend(f).backend == Backend::X11);
  }

  // KWin hides both interfaces from a program no desktop file grants them:
  // the user must learn which file grants them, and to which path.
  void kwinWithoutTheGrantSaysWhatToInstall() {
    SessionFacts f;
    f.waylandSession = f.kwinWithoutGrant = true;
    f.desktop = "KDE Plasma (KWin)";
    f.waylandLacking = "its window list only to programs that a desktop file names";
    f.ownBinary = "/home/u/build/stage/talvorstart";

    Decision d = decideBackend(f);
    QVERIFY(d.backend == Backend::Unreachable);
    QString problem = QString::fromStdString(d.problem);
    for (const char* part :
         {"KDE Plasma (KWin) on Wayland", "no job is chosen", "X-KDE-Wayland-Interfaces",
          "Install the talvorstart package", "/usr/share/applications/example.talvorstart.talvorstart.desktop",
          "start Talvor Start as /usr/bin/talvorstart", "This copy runs as /home/u/build/stage/talvorstart"})
      QVERIFY2(problem.contains(QLatin1String(part)), part);
    QVERIFY2(!problem.contains(QLatin1String("wlroots")), "advice for another desktop");

    // Installed under another prefix: the advice names that prefix, and no other copy.
    f.ownBinary = "/opt/tools/bin/talvorstart";
    problem = QString::fromStdString(decideBackend(f).problem);
    QVERIFY(problem.contains(QLatin1String("/opt/tools/share/applications/example.talvorstart.talvorstart.desktop")));
    QVERIFY(problem.contains(QLatin1String("as /opt/tools/bin/talvorstart")));
    QVERIFY(!problem.contains(QLatin1String("This copy")));

    // With Xwayland the run goes on for X11 programs, and the note says the same.
    f.x11Reachable = true;
    d = decideBackend(f);
    QVERIFY(d.backend == Backend::X11);
    QVERIFY(d.problem.empty());
    const QString note = QString::fromStdString(d.note);
    QVERIFY(note.contains(QLatin1String("Xwayland")));
    QVERIFY(note.contains(QLatin1String("/opt/tools/share/applications/example.talvorstart.talvorstart.desktop")));
  }

  void plainX11SessionHasNothingToSay() {
    SessionFacts f;
    f.x11Reachable = true;
    const Decision d = decideBackend(f);
    QVERIFY(d.backend == Backend::X11);
    QVERIFY(d.problem.empty() && d.note.empty());
  }
};

QTEST_GUILESS_MAIN(TestAutomationChoice)
#include "test_automation_choice.moc"
