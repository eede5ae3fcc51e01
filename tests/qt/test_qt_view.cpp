// What only the Qt view and the Qt desktop services can get wrong: widgets
// made from the design, the two-way binding, the tab chain, the dialogs
// over the window, the help viewer, the steady timer and waits that sleep.
#include <sys/resource.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QMenuBar>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>
#include <thread>

#include "app/count_down_wait.h"
#include "platform/fake/fake_desktop_services.h"
#include "settings/memory_store.h"
#include "ui/frm_main.h"
#include "ui/qt/frm_keys_view.h"
#include "ui/qt/frm_main_view.h"
#include "ui/qt/help_viewer.h"
#include "ui/qt/qt_desktop_services.h"

namespace {

// A back end that drives nothing: the window half is under test.
struct NoDesktop : Automation {
  AutomationStatus start(const std::string&, const std::string&, const std::string&, int) override {
    return AutomationStatus::failure(53, "no");
  }
  void beginRun() override {}
  AutomationStatus activate(const std::string&, TitleMatch) override { return AutomationStatus::failure(5, "no"); }
  AutomationStatus send(const std::vector<KeyStroke>&, bool) override { return AutomationStatus::failure(5, "no"); }
  void setOwnWindow(std::uintptr_t) override {}
};

struct Shown {
  settings::MemoryStore store;
  FakeDesktopServices desk;
  FrmMain frm{store, desk};
  FrmMainView view{frm};
  Shown() {
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

// Runs `check` on the modal dialog once it is up, then closes it.
void onModal(std::function<void(QWidget*)> check) {
  QTimer::singleShot(100, [check] {
    QWidget* dialog = QApplication::activeModalWidget();
    QVERIFY(dialog);
    check(dialog);
    QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
  });
}

double nowSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

long voluntarySwitches() {
  rusage use{};
  getrusage(RUSAGE_SELF, &use);
  return use.ru_nvcsw;
}

}  // namespace

class TestQtView : public QObject {
  Q_OBJECT

 private slots:
  void widgetsStandAtTheirDesignPlaces() {
    Shown s;
    for (const Control* c : s.frm.controls()) {
      const ControlDesign& d = c->design();
      if (d.kind == ControlKind::MenuItem) {
        QAction* a = s.view.action(d.name);
        QVERIFY(a);
        QCOMPARE(a->text(), QString::fromStdString(d.caption));
        continue;
      }
      QWidget* w = s.view.widget(d.name);
      QVERIFY2(w, d.name.c_str());
      QCOMPARE(w->objectName(), QString::fromStdString(d.name));
      const double k = s.view.pixelsPerTwip();
      QCOMPARE(w->pos(), QPoint(int(d.left * k + 0.5), int(d.top * k + 0.5)));
      QCOMPARE(w->height(), int(d.height * k + 0.5));
      QCOMPARE(w->isVisible(), d.visible);
      QCOMPARE(w->toolTip(), QString::fromStdString(d.tooltip));
    }
    QCOMPARE(s.w<QSlider>("SliderBackupNumber")->maximum(), 20);
    QCOMPARE(s.view.windowTitle(), QString("Talvor Start"));
  }

  void editBoxesAreNamedAfterTheirCaptions() {
    Shown s;
    const std::pair<const char*, const char*> named[] = {{"txtStartDelay", "Delay"},
                                                         {"txtStartKey", "Start Key"},
                                                         {"txtBackupKey", "Backup Job"},
                                                         {"txtTitle", "Start Title"}};
    for (const auto& [box, name] : named) QCOMPARE(s.view.widget(box)->accessibleName(), QString(name));
  }

  void tabFollowsTheDesignFromPause() {
    Shown s;
    s.frm.SetJobControlsVisible(true);
    QStringList expected{"cmdPause",        "txtStartKey",  "txtTitle",    "chkDefault",    "SliderBackupNumber",
                         "txtBackupNumber", "txtBackupKey", "chkOnceOnly", "txtStartDelay", "chkMonday",
                         "chkTuesday",      "chkwednesday", "chkThursday", "chkFriday",     "chkSaturday",
                         "chkSunday",       "chkDay1",      "chkDay31"};
    for (int d = 2; d <= 30; ++d) expected << QString("chkDay%1").arg(d);
    QApplication::setActiveWindow(&s.view);
    s.view.widget("cmdPause")->setFocus();
    QStringList walked;
    for (int i = 0; i < expected.size() + 1; ++i) {
      walked << QApplication::focusWidget()->objectName();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(walked, expected + QStringList{"cmdPause"});
  }

  void userEditsRunTheModelsHandlers() {
    Shown s;
    s.frm.SetJobControlsVisible(true);
    auto* slider = s.w<QSlider>("SliderBackupNumber");
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Right);
    QTest::keyClick(slider, Qt::Key_Right);
    QCOMPARE(s.frm.SliderBackupNumber.value(), 3);
    QCOMPARE(s.w<QLineEdit>("txtBackupNumber")->text(), QString("3"));
    s.w<QCheckBox>("chkDay5")->click();
    auto* letter = s.w<QLineEdit>("txtStartKey");
    letter->setFocus();
    letter->selectAll();
    QTest::keyClicks(letter, "K!");
    s.w<QPushButton>("cmdPause")->click();
    QCOMPARE(s.writes(), QStringList({"Start/BackupNumber=2", "Start/BackupNumber=3", "Month/5onoff=1",
                                      "Month/5Backup=3", "Start/Letter=K", "Start/Letter=K!"}));
    QVERIFY(s.frm.blnPause);
    QCOMPARE(s.w<QPushButton>("cmdPause")->text(), QString("Run"));
    QCOMPARE(s.w<QCheckBox>("chkDay5")->toolTip(), QString("Backup number  3 selected for the 5th day of the month"));
  }

  void programChangesShowWithoutRunningWidgetSignals() {
    Shown s;
    s.frm.SliderBackupNumber.setValue(9);
    s.frm.chkDefault.setValue(1);
    s.frm.txtTitle.setText("Other");
    QCOMPARE(s.w<QSlider>("SliderBackupNumber")->value(), 9);
    QVERIFY(s.w<QCheckBox>("chkDefault")->isChecked());
    QCOMPARE(s.w<QLineEdit>("txtTitle")->text(), QString("Other"));
    for (const Control* c : s.frm.jobControls()) QVERIFY(s.view.widget(c->name())->isHidden());
    // The model ran each handler once; the widgets added nothing.
    QCOMPARE(s.writes(), QStringList({"Start/Default=1", "Start/Title=Other"}));
    s.frm.close();
    QVERIFY(!s.view.isVisible());
  }

  void f1AndTheMenuOpenTheFocusedControlsTopic() {
    Shown s;
    QApplication::setActiveWindow(&s.view);
    s.view.widget("txtTitle")->setFocus();
    QTest::keyClick(s.view.widget("txtTitle"), Qt::Key_F1);
    s.view.widget("chkDefault")->setFocus();
    s.view.action("mPopHelp")->trigger();
    s.view.widget("cmdPause")->setFocus();
    QTest::keyClick(s.view.widget("cmdPause"), Qt::Key_F1);
    QCOMPARE(int(s.desk.helpShown.size()), 3);
    QCOMPARE(s.desk.helpShown[0].topic, 11);
    QCOMPARE(s.desk.helpShown[1].topic, 4);
    QCOMPARE(s.desk.helpShown[2].topic, 0);
  }

  void helpViewerShowsTheTopicAndReportsAMissingFile() {
    QtDesktopServices services(std::make_unique<NoDesktop>());
    services.showHelp("talvorstart.hlp", 12);
    QVERIFY(services.helpViewer() && services.helpViewer()->isVisible());
    QCOMPARE(services.helpViewer()->shownAnchor(), QString("topic12"));
    services.showHelp("talvorstart.hlp", 0);
    QCOMPARE(services.helpViewer()->shownAnchor(), QString("contents"));
    QString text, title;
    onModal([&](QWidget* box) {
      title = box->windowTitle();
      text = qobject_cast<QMessageBox*>(box)->text();
    });
    services.showHelp("no-such-file.hlp", 5);
    QVERIFY2(text.contains("no-such-file.hlp"), qPrintable(text));
    QCOMPARE(title, QString("talvorstart"));
  }

  void settingsProblemGoesBelowTheControls() {
    Shown s;
    const int before = s.view.height();
    s.frm.showProblem("Settings could not be saved to /x: disk full.");
    QLabel* line = s.view.problemLine();
    QVERIFY(line && line->isVisible());
    const QRect at(line->mapTo(&s.view, QPoint(0, 0)), line->size());
    QVERIFY(!at.intersects(s.view.centralWidget()->geometry()));
    QVERIFY(s.view.rect().contains(at));
    QVERIFY(s.view.height() > before);
  }

  void threeDigitCountDownIsShownWhole() {
    Shown s;
    auto* label = s.w<QLabel>("lblCountDown");
    const QPoint place = label->pos();
    s.frm.lblCountDown.setCaption(" 150");
    QVERIFY2(label->width() >= label->fontMetrics().horizontalAdvance(" 150"),
             qPrintable(QString::number(label->width())));
    QCOMPARE(label->pos(), place);
    QVERIFY(label->geometry().right() < s.view.centralWidget()->width());
    s.frm.lblCountDown.setCaption(" 5");
    QCOMPARE(label->width(), int(designOf("lblCountDown").width * s.view.pixelsPerTwip() + 0.5));
  }

  // Prompts and boxes open over the middle of the tool's window, and a box
  // without its own title carries the application's.
  void dialogsOpenOverTheWindow() {
    Shown s;
    s.view.move(300, 200);
    QtDesktopServices services(std::make_unique<NoDesktop>());
    services.setOwnWindow(&s.view);
    const QPoint middle = s.view.frameGeometry().center();
    QString title;
    QPoint boxMiddle;
    bool placed = false;
    // An explicit position: the window manager keeps it instead of placing
    // the box where it likes.
    onModal([&](QWidget* box) {
      title = box->windowTitle();
      boxMiddle = box->frameGeometry().center();
      placed = box->testAttribute(Qt::WA_Moved);
    });
    showMsgBox(services, "Something to say", msgbox_style::kOkOnly);
    QCOMPARE(title, QString("talvorstart"));
    QVERIFY(placed);
    QVERIFY2((boxMiddle - middle).manhattanLength() < 40,
             qPrintable(QString("%1,%2").arg(boxMiddle.x()).arg(boxMiddle.y())));

    placed = false;
    onModal([&](QWidget* prompt) {
      title = prompt->windowTitle();
      boxMiddle = prompt->frameGeometry().center();
      placed = prompt->testAttribute(Qt::WA_Moved);
    });
    services.inputBox("Enter the title", "Title", "Microsoft Backup");
    QCOMPARE(title, QString("Title"));
    QVERIFY(placed);
    QVERIFY((boxMiddle - middle).manhattanLength() < 40);
  }

  // Counts from the start of the program, steady: not seconds since
  // midnight, which would restart a wait at midnight or when the clock is set.
  void timerIsSteadyFromTheStart() {
    QtDesktopServices services(std::make_unique<NoDesktop>());
    const double first = services.timer();
    QVERIFY2(first >= 0 && first < 1.0, qPrintable(QString::number(first)));
    QTest::qSleep(100);
    const double later = services.timer();
    QVERIFY(later - first >= 0.09 && later - first < 1.0);
  }

  // A real wait on the real services: a few wake-ups a second, the
  // count-down on each second, and Pause/Run handled as they arrive.
  void waitsWakeOnlyWhenSomethingIsDue() {
    settings::MemoryStore store;
    QtDesktopServices services(std::make_unique<NoDesktop>());
    FrmMain frm(store, services);
    FrmMainView view(frm);
    frm.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QTest::qWait(100);

    std::vector<double> changedAt;
    frm.lblCountDown.viewUpdate = [&](const Control&) { changedAt.push_back(nowSeconds()); };
    frm.sngPauseTime = 3;
    const long switchesBefore = voluntarySwitches();
    const double started = nowSeconds();
    frm.sngStart = frm.Timer();
    QCOMPARE(countDownWait(frm, services), WaitResult::Elapsed);
    const double took = nowSeconds() - started;
    const long switches = voluntarySwitches() - switchesBefore;
    QVERIFY2(took >= 3.0 && took < 3.1, qPrintable(QString::number(took)));
    QVERIFY2(switches <= 3 * 3, qPrintable(QString("%1 wake-ups in 3 s").arg(switches)));
    QCOMPARE(int(changedAt.size()), 3);
    for (size_t i = 0; i < changedAt.size(); ++i)
      QVERIFY2(std::abs(changedAt[i] - started - double(i)) < 0.05,
               qPrintable(QString::number(changedAt[i] - started)));

    // Pause and Run, pressed from outside the event loop as the window
    // system delivers them.
    QPushButton* pause = qobject_cast<QPushButton*>(view.widget("cmdPause"));
    double pausedAt = 0, runAt = 0, pressedPause = 0, pressedRun = 0;
    frm.cmdPause.viewUpdate = [&](const Control& c) { (c.caption() == "Run" ? pausedAt : runAt) = nowSeconds(); };
    std::thread user([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      pressedPause = nowSeconds();
      QMetaObject::invokeMethod(pause, "click", Qt::QueuedConnection);
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
      pressedRun = nowSeconds();
      QMetaObject::invokeMethod(pause, "click", Qt::QueuedConnection);
    });
    frm.sngPauseTime = 1;
    const double second = nowSeconds();
    frm.sngStart = frm.Timer();
    countDownWait(frm, services);
    const double ended = nowSeconds();
    user.join();
    QVERIFY2(pausedAt - pressedPause < 0.05, qPrintable(QString::number(pausedAt - pressedPause)));
    QVERIFY2(runAt - pressedRun < 0.05, qPrintable(QString::number(runAt - pressedRun)));
    // One second from Run.
    QVERIFY2(std::abs(ended - pressedRun - 1.0) < 0.06, qPrintable(QString::number(ended - second)));
  }
  void keysDialogOpensFromTheMenuAtItsDesignPlaces() {
    Shown s;
    QCOMPARE(s.view.menuBar()->actions().size(), 3);
    QCOMPARE(s.view.menuBar()->actions().at(1)->text(), QString("&Keys"));
    s.view.action("mPopKeys")->trigger();
    FrmKeysView* keys = s.view.keysView();
    QVERIFY(QTest::qWaitForWindowExposed(keys));
    QCOMPARE(keys->windowTitle(), QString("Keys"));
    QCOMPARE(keys->parentWidget(), &s.view);
    const double k = keys->pixelsPerTwip();
    for (const ControlDesign& d : frmKeysDesign()) {
      QWidget* w = keys->widget(d.name);
      QVERIFY2(w, d.name.c_str());
      QCOMPARE(w->geometry(), QRect(int(d.left * k + 0.5), int(d.top * k + 0.5), int(d.width * k + 0.5),
                                    int(d.height * k + 0.5)));
      QCOMPARE(w->toolTip(), QString::fromStdString(d.tooltip));
    }
    auto* findBy = qobject_cast<QComboBox*>(keys->widget("cboFindBy"));
    QCOMPARE(findBy->count(), 4);
    QCOMPARE(findBy->currentIndex(), 0);
    qobject_cast<QPushButton*>(keys->widget("cmdClose"))->click();
    QVERIFY(!keys->isVisible());
  }

  // Each key heard in the field while it records, and what it is stored as.
  void recordingWritesTheKeyInTheNotation() {
    struct Case {
      const char* field;
      Qt::Key key;
      Qt::KeyboardModifiers mods;
      const char* notation;
      const char* setting;
    };
    const Case cases[] = {
        {"txtStartKeys", Qt::Key_S, Qt::ControlModifier, "^s", "Start/Letter"},
        {"txtJobKeys", Qt::Key_B, Qt::AltModifier, "%b", "Start/BackupJobLetter"},
        {"txtConfirmKeys", Qt::Key_Tab, Qt::NoModifier, "{TAB}", "Start/ConfirmKey"},
        {"txtConfirmKeys", Qt::Key_Backtab, Qt::ShiftModifier, "+{TAB}", "Start/ConfirmKey"},
        {"txtConfirmKeys", Qt::Key_F5, Qt::NoModifier, "{F5}", "Start/ConfirmKey"},
        {"txtConfirmKeys", Qt::Key_Escape, Qt::NoModifier, "{ESC}", "Start/ConfirmKey"},
    };
    for (const Case& c : cases) {
      Shown s;
      s.view.action("mPopKeys")->trigger();
      FrmKeysView* keys = s.view.keysView();
      QVERIFY(QTest::qWaitForWindowExposed(keys));
      auto* field = qobject_cast<QLineEdit*>(keys->widget(c.field));
      field->setFocus();
      field->selectAll();
      QTest::keyClick(field, Qt::Key_Delete);
      s.store.clearWrites();
      auto* record = qobject_cast<QPushButton*>(keys->widget(std::string("cmdRecord") + (c.field + 3)));
      QTest::mouseClick(record, Qt::LeftButton);
      QCOMPARE(record->text(), QString("Cancel"));
      QTest::keyClick(field, c.key, c.mods);
      QCOMPARE(field->text(), QString(c.notation));
      QCOMPARE(s.writes(), QStringList{QString(c.setting) + "=" + c.notation});
      QCOMPARE(record->text(), QString("Record"));
      QVERIFY(keys->isVisible());  // Escape was recorded, not a close
    }
  }

  void typingInTheDialogShowsInTheMainWindowAndTheCheckLine() {
    Shown s;
    s.view.action("mPopKeys")->trigger();
    FrmKeysView* keys = s.view.keysView();
    QVERIFY(QTest::qWaitForWindowExposed(keys));
    auto* field = qobject_cast<QLineEdit*>(keys->widget("txtJobKeys"));
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, "{TAP}");
    QCOMPARE(s.w<QLineEdit>("txtBackupKey")->text(), QString("{TAP}"));
    QCOMPARE(qobject_cast<QLabel*>(keys->widget("lblKeysCheck"))->text(),
             QString("The job list keys cannot be sent: unknown key {TAP} in \"{TAP}\"."));
    s.w<QLineEdit>("txtBackupKey")->setText("%j");
    QCOMPARE(field->text(), QString("%j"));
    qobject_cast<QComboBox*>(keys->widget("cboFindBy"))->activated(3);
    QCOMPARE(s.writes().last(), QString("Start/TitleMatch=class"));
  }
};

QTEST_MAIN(TestQtView)
#include "test_qt_view.moc"
