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

using Parts = std::vector<const char*>;
struct Case {
  const char* flags;
  const char* desktop;
  const char* lacking;
  const char* binary;
  Backend backend;
  Parts problemHas;  // empty: no problem at all
  Parts problemLacks;
  Parts noteHas;  // empty, with no problem: no note at all
};

const char* const kLacking = "neither a list of windows nor a virtual keyboard";
const char* const kKwinLacks = "its window list only to programs that a desktop file names";
const char* const kOptDesktopFile = "/opt/tools/share/applications/example.talvorstart.talvorstart.desktop";
const Parts kExtension{"GNOME Shell extension", "install the talvorstart package",
                       "gnome-extensions enable talvorstart@example.talvorstart", "log out and log in"};
Parts plus(Parts a, const Parts& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const Case kCases[] = {
    {"x11", "", "", "", Backend::X11, {}, {}, {}},
    {"wayland usable x11", "", "", "", Backend::Wayland, {}, {}, {}},
    {"wayland x11", "GNOME", kLacking, "", Backend::X11, {}, {}, {"Xwayland"}},
    {"wayland",
     "GNOME",
     kLacking,
     "",
     Backend::Unreachable,
     {"GNOME on Wayland", kLacking, "X11 session", "wlroots", "no job is chosen"},
     {},
     {}},
    {"wayland shell ext x11", "GNOME", "", "", Backend::Gnome, {}, {}, {}},
    {"wayland shell ext x11 usable", "GNOME", "", "", Backend::Wayland, {}, {}, {}},
    {"wayland shell",
     "ubuntu:GNOME",
     kLacking,
     "",
     Backend::Unreachable,
     plus(kExtension, {"ubuntu:GNOME on Wayland", "no job is chosen"}),
     {"Xwayland"},
     {}},
    {"wayland shell x11",
     "ubuntu:GNOME",
     kLacking,
     "",
     Backend::X11,
     plus(kExtension, {"ubuntu:GNOME on Wayland", "Xwayland"}),
     {"no job is chosen"},
     {}},
    {"shell ext x11", "GNOME", "", "", Backend::X11, {}, {}, {}},  // the extension is not used on X11
    {"wayland kde x11", "KDE", "", "", Backend::Kde, {}, {}, {}},
    {"kde x11", "KDE", "", "", Backend::X11, {}, {}, {}},
    {"wayland kwin",
     "KDE Plasma (KWin)",
     kKwinLacks,
     "/home/u/build/stage/talvorstart",
     Backend::Unreachable,
     {"KDE Plasma (KWin) on Wayland", "no job is chosen", "X-KDE-Wayland-Interfaces", "Install the talvorstart package",
      "/usr/share/applications/example.talvorstart.talvorstart.desktop", "start Talvor Start as /usr/bin/talvorstart",
      "This copy runs as /home/u/build/stage/talvorstart"},
     {"wlroots"},
     {}},
    {"wayland kwin",
     "KDE Plasma (KWin)",
     kKwinLacks,
     "/opt/tools/bin/talvorstart",
     Backend::Unreachable,
     {kOptDesktopFile, "as /opt/tools/bin/talvorstart"},
     {"This copy"},
     {}},
    {"wayland kwin x11",
     "KDE Plasma (KWin)",
     kKwinLacks,
     "/opt/tools/bin/talvorstart",
     Backend::X11,
     {},
     {},
     {"Xwayland", kOptDesktopFile}},
};

}  // namespace

class TestAutomationChoice : public QObject {
  Q_OBJECT
 private slots:
  void decisions() {
    for (const Case& c : kCases) {
      const Decision d = decideBackend(factsOf(c.flags, c.desktop, c.lacking, c.binary));
      const QString where = QString("%1 / %2 / %3").arg(c.flags, c.desktop, c.binary);
      QVERIFY2(d.backend == c.backend, qPrintable(where));
      const QString problem = QString::fromStdString(d.problem), note = QString::fromStdString(d.note);
      QVERIFY2(problem.isEmpty() == c.problemHas.empty(), qPrintable(where + ": " + problem));
      for (const char* part : c.problemHas) QVERIFY2(problem.contains(part), qPrintable(where + ": " + part));
      for (const char* part : c.problemLacks) QVERIFY2(!problem.contains(part), qPrintable(where + ": " + part));
      if (c.noteHas.empty() && c.problemHas.empty()) QVERIFY2(note.isEmpty(), qPrintable(where + ": " + note));
      for (const char* part : c.noteHas) QVERIFY2(note.contains(part), qPrintable(where + ": " + part));
    }
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
