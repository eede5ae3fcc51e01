// What only the Qt view can get wrong: widgets made from the design, the
// binding both ways, the tab chain, dialogs, help, the installed layout, and
// waits that sleep.
#include <QtTest>
#include <QtWidgets>
#include <thread>

#include "app/count_down_wait.h"
#include "settings/memory_store.h"
#include "ui/frm_keys_design.h"
#include "ui/frm_main.h"
#include "ui/qt/frm_keys_view.h"
#include "ui/qt/frm_main_view.h"
#include "ui/qt/help_viewer.h"
#include "ui/qt/install_layout.h"
#include "ui/qt/qt_desktop_services.h"

namespace {

struct NoDesktop : Automation {
  AutomationStatus start(const std::string&, const std::string&, const std::string&, int) override { return {}; }
  void beginRun() override {}
  AutomationStatus activate(const std::string&, TitleMatch) override { return {}; }
  AutomationStatus send(const std::vector<KeyStroke>&, bool) override { return {}; }
  void setOwnWindow(std::uintptr_t) override {}
};

// The services are the real ones but for the help topics asked for; their sleeps are counted.
struct CountingServices : QtDesktopServices {
  CountingServices() : QtDesktopServices(std::make_unique<NoDesktop>()) {}
  bool idle(int maxMs) override {
    ++sleeps;
    return QtDesktopServices::idle(maxMs);
  }
  void showHelp(const std::string&, int topic) override { topics << topic; }
  int sleeps = 0;
  QList<int> topics;
};

// The window on the real services, with their sleeps counted.
struct Window {
  settings::MemoryStore store;
  CountingServices desk;
  FrmMain frm{store, desk};
  FrmMainView view{frm};
  Window() {
    desk.setOwnWindow(&view);
    frm.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
  }
  template <class W>
  W* w(const char* name) {
    return qobject_cast<W*>(view.widget(name));
  }
  QStringList writes() const {
    QStringList out;
    for (const auto& w : store.writes()) out << QString::fromStdString(w.section + "/" + w.key + "=" + w.value);
    return out;
  }
};

QString q(const std::string& s) { return QString::fromStdString(s); }

// Each row a widget within a pixel of its place, at the scale read off the
// area's width; the text boxes show settings, not the design's text.
template <class View>
void checkPlaced(View& view, QWidget* area, const WindowDesign& window, const std::vector<ControlDesign>& rows) {
  const double k = area->width() / double(window.clientWidth);
  QVERIFY(std::abs(area->height() - window.clientHeight * k) <= 1);
  for (const ControlDesign& d : rows) {
    if (d.kind == ControlKind::MenuItem) continue;
    QWidget* w = view.widget(d.name);
    QVERIFY2(w && w->parentWidget() == area, d.name.c_str());
    const QRect want(qRound(d.left * k), qRound(d.top * k), qRound(d.width * k), qRound(d.height * k));
    const QRect got = w->geometry();
    QVERIFY2(std::abs(got.x() - want.x()) <= 1 && std::abs(got.y() - want.y()) <= 1 &&
                 std::abs(got.width() - want.width()) <= 1 && std::abs(got.height() - want.height()) <= 1,
             d.name.c_str());
    if (d.kind != ControlKind::TextBox && d.name != "lblKeysCheck")
      QCOMPARE(w->property("text").toString(), q(d.caption));
    QCOMPARE(w->toolTip(), q(d.tooltip));
    QCOMPARE(w->isVisible(), d.visible);
    QVERIFY(w->isEnabled());
  }
}

// Runs `check` on the modal dialog once it is up, then closes it.
void onModal(std::function<void(QWidget*)> check) {
  QTimer::singleShot(100, [check] {
    QWidget* dialog = QApplication::activeModalWidget();
    QVERIFY(dialog);
    check(dialog);
    QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
  });
}

}  // namespace

class TestQtView : public QObject {
  Q_OBJECT

 private slots:
  void everyControlOfTheDesignIsAWidgetAtItsPlace() {
    Window s;
    QCOMPARE(s.view.windowTitle(), QString("Talvor Start"));
    checkPlaced(s.view, s.view.centralWidget(), frmMainWindow(), frmMainDesign());
    for (const ControlDesign& d : frmMainDesign())
      if (d.kind == ControlKind::MenuItem)
        QVERIFY2(s.view.action(d.name) && s.view.action(d.name)->text() == q(d.caption), d.name.c_str());
    auto* slider = s.w<QSlider>("SliderBackupNumber");
    QCOMPARE(QList<int>({slider->minimum(), slider->maximum(), slider->singleStep(), slider->pageStep()}),
             QList<int>({1, 20, 1, 5}));

    // Tab follows the design from Pause round to it again.
    s.frm.SetJobControlsVisible(true);
    QStringList expected = QString(
                               "cmdPause txtStartKey txtTitle chkDefault SliderBackupNumber txtBackupNumber "
                               "txtBackupKey chkOnceOnly txtStartDelay chkMonday chkTuesday chkwednesday "
                               "chkThursday chkFriday chkSaturday chkSunday chkDay1 chkDay31")
                               .split(' ');
    for (int d = 2; d <= 30; ++d) expected << QString("chkDay%1").arg(d);
    QApplication::setActiveWindow(&s.view);
    s.view.widget("cmdPause")->setFocus();
    QStringList walked;
    for (int i = 0; i <= expected.size(); ++i) {
      walked << QApplication::focusWidget()->objectName();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(walked, expected + QStringList{"cmdPause"});
  }

  // The user's edits store at once; the program's changes show without
  // the widgets running the handlers a second time.
  void editsReachTheModelBothWays() {
    Window s;
    s.frm.SetJobControlsVisible(true);
    auto* slider = s.w<QSlider>("SliderBackupNumber");
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Right);
    QTest::keyClick(slider, Qt::Key_Right);
    s.w<QCheckBox>("chkDay5")->click();
    auto* letter = s.w<QLineEdit>("txtStartKey");
    letter->setFocus();
    letter->selectAll();
    QTest::keyClicks(letter, "K!");
    s.w<QPushButton>("cmdPause")->click();
    QCOMPARE(s.writes(), QStringList({"Start/BackupNumber=2", "Start/BackupNumber=3", "Month/5onoff=1",
                                      "Month/5Backup=3", "Start/Letter=K", "Start/Letter=K!"}));
    QCOMPARE(s.w<QPushButton>("cmdPause")->text(), QString("Run"));
    QCOMPARE(s.w<QCheckBox>("chkDay5")->toolTip(), QString("Backup number  3 selected for the 5th day of the month"));

    s.store.clearWrites();
    s.frm.SliderBackupNumber.setValue(9);
    s.frm.chkDefault.setValue(1);
    s.frm.txtTitle.setText("Other");
    QVERIFY(slider->value() == 9 && s.w<QCheckBox>("chkDefault")->isChecked() &&
            s.w<QLineEdit>("txtTitle")->text() == "Other");
    for (const Control* c : s.frm.jobControls()) QVERIFY(s.view.widget(c->name())->isHidden());
    QCOMPARE(s.writes(), QStringList({"Start/Default=1", "Start/Title=Other"}));
  }

  // F1 and the menu ask for the focused control's topic, which the viewer shows. A problem goes on a line
  // below the controls. Prompts and boxes open placed over the middle of the window (a window manager keeps
  // an explicit place), with the application's title when the box has none of its own.
  void helpProblemLineAndDialogs() {
    Window s;
    QApplication::setActiveWindow(&s.view);
    s.view.widget("txtTitle")->setFocus();
    QTest::keyClick(s.view.widget("txtTitle"), Qt::Key_F1);
    s.view.widget("chkDefault")->setFocus();
    s.view.action("mPopHelp")->trigger();
    s.view.widget("cmdPause")->setFocus();
    QTest::keyClick(s.view.widget("cmdPause"), Qt::Key_F1);
    QCOMPARE(s.desk.topics, QList<int>({11, 4, 0}));
    s.desk.QtDesktopServices::showHelp("talvorstart.hlp", 12);
    QVERIFY(s.desk.helpViewer()->isVisible() && s.desk.helpViewer()->shownAnchor() == "topic12");
    s.desk.QtDesktopServices::showHelp("talvorstart.hlp", 0);
    QCOMPARE(s.desk.helpViewer()->shownAnchor(), QString("contents"));
    const int before = s.view.height();
    s.frm.showProblem("Settings could not be saved to /x: disk full.");
    QLabel* line = s.view.problemLine();
    const QRect at(line->mapTo(&s.view, QPoint(0, 0)), line->size());
    QVERIFY(line->isVisible() && !at.intersects(s.view.centralWidget()->geometry()));
    QVERIFY(s.view.rect().contains(at) && s.view.height() > before);

    s.view.move(300, 200);
    const QPoint middle = s.view.frameGeometry().center();
    QStringList seen;
    auto check = [&](QWidget* box) {
      auto* message = qobject_cast<QMessageBox*>(box);
      seen << box->windowTitle() + ": " + (message ? message->text() : "");
      QVERIFY(box->testAttribute(Qt::WA_Moved) && (box->frameGeometry().center() - middle).manhattanLength() < 40);
    };
    onModal(check);
    showMsgBox(s.desk, "Something to say", msgbox_style::kOkOnly);
    onModal(check);
    s.desk.QtDesktopServices::showHelp("no-such-file.hlp", 5);
    onModal(check);
    s.desk.inputBox("Enter the title", "Title", "Microsoft Backup");
    QCOMPARE(seen.size(), 3);
    QVERIFY2(seen[0] == "talvorstart: Something to say" && seen[1].startsWith("talvorstart: ") &&
                 seen[1].contains("no-such-file.hlp") && seen[2] == "Title: ",
             qPrintable(seen.join('|')));
  }

  // The real services: steady seconds from the start; a held wait sleeps until the click comes, a count-down
  // wakes once a second. Lower bounds only: a busy machine makes things late, never early.
  void waitsWakeOnlyWhenSomethingIsDue() {
    Window s;
    const double first = s.desk.timer();
    QVERIFY2(first >= 0 && first < 30, qPrintable(QString::number(first)));
    bool gaveUp = false;
    QTimer::singleShot(10000, [&] { gaveUp = true; });
    std::thread user([pause = s.view.widget("cmdPause")] {  // the click, from the window system
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      QMetaObject::invokeMethod(pause, "click", Qt::QueuedConnection);
    });
    s.desk.sleeps = 0;
    while (!s.frm.blnPause && !gaveUp) QVERIFY(s.desk.idle(-1));
    user.join();
    QVERIFY2(s.frm.blnPause && !gaveUp && s.desk.sleeps < 20, qPrintable(QString::number(s.desk.sleeps)));
    s.w<QPushButton>("cmdPause")->click();

    QStringList shown;
    auto show = s.frm.lblCountDown.viewUpdate;
    s.frm.lblCountDown.viewUpdate = [&](const Control& c) { shown << q(c.caption()), show(c); };
    s.desk.sleeps = 0;
    s.frm.sngPauseTime = 1;
    s.frm.sngStart = s.frm.Timer();
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(countDownWait(s.frm, s.desk), WaitResult::Elapsed);
    QVERIFY2(
        clock.elapsed() >= 999 && shown == QStringList{" 1"} && s.desk.sleeps <= 4,
        qPrintable(QString("%1 ms, %2 sleeps, shown %3").arg(clock.elapsed()).arg(s.desk.sleeps).arg(shown.join('|'))));
  }

  // The help file beside the program wins over the installed one; the hint for a missing batch file names the
  // sample only when one is installed.
  void installedLayout() {
    QTemporaryDir prefix;
    const QString bin = prefix.filePath("bin"), share = prefix.filePath("share/talvorstart/");
    auto touch = [](const QString& path) {
      QVERIFY(QDir().mkpath(QFileInfo(path).path()) && QFile(path).open(QIODevice::WriteOnly));
    };
    const QString want = "talvorstart: TalvorStart.bat was not found in " + bin +
                         " or in /home/u/.config/TalvorStart.\ntalvorstart: put your own TalvorStart.bat, which starts "
                         "your backup program, in /home/u/.config/TalvorStart/\n";
    QCOMPARE(missingBatchFileHint("TalvorStart.bat", bin, "/home/u/.config/TalvorStart"), want);
    touch(share + "talvorstart.hlp");
    touch(share + "TalvorStart.bat");
    QCOMPARE(QFileInfo(HelpViewer::locate("talvorstart.hlp", bin)).canonicalFilePath(),
             QFileInfo(share + "talvorstart.hlp").canonicalFilePath());
    QCOMPARE(missingBatchFileHint("TalvorStart.bat", bin, "/home/u/.config/TalvorStart"),
             want + "talvorstart: a sample to copy and edit is " + QDir::cleanPath(share + "TalvorStart.bat") + "\n");
    touch(bin + "/talvorstart.hlp");
    QCOMPARE(HelpViewer::locate("talvorstart.hlp", bin), bin + "/talvorstart.hlp");
  }

  // The Keys dialog from the menu: its design, the fields bound to the main
  // window both ways, and each key heard while a field records.
  void keysDialogPlacesBindsAndRecords() {
    Window s;
    s.view.action("mPopKeys")->trigger();
    FrmKeysView* keys = s.view.keysView();
    QVERIFY(QTest::qWaitForWindowExposed(keys));
    QVERIFY(keys->windowTitle() == "Keys" && keys->parentWidget() == &s.view);
    checkPlaced(*keys, keys, frmKeysWindow(), frmKeysDesign());

    // Each key heard while a field records, and what it is stored as; none is a shortcut, moves the focus or closes.
    const std::tuple<const char*, Qt::Key, Qt::KeyboardModifiers, QString, QString> cases[] = {
        {"txtStartKeys", Qt::Key_S, Qt::ControlModifier, "^s", "Start/Letter"},
        {"txtJobKeys", Qt::Key_B, Qt::AltModifier, "%b", "Start/BackupJobLetter"},
        {"txtConfirmKeys", Qt::Key_Backtab, Qt::ShiftModifier, "+{TAB}", "Start/ConfirmKey"},
        {"txtConfirmKeys", Qt::Key_Escape, Qt::NoModifier, "{ESC}", "Start/ConfirmKey"},
    };
    for (const auto& [name, key, mods, notation, setting] : cases) {
      auto* field = qobject_cast<QLineEdit*>(keys->widget(name));
      field->selectAll();
      QTest::keyClick(field, Qt::Key_Delete);
      s.store.clearWrites();
      auto* record = qobject_cast<QPushButton*>(keys->widget(std::string("cmdRecord") + (name + 3)));
      QTest::mouseClick(record, Qt::LeftButton);
      QCOMPARE(record->text(), QString("Cancel"));
      QTest::keyClick(field, key, mods);
      QCOMPARE(field->text(), notation);
      QCOMPARE(s.writes(), QStringList{setting + "=" + notation});
      QCOMPARE(record->text(), QString("Record"));
      QVERIFY(keys->isVisible());
    }
    qobject_cast<QPushButton*>(keys->widget("cmdClose"))->click();
    QVERIFY(!keys->isVisible());
  }
};

QTEST_MAIN(TestQtView)
#include "test_qt_view.moc"
