// Which desktop back end a session gets, and what the user is told.
#include <QtTest>

#include "platform/automation_choice.h"
#include "platform/xwayland_only.h"

namespace {

// An X11 back end that finds only "Microsoft Backup" and counts the key strings that reach it.
struct RecordingX11 : Automation {
  int* sent;
  explicit RecordingX11(int* s) : sent(s) {}
  AutomationStatus start(const std::string&, const std::string&, const std::string&, int) override { return {}; }
  void beginRun() override {}
  AutomationStatus activate(const std::string& title, TitleMatch) override {
    return title == "Microsoft Backup" ? AutomationStatus{} : AutomationStatus::failure(5, "No window has the title");
  }
  AutomationStatus send(const std::vector<KeyStroke>&, bool) override {
    ++*sent;
    return {};
  }
  void setOwnWindow(std::uintptr_t) override {}
};

const std::string kLacking = "neither a list of windows nor a virtual keyboard";
const std::string kKwinLacks = "its window list only to programs that a desktop file names";
const std::string kOptDesktopFile = "/opt/tools/share/applications/example.talvorstart.talvorstart.desktop";
const std::string kExtension =
    "GNOME Shell extension|install the talvorstart package|gnome-extensions enable "
    "talvorstart@example.talvorstart|log out and log in|";

}  // namespace

class TestAutomationChoice : public QObject {
  Q_OBJECT
 private slots:
  void decisions() {
    // The facts that are true, the desktop, what Wayland lacks, the program's path; the parts the
    // problem and the note hold ("!": lacks); an empty problem (and note) must be empty.
    const std::tuple<QString, std::string, std::string, std::string, Backend, std::string, std::string> cases[] = {
        {"x11", "", "", "", Backend::X11, "", ""},
        {"wayland usable x11", "", "", "", Backend::Wayland, "", ""},
        {"wayland x11", "GNOME", kLacking, "", Backend::X11, "", "Xwayland"},
        {"wayland", "GNOME", kLacking, "", Backend::Unreachable,
         "GNOME on Wayland|" + kLacking + "|X11 session|wlroots|no job is chosen", ""},
        {"wayland shell ext x11", "GNOME", "", "", Backend::Gnome, "", ""},
        {"wayland shell ext x11 usable", "GNOME", "", "", Backend::Wayland, "", ""},
        {"wayland shell", "ubuntu:GNOME", kLacking, "", Backend::Unreachable,
         kExtension + "ubuntu:GNOME on Wayland|no job is chosen|!Xwayland", ""},
        {"wayland shell x11", "ubuntu:GNOME", kLacking, "", Backend::X11,
         kExtension + "ubuntu:GNOME on Wayland|Xwayland|!no job is chosen", ""},
        {"shell ext x11", "GNOME", "", "", Backend::X11, "", ""},  // the extension is not used on X11
        {"wayland kde x11", "KDE", "", "", Backend::Kde, "", ""},
        {"kde x11", "KDE", "", "", Backend::X11, "", ""},
        {"wayland kwin", "KDE Plasma (KWin)", kKwinLacks, "/home/u/build/stage/talvorstart", Backend::Unreachable,
         "KDE Plasma (KWin) on Wayland|no job is chosen|X-KDE-Wayland-Interfaces|Install the talvorstart package|"
         "/usr/share/applications/example.talvorstart.talvorstart.desktop|start Talvor Start as /usr/bin/talvorstart|"
         "This copy runs as /home/u/build/stage/talvorstart|!wlroots",
         ""},
        {"wayland kwin", "KDE Plasma (KWin)", kKwinLacks, "/opt/tools/bin/talvorstart", Backend::Unreachable,
         kOptDesktopFile + "|as /opt/tools/bin/talvorstart|!This copy", ""},
        {"wayland kwin x11", "KDE Plasma (KWin)", kKwinLacks, "/opt/tools/bin/talvorstart", Backend::X11, "",
         "Xwayland|" + kOptDesktopFile},
        {"wayland kwin scripts x11", "KDE Plasma (KWin)", kKwinLacks, "/opt/tools/bin/talvorstart", Backend::KdeScripts,
         "", "KWin scripts and the remote desktop portal instead|" + kOptDesktopFile},
        {"wayland kwin noportal", "KDE Plasma (KWin)", kKwinLacks, "/opt/tools/bin/talvorstart", Backend::Unreachable,
         "no job is chosen|Nor could it use KWin scripts|the remote desktop portal gave no keyboard", ""},
    };
    for (const auto& [facts, desktop, lacking, binary, backend, problemParts, noteParts] : cases) {
      const QStringList on = facts.split(' ');
      SessionFacts f;
      f.waylandSession = on.contains("wayland"), f.waylandUsable = on.contains("usable"), f.desktop = desktop;
      f.waylandLacking = lacking, f.kdeUsable = on.contains("kde"), f.kwinWithoutGrant = on.contains("kwin");
      f.ownBinary = binary, f.kdeScriptsUsable = on.contains("scripts"), f.x11Reachable = on.contains("x11");
      f.gnomeShell = on.contains("shell"), f.gnomeExtension = on.contains("ext");
      if (on.contains("noportal")) f.kdeScriptsLacking = "the remote desktop portal gave no keyboard";
      const Decision d = decideBackend(f);
      const QString where = facts + " / " + QString::fromStdString(desktop + " / " + binary);
      QVERIFY2(d.backend == backend, qPrintable(where));
      const QString problem = QString::fromStdString(d.problem), note = QString::fromStdString(d.note);
      QVERIFY2(problem.isEmpty() == problemParts.empty(), qPrintable(where + ": " + problem));
      if (problemParts.empty() && noteParts.empty()) QVERIFY2(note.isEmpty(), qPrintable(where + ": " + note));
      for (const auto& [text, parts] : {std::pair{problem, problemParts}, std::pair{note, noteParts}}) {
        for (const QString& part : QString::fromStdString(parts).split('|', Qt::SkipEmptyParts)) {
          const bool lacks = part.startsWith('!');
          QVERIFY2(text.contains(part.mid(lacks)) != lacks, qPrintable(where + ": " + part));
        }
      }
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
    const AutomationStatus s = guard.send(keys, true);
    QVERIFY(s.code == 5 && s.ownWindow && sent == 0);  // counts as no receiver: nothing more is sent, no date
    QVERIFY(guard.activate("Microsoft Backup", TitleMatch::Start).ok());
    QVERIFY(guard.send(keys, true).ok() && sent == 1);
    guard.beginRun();  // a new run starts without an activated window
    QVERIFY(guard.send(keys, true).code == 5 && sent == 1);
  }
};

QTEST_GUILESS_MAIN(TestAutomationChoice)
#include "test_automation_choice.moc"
