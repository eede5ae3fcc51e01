// Which desktop back end a session gets, and what the user is told.
#include "platform/automation_choice.h"

#include <QtTest>

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
