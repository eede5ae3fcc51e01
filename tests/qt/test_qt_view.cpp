// What only the Qt view can get wrong: widgets made from the design, the
// binding both ways, the tab chain, dialogs, help, and waits that sleep.
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
#include "ui/qt/qt_desktop_services.h"

namespace {

struct NoDesktop : Automation {
  AutomationStatus start(const std::string&, const std::string&, const std::string&, int) override {
    return AutomationStatus::failure(53, "no");
  }
  void beginRun() override {}
  AutomationStatus activate(const std::string&, TitleMatch) override { return AutomationStatus::failure(5, "no"); }
  AutomationStatus send(const std::vector<KeyStroke>&, bool) override { return AutomationStatus::failure(5, "no"); }
  void setOwnWindow(std::uintptr_t) override {}
};

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

QString textOf(QWidget* w) { return w->property("text").toString(); }

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
    QVERIFY2(
        std::abs(got.x() - want.x()) <= 1 && std::abs(got.y() - want.y()) <= 1 &&
            std::abs(got.width() - want.width()) <= 1 && std::abs(got.height() - want.height()) <= 1,
        qPrintable(q(d.name) + QString(": %1,%2 %3x%4").arg(got.x()).arg(got.y()).arg(got.width()).arg(got.height())));
    if (d.kind != ControlKind::TextBox && d.name != "lblKeysCheck") QCOMPARE(textOf(w), q(d.caption));
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
    // Screen readers name each edit box after its caption.
    for (const auto& [box, name] : {std::pair{"txtStartDelay", "Delay"}, std::pair{"txtStartKey", "Start Key"},
                                    std::pair{"txtBackupKey", "Backup Job"}, std::pair{"txtTitle", "Start Title"}})
      QCOMPARE(s.view.widget(box)->accessibleName(), QString(name));
  }

  void tabFollowsTheDesignFromPause() {
    Window s;
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
    QCOMPARE(s.w<QLineEdit>("txtBackupNumber")->text(), QString("3"));
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
    s.frm.close();
    QVERIFY(!s.view.isVisible());
  }

  // F1 and the menu ask for the focused control's topic; the viewer shows it, or says in a box that
  // the file is missing.
  void helpShowsTheFocusedControlsTopic() {
    Window s;
    QApplication::setActiveWindow(&s.view);
    s.view.widget("txtTitle")->setFocus();
    QTest::keyClick(s.view.widget("txtTitle"), Qt::Key_F1);
    s.view.widget("chkDefault")->setFocus();
    s.view.action("mPopHelp")->trigger();
    s.view.widget("cmdPause")->setFocus();
    QTest::keyClick(s.view.widget("cmdPause"), Qt::Key_F1);
    QCOMPARE(s.desk.topics, QList<int>({11, 4, 0}));
    for (const auto& [topic, anchor] : {std::pair{12, "topic12"}, std::pair{0, "contents"}}) {
      s.desk.QtDesktopServices::showHelp("talvorstart.hlp", topic);
      QVERIFY(s.desk.helpViewer()->isVisible() && s.desk.helpViewer()->shownAnchor() == anchor);
    }
    QString text, title;
    onModal([&](QWidget* box) {
      title = box->windowTitle();
      text = qobject_cast<QMessageBox*>(box)->text();
    });
    s.desk.QtDesktopServices::showHelp("no-such-file.hlp", 5);
    QVERIFY2(text.contains("no-such-file.hlp") && title == "talvorstart", qPrintable(title + ": " + text));
  }

  // A problem goes on a line below the controls; a three-digit count-down widens its label to the
  // right. Prompts and boxes open placed over the middle of the window (a window manager keeps an
  // explicit place), with the application's title when the box has none of its own.
  void textsAreShownWholeAndDialogsOverTheWindow() {
    Window s;
    const int before = s.view.height();
    s.frm.showProblem("Settings could not be saved to /x: disk full.");
    QLabel* line = s.view.problemLine();
    const QRect at(line->mapTo(&s.view, QPoint(0, 0)), line->size());
    QVERIFY(line->isVisible() && !at.intersects(s.view.centralWidget()->geometry()));
    QVERIFY(s.view.rect().contains(at) && s.view.height() > before);
    auto* label = s.w<QLabel>("lblCountDown");
    const QRect designed = label->geometry();
    s.frm.lblCountDown.setCaption(" 150");
    QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(" 150") && label->pos() == designed.topLeft());
    QVERIFY(label->geometry().right() < s.view.centralWidget()->width());
    s.frm.lblCountDown.setCaption(" 5");
    QCOMPARE(label->geometry(), designed);

    s.view.move(300, 200);
    const QPoint middle = s.view.frameGeometry().center();
    QStringList titles;
    auto check = [&](QWidget* box) {
      titles << box->windowTitle();
      QVERIFY(box->testAttribute(Qt::WA_Moved) && (box->frameGeometry().center() - middle).manhattanLength() < 40);
    };
    onModal(check);
    showMsgBox(s.desk, "Something to say", msgbox_style::kOkOnly);
    onModal(check);
    s.desk.inputBox("Enter the title", "Title", "Microsoft Backup");
    QCOMPARE(titles, QStringList({"talvorstart", "Title"}));
  }

  // The real services: steady seconds from the start, a sleep lasts until due or an event comes, a
  // count-down wakes once a second. Lower bounds only: a busy machine makes things late, never early.
  void waitsWakeOnlyWhenSomethingIsDue() {
    Window s;
    QElapsedTimer clock;
    clock.start();
    const double first = s.desk.timer();
    QVERIFY2(first >= 0 && first < 30, qPrintable(QString::number(first)));
    // The window's own events may end the first sleeps early; one that was not ended lasted its time.
    bool woken = true;
    for (int i = 0; i < 20 && woken; ++i) {
      clock.restart();
      woken = s.desk.idle(300);
    }
    QVERIFY2(!woken && clock.elapsed() >= 299, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(s.desk.timer() - first >= 0.299 && s.desk.timer() - first < 30);

    // Held (Pause), the wait sleeps until the user's click arrives from the window system.
    bool gaveUp = false;
    QTimer::singleShot(10000, [&] { gaveUp = true; });
    std::thread user([pause = s.view.widget("cmdPause")] {
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
    s.frm.lblCountDown.viewUpdate = [&](const Control& c) {
      shown << q(c.caption());
      show(c);
    };
    s.desk.sleeps = 0;
    s.frm.sngPauseTime = 2;
    s.frm.sngStart = s.frm.Timer();
    clock.restart();
    QCOMPARE(countDownWait(s.frm, s.desk), WaitResult::Elapsed);
    QVERIFY2(clock.elapsed() >= 1999, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(shown, QStringList({" 2", " 1"}));
    QVERIFY2(s.desk.sleeps <= 8, qPrintable(QString("%1 sleeps in 2 s").arg(s.desk.sleeps)));
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
    auto* findBy = qobject_cast<QComboBox*>(keys->widget("cboFindBy"));
    findBy->activated(3);
    QCOMPARE(s.writes().last(), QString("Start/TitleMatch=class"));
    auto* job = qobject_cast<QLineEdit*>(keys->widget("txtJobKeys"));
    job->setFocus();
    job->selectAll();
    QTest::keyClicks(job, "{TAP}");
    QCOMPARE(s.w<QLineEdit>("txtBackupKey")->text(), QString("{TAP}"));
    QCOMPARE(textOf(keys->widget("lblKeysCheck")),
             QString("The job list keys cannot be sent: unknown key {TAP} in \"{TAP}\"."));
    s.w<QLineEdit>("txtBackupKey")->setText("%j");
    QCOMPARE(job->text(), QString("%j"));

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
