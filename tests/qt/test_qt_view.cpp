// What only the Qt view and the Qt desktop services can get wrong: widgets
// made from the design, the two-way binding, the tab chain, the dialogs
// over the window, the help viewer, and waits that sleep until something is due.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
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

// The real services, with their sleeps counted.
struct CountingServices : QtDesktopServices {
  CountingServices() : QtDesktopServices(std::make_unique<NoDesktop>()) {}
  bool idle(int maxMs) override {
    ++sleeps;
    return QtDesktopServices::idle(maxMs);
  }
  int sleeps = 0;
};

template <class Services>
struct Shown {
  settings::MemoryStore store;
  Services desk;
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
  FrmKeysView* openKeys() {
    view.action("mPopKeys")->trigger();
    [&] { QVERIFY(QTest::qWaitForWindowExposed(view.keysView())); }();
    return view.keysView();
  }
  QStringList writes() const {
    QStringList out;
    for (const auto& w : store.writes()) out << QString::fromStdString(w.section + "/" + w.key + "=" + w.value);
    return out;
  }
};
using Window = Shown<FakeDesktopServices>;

QString q(const std::string& s) { return QString::fromStdString(s); }

QString textOf(QWidget* w) {
  if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
  if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
  return {};
}

// The design's twips at the scale the window was drawn at, read off its
// client area (5136 twips wide): a widget within a pixel of its place.
void compareGeometry(QWidget* w, const ControlDesign& d, double pxPerTwip) {
  const QRect want(qRound(d.left * pxPerTwip), qRound(d.top * pxPerTwip), qRound(d.width * pxPerTwip),
                   qRound(d.height * pxPerTwip));
  const QRect got = w->geometry();
  QVERIFY2(
      std::abs(got.x() - want.x()) <= 1 && std::abs(got.y() - want.y()) <= 1 &&
          std::abs(got.width() - want.width()) <= 1 && std::abs(got.height() - want.height()) <= 1,
      qPrintable(q(d.name) + QString(": %1,%2 %3x%4").arg(got.x()).arg(got.y()).arg(got.width()).arg(got.height())));
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
    const QWidget* client = s.view.centralWidget();
    const double k = client->width() / 5136.0;
    QVERIFY(std::abs(client->height() - 4080 * k) <= 1);
    for (const ControlDesign& d : frmMainDesign()) {
      if (d.kind == ControlKind::MenuItem) {
        QVERIFY2(s.view.action(d.name) && s.view.action(d.name)->text() == q(d.caption), d.name.c_str());
        continue;
      }
      QWidget* w = s.view.widget(d.name);
      QVERIFY2(w && w->parentWidget() == client, d.name.c_str());
      compareGeometry(w, d, k);
      QCOMPARE(w->objectName(), q(d.name));
      QCOMPARE(textOf(w), q(d.caption));
      QCOMPARE(w->toolTip(), q(d.tooltip));
      QCOMPARE(w->isVisible(), d.visible);
      QVERIFY(w->isEnabled());
    }
    // A few rows as the design gives them, in pixels at its scale.
    QVERIFY(std::abs(s.view.widget("cmdPause")->x() - 4200 * k) <= 1);
    QVERIFY(std::abs(s.view.widget("SliderBackupNumber")->width() - 4932 * k) <= 1);
    QVERIFY(std::abs(s.view.widget("chkDay31")->y() - 3840 * k) <= 1);
    auto* slider = s.w<QSlider>("SliderBackupNumber");
    QCOMPARE(QList<int>({slider->minimum(), slider->maximum(), slider->singleStep(), slider->pageStep()}),
             QList<int>({1, 20, 1, 5}));
    // Screen readers name each edit box after its caption.
    const std::pair<const char*, const char*> named[] = {{"txtStartDelay", "Delay"},
                                                         {"txtStartKey", "Start Key"},
                                                         {"txtBackupKey", "Backup Job"},
                                                         {"txtTitle", "Start Title"}};
    for (const auto& [box, name] : named) QCOMPARE(s.view.widget(box)->accessibleName(), QString(name));
  }

  void tabFollowsTheDesignFromPause() {
    Window s;
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
    QVERIFY(s.frm.blnPause);
    QCOMPARE(s.w<QPushButton>("cmdPause")->text(), QString("Run"));
    QCOMPARE(s.w<QCheckBox>("chkDay5")->toolTip(), QString("Backup number  3 selected for the 5th day of the month"));

    s.store.clearWrites();
    s.frm.SliderBackupNumber.setValue(9);
    s.frm.chkDefault.setValue(1);
    s.frm.txtTitle.setText("Other");
    QCOMPARE(slider->value(), 9);
    QVERIFY(s.w<QCheckBox>("chkDefault")->isChecked());
    QCOMPARE(s.w<QLineEdit>("txtTitle")->text(), QString("Other"));
    for (const Control* c : s.frm.jobControls()) QVERIFY(s.view.widget(c->name())->isHidden());
    QCOMPARE(s.writes(), QStringList({"Start/Default=1", "Start/Title=Other"}));
    s.frm.close();
    QVERIFY(!s.view.isVisible());
  }

  void f1AndTheMenuOpenTheFocusedControlsTopic() {
    Window s;
    QApplication::setActiveWindow(&s.view);
    s.view.widget("txtTitle")->setFocus();
    QTest::keyClick(s.view.widget("txtTitle"), Qt::Key_F1);
    s.view.widget("chkDefault")->setFocus();
    s.view.action("mPopHelp")->trigger();
    s.view.widget("cmdPause")->setFocus();
    QTest::keyClick(s.view.widget("cmdPause"), Qt::Key_F1);
    QList<int> topics;
    for (const auto& shown : s.desk.helpShown) topics << shown.topic;
    QCOMPARE(topics, QList<int>({11, 4, 0}));
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

  // A problem goes on a line below the controls; a three-digit count-down
  // widens its label to the right instead of being cut.
  void longTextsAreShownWhole() {
    Window s;
    const int before = s.view.height();
    s.frm.showProblem("Settings could not be saved to /x: disk full.");
    QLabel* line = s.view.problemLine();
    QVERIFY(line && line->isVisible());
    const QRect at(line->mapTo(&s.view, QPoint(0, 0)), line->size());
    QVERIFY(!at.intersects(s.view.centralWidget()->geometry()));
    QVERIFY(s.view.rect().contains(at));
    QVERIFY(s.view.height() > before);

    auto* label = s.w<QLabel>("lblCountDown");
    const QRect designed = label->geometry();
    s.frm.lblCountDown.setCaption(" 150");
    QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(" 150"));
    QCOMPARE(label->pos(), designed.topLeft());
    QVERIFY(label->geometry().right() < s.view.centralWidget()->width());
    s.frm.lblCountDown.setCaption(" 5");
    QCOMPARE(label->geometry(), designed);
  }

  // Prompts and boxes open over the middle of the tool's window, placed
  // explicitly (a window manager keeps that), with the application's title
  // when the box has none of its own.
  void dialogsOpenOverTheWindow() {
    Window s;
    s.view.move(300, 200);
    QtDesktopServices services(std::make_unique<NoDesktop>());
    services.setOwnWindow(&s.view);
    const QPoint middle = s.view.frameGeometry().center();
    QStringList titles;
    auto check = [&](QWidget* box) {
      titles << box->windowTitle();
      QVERIFY(box->testAttribute(Qt::WA_Moved));
      QVERIFY((box->frameGeometry().center() - middle).manhattanLength() < 40);
    };
    onModal(check);
    showMsgBox(services, "Something to say", msgbox_style::kOkOnly);
    onModal(check);
    services.inputBox("Enter the title", "Title", "Microsoft Backup");
    QCOMPARE(titles, QStringList({"talvorstart", "Title"}));
  }

  // The real services: the timer counts steady seconds from the start (not
  // since midnight), a sleep lasts until it is due or an event comes, and a
  // count-down wakes once a second, not in a spin. Lower bounds only: a
  // busy machine may make anything late, never early.
  void waitsWakeOnlyWhenSomethingIsDue() {
    Shown<CountingServices> s;
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
    QVERIFY(!woken);
    QVERIFY2(clock.elapsed() >= 299, qPrintable(QString::number(clock.elapsed())));
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
    QVERIFY(s.frm.blnPause && !gaveUp);
    QVERIFY2(s.desk.sleeps < 20, qPrintable(QString::number(s.desk.sleeps)));
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

  void keysDialogOpensFromTheMenuAtItsDesignPlaces() {
    Window s;
    QCOMPARE(s.view.menuBar()->actions().at(1)->text(), QString("&Keys"));
    FrmKeysView* keys = s.openKeys();
    QCOMPARE(keys->windowTitle(), QString("Keys"));
    QCOMPARE(keys->parentWidget(), &s.view);
    const double k = keys->width() / 6960.0;
    QVERIFY(std::abs(keys->height() - 3852 * k) <= 1);
    for (const ControlDesign& d : frmKeysDesign()) {
      QWidget* w = keys->widget(d.name);
      QVERIFY2(w, d.name.c_str());
      compareGeometry(w, d, k);
      // The fields show the settings, the line under them what they hold.
      if (d.kind != ControlKind::TextBox && d.name != "lblKeysCheck") QCOMPARE(textOf(w), q(d.caption));
      QCOMPARE(w->toolTip(), q(d.tooltip));
    }
    auto* findBy = qobject_cast<QComboBox*>(keys->widget("cboFindBy"));
    QCOMPARE(findBy->count(), 4);
    QCOMPARE(findBy->currentIndex(), 0);
    findBy->activated(3);
    QCOMPARE(s.writes().last(), QString("Start/TitleMatch=class"));
    // What is typed shows in the main window and the check line at once, and back.
    auto* field = qobject_cast<QLineEdit*>(keys->widget("txtJobKeys"));
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, "{TAP}");
    QCOMPARE(s.w<QLineEdit>("txtBackupKey")->text(), QString("{TAP}"));
    QCOMPARE(textOf(keys->widget("lblKeysCheck")),
             QString("The job list keys cannot be sent: unknown key {TAP} in \"{TAP}\"."));
    s.w<QLineEdit>("txtBackupKey")->setText("%j");
    QCOMPARE(field->text(), QString("%j"));
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
        {"txtJobKeys", Qt::Key_B, Qt::AltModifier, "%b", "Start/BackupJobLetter"},             // no shortcut
        {"txtConfirmKeys", Qt::Key_Backtab, Qt::ShiftModifier, "+{TAB}", "Start/ConfirmKey"},  // no focus move
        {"txtConfirmKeys", Qt::Key_Escape, Qt::NoModifier, "{ESC}", "Start/ConfirmKey"},       // no close
    };
    Window s;
    FrmKeysView* keys = s.openKeys();
    for (const Case& c : cases) {
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
      QVERIFY(keys->isVisible());
    }
  }
};

QTEST_MAIN(TestQtView)
#include "test_qt_view.moc"
