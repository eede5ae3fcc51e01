// The window's handlers as a user meets them: schedule boxes, options, the
// slider, the text boxes, Pause/Run, About and Help.
#include "launch_fixture.h"

#include "app/settings_load.h"
#include "ui/help_viewer.h"
#include "ui/schedule_table.h"

#include <QAction>
#include <QApplication>
#include <QtTest>

namespace {
// A loaded window on a configured store, job controls shown.
struct Window {
  LaunchFixture t;
  FrmMain* frm;
  Window() {
    t.put("Start", "Default", "0");
    frm = &t.window();
    loadSettings(*frm, t.store, t.desk);
    t.store.clearWrites();
  }
  void slideTo(int job) {
    // As a keyboard user moves it: one step at a time.
    frm->SliderBackupNumber->setFocus();
    while (frm->SliderBackupNumber->value() < job) QTest::keyClick(frm->SliderBackupNumber, Qt::Key_Right);
    while (frm->SliderBackupNumber->value() > job) QTest::keyClick(frm->SliderBackupNumber, Qt::Key_Left);
  }
  QStringList writes() const {
    QStringList out;
    for (const auto& w : t.store.writes()) out << QString::fromStdString(w.section + "/" + w.key + "=" + w.value);
    return out;
  }
};
}  // namespace

class TestHandlers : public QObject {
  Q_OBJECT

 private slots:
  void scheduleClickStoresStateThenJob_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("onOffKey");
    QTest::addColumn<QString>("backupKey");
    QTest::addColumn<QString>("tooltip");
    QTest::newRow("1st") << "chkDay1" << "Month" << "1onoff" << "1Backup"
                         << "Backup number  3 selected for the 1st day of the month";
    QTest::newRow("21th") << "chkDay21" << "Month" << "21onoff" << "21Backup"
                          << "Backup number  3 selected for the 21th day of the month";
    QTest::newRow("22th") << "chkDay22" << "Month" << "22onoff" << "22Backup"
                          << "Backup number  3 selected for the 22th day of the month";
    QTest::newRow("23th") << "chkDay23" << "Month" << "23onoff" << "23Backup"
                          << "Backup number  3 selected for the 23th day of the month";
    QTest::newRow("31st") << "chkDay31" << "Month" << "31onoff" << "31Backup"
                          << "Backup number  3 selected for the 31st day of the month";
    QTest::newRow("Wednesday") << "chkwednesday" << "Wednesday" << "Wednesday" << "Backup"
                               << "Backup number  3 selected for Wednesday";
    QTest::newRow("Sunday") << "chkSunday" << "Sunday" << "Sunday" << "Backup"
                            << "Backup number  3 selected for Sunday";
  }
  void scheduleClickStoresStateThenJob() {
    QFETCH(QString, box);
    QFETCH(QString, section);
    QFETCH(QString, onOffKey);
    QFETCH(QString, backupKey);
    QFETCH(QString, tooltip);
    Window w;
    w.slideTo(3);
    w.t.store.clearWrites();
    auto* check = w.frm->findChild<QCheckBox*>(box);
    QVERIFY(check);
    check->click();
    QCOMPARE(w.writes(), QStringList({section + "/" + onOffKey + "=1", section + "/" + backupKey + "=3"}));
    QCOMPARE(check->toolTip(), tooltip);

    // Unticking stores the state and the slider's number of now.
    w.slideTo(7);
    w.t.store.clearWrites();
    check->click();
    QCOMPARE(w.writes(), QStringList({section + "/" + onOffKey + "=0", section + "/" + backupKey + "=7"}));
    QCOMPARE(check->toolTip(), kScheduleDesignTooltip);
  }

  void everyBoxHasItsNamedHandlerAndTableEntry() {
    Window w;
    QCOMPARE(int(scheduleTable().size()), 38);
    for (const ScheduleEntry& e : scheduleTable()) {
      QCOMPARE(w.frm->scheduleBox(e)->objectName(), e.boxName);
      const QByteArray handler = (e.boxName + "_Click()").toLatin1();
      QVERIFY2(w.frm->metaObject()->indexOfSlot(handler) >= 0, handler.constData());
    }
  }

  void sliderMoveKeepsTheTooltipsAndMirrorsTheNumber() {
    Window w;
    w.frm->chkDay(5)->click();
    const QString before = w.frm->chkDay(5)->toolTip();
    w.t.store.clearWrites();
    w.slideTo(4);
    QCOMPARE(w.frm->chkDay(5)->toolTip(), before);
    QCOMPARE(w.frm->txtBackupNumber->text(), QString("4"));
    QCOMPARE(w.t.stored("Start", "BackupNumber"), QString("4"));
    QCOMPARE(w.writes().last(), QString("Start/BackupNumber=4"));
    QVERIFY(!w.writes().join(",").contains("5Backup"));
  }

  void programMovesOfTheSliderStoreNothing() {
    Window w;
    w.frm->setJobNumber(9);
    QVERIFY(w.t.store.writes().empty());
    QCOMPARE(w.frm->txtBackupNumber->text(), QString("1"));
  }

  void textBoxesStoreTheirWholeTextOnEveryChange() {
    Window w;
    w.frm->txtStartKey->setFocus();
    w.frm->txtStartKey->selectAll();
    QTest::keyClicks(w.frm->txtStartKey, " A,");
    QCOMPARE(w.writes(), QStringList({"Start/Letter= ", "Start/Letter= A", "Start/Letter= A,"}));
    w.t.store.clearWrites();
    w.frm->txtTitle->setText("");
    w.frm->txtStartDelay->setText("1e30");
    w.frm->txtBackupKey->setText("{");
    QCOMPARE(w.writes(), QStringList({"Start/Title=", "Start/StartDelay=1e30", "Start/BackupJobLetter={"}));
  }

  void lastBackupStoresThenShowsOrHides() {
    Window w;
    QVERIFY(!w.frm->SliderBackupNumber->isHidden());
    w.frm->chkDefault->click();
    QCOMPARE(w.writes(), QStringList{"Start/Default=1"});
    for (QWidget* c : w.frm->jobControls()) QVERIFY(c->isHidden());
    w.frm->chkDefault->click();
    QCOMPARE(w.t.stored("Start", "Default"), QString("0"));
    for (QWidget* c : w.frm->jobControls()) QVERIFY(!c->isHidden());
  }

  void oncePerDayStoresItsState() {
    Window w;
    w.frm->chkOnceOnly->click();
    w.frm->chkOnceOnly->click();
    QCOMPARE(w.writes(), QStringList({"Start/OnceOnly=0", "Start/OnceOnly=1"}));
  }

  void pauseButtonToggles() {
    Window w;
    QCOMPARE(w.frm->cmdPause->text(), QString("Pause"));
    w.frm->cmdPause->click();
    QVERIFY(w.frm->blnPause);
    QCOMPARE(w.frm->cmdPause->text(), QString("Run"));
    w.frm->cmdPause->click();
    QVERIFY(!w.frm->blnPause);
    QCOMPARE(w.frm->cmdPause->text(), QString("Pause"));
  }

  void aboutBox() {
    Window w;
    w.frm->mPopAbout->trigger();
    QCOMPARE(w.t.desk.boxes.size(), 1);
    const auto& box = w.t.desk.boxes.first();
    QCOMPARE(box.title, QString("About Talvor Start"));
    QCOMPARE(box.style, 64);
    QVERIFY(box.text.startsWith("Talvor Start Version 1.0.29\r\n"));
    QVERIFY(box.text.endsWith("\r\n\r\n"));
    QCOMPARE(box.text.count("\r\n"), 5);
    QCOMPARE(box.text.count("\n"), 5);  // no bare line feeds
  }

  void f1OpensHelpAtTheFocusedControlsTopic() {
    Window w;
    w.frm->show();
    QApplication::setActiveWindow(w.frm);
    w.frm->txtTitle->setFocus();
    QTest::keyClick(w.frm->txtTitle, Qt::Key_F1);
    auto* viewer = w.frm->findChild<HelpViewer*>();
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->shownAnchor(), QString("topic11"));

    w.frm->chkDefault->setFocus();
    w.frm->mPopHelp->trigger();  // the menu: the same as F1
    QCOMPARE(viewer->shownAnchor(), QString("topic4"));

    w.frm->cmdPause->setFocus();  // no topic of its own
    QTest::keyClick(w.frm->cmdPause, Qt::Key_F1);
    QCOMPARE(viewer->shownAnchor(), QString("contents"));
    QVERIFY(w.t.desk.boxes.isEmpty());
  }

  void missingHelpFileIsReported() {
    Window w;
    w.frm->setHelpFile("no-such-file.hlp");
    w.frm->showHelp(5);
    QCOMPARE(w.t.desk.boxes.size(), 1);
    QVERIFY(w.t.desk.boxes.first().text.contains("no-such-file.hlp"));
    QCOMPARE(w.t.desk.boxes.first().style, 16);
  }
};

QTEST_MAIN(TestHandlers)
#include "test_handlers.moc"
