// The KWin scripts of the path without KWin's grant: what they report is
// read back exactly, and no text but a checked window id enters a script.
#include <QtTest>

#include "platform/kde/kwin_script_text.h"

using kde::ScriptWindow;

class TestKdeScriptReport : public QObject {
  Q_OBJECT
 private slots:
  void titlesWithSeparatorsAreReadBackExactly() {
    std::vector<ScriptWindow> w;
    QVERIFY(kde::parseWindowReport(
        "{0a1b2c3d-0000-4000-8000-00000000000a},Job%2C%20one%3B%25%20%C3%A9,demo,,42,1,;"
        "{0a1b2c3d-0000-4000-8000-00000000000b},Save,demo,example.demo,42,0,{0a1b2c3d-0000-4000-8000-00000000000a}",
        w));
    QCOMPARE(w.size(), size_t(2));
    QCOMPARE(w[0].title, std::string("Job, one;% \xC3\xA9"));
    QVERIFY(w[0].active && !w[1].active);
    QCOMPARE(w[1].pid, 42u);
    QCOMPARE(w[1].parent, w[0].id);
  }
  void malformedReportsAreRefused() {
    std::vector<ScriptWindow> w;
    QVERIFY(!kde::parseWindowReport("{0a1b2c3d-0000-4000-8000-00000000000a},a%2,c,d,1,1,", w));
    QVERIFY(!kde::parseWindowReport("{0a1b2c3d-0000-4000-8000-00000000000a},a,c,d,1,1", w));
    QVERIFY(!kde::parseWindowReport("x\");evil(),a,c,d,1,1,", w));
  }
  void onlyACheckedIdEntersTheScript() {
    const kde::ReportAddress to{":1.42", "7"};
    QVERIFY(kde::activateScript(to, "{0a1b2c3d-0000-4000-8000-00000000000a}").find("000a}\"") != std::string::npos);
    QVERIFY(kde::activateScript(to, "\"); evil(); (\"").find("evil") == std::string::npos);
    QVERIFY(kde::isUniqueBusName(":1.42") && !kde::isUniqueBusName(":1.42\"); evil(\""));
  }
  void theMarkerIsTheKeyItsShortcutNames() {
    const std::string s = kde::markerScript({":1.42", "7"});
    QVERIFY(s.find("\"Launch (B)\"") != std::string::npos);  // how Qt names XF86Launch9
    QCOMPARE(kde::kMarkerKeysym, 0x1008ff49u);
    QVERIFY(s.find("\"7\", \"m\")") != std::string::npos);
  }
};

QTEST_GUILESS_MAIN(TestKdeScriptReport)
#include "test_kde_script_report.moc"
