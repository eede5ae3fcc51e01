// The start-up load: which prompts come up, what the controls show, what
// the store holds afterwards, and what stored rubbish turns into.
#include "launch_fixture.h"

#include "app/settings_load.h"
#include "ui/schedule_table.h"

#include <QtTest>

namespace {
QStringList promptTitles(const FakeDesktopServices& desk) {
  QStringList out;
  for (const auto& p : desk.prompts) out << p.title;
  return out;
}

QStringList writtenKeys(const settings::MemoryStore& store) {
  QStringList out;
  for (const auto& w : store.writes()) out << QString::fromStdString(w.section + "/" + w.key + "=" + w.value);
  return out;
}

// The window with an empty or seeded store, loaded but not run.
struct Loaded {
  settings::MemoryStore store;
  FakeDesktopServices desk;
  std::unique_ptr<FrmMain> frm;

  void load() {
    frm = std::make_unique<FrmMain>(store, desk);
    Form_Load(*frm);
    loadSettings(*frm, store, desk);
  }
  QString stored(const QString& section, const QString& key) const {
    return QString::fromStdString(store.GetSetting(settings::kApp, section.toStdString(), key.toStdString(), "<absent>"));
  }
};
}  // namespace

class TestSettingsLoad : public QObject {
  Q_OBJECT

 private slots:
  void firstStartAsksForTheThreeTexts() {
    Loaded t;
    t.load();
    QCOMPARE(promptTitles(t.desk), QStringList({"Start Letter", "Title", "Backup Job Letter"}));
    QCOMPARE(t.desk.prompts[0].defaultText, QString("S"));
    QCOMPARE(t.desk.prompts[1].defaultText, QString("Microsoft Backup"));
    QCOMPARE(t.desk.prompts[2].defaultText, QString("B"));
    QVERIFY(t.desk.prompts[1].prompt.startsWith("This program needs to set the Backup program active.  To do"));
    QCOMPARE(t.frm->txtStartDelay->text(), QString("10"));
    QVERIFY(t.frm->chkOnceOnly->isChecked());
    QVERIFY(t.frm->chkDefault->isChecked());
    for (QWidget* w : t.frm->jobControls()) QVERIFY2(w->isHidden(), qPrintable(w->objectName()));
    QCOMPARE(t.stored("Start", "Letter"), QString("S"));
    QCOMPARE(t.stored("Start", "Title"), QString("Microsoft Backup"));
    QCOMPARE(t.stored("Start", "BackupJobLetter"), QString("B"));
    QCOMPARE(t.store.foreignAppCalls(), 0);
  }

  void promptRule_data() {
    QTest::addColumn<QString>("storedDelay");
    QTest::addColumn<QStringList>("expectedPrompts");
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty asks with 10") << "" << QStringList{"Start Delay"} << "10";
    QTest::newRow("one blank is kept") << " " << QStringList{} << " ";
    QTest::newRow("not a number is kept") << "abc" << QStringList{} << "abc";
  }
  void promptRule() {
    QFETCH(QString, storedDelay);
    QFETCH(QStringList, expectedPrompts);
    QFETCH(QString, shown);
    Loaded t;
    t.store.put("Start", "StartDelay", storedDelay.toStdString());
    t.store.put("Start", "Letter", "S");
    t.store.put("Start", "Title", "Microsoft Backup");
    t.store.put("Start", "BackupJobLetter", "B");
    t.load();
    QCOMPARE(promptTitles(t.desk), expectedPrompts);
    if (!expectedPrompts.isEmpty()) QCOMPARE(t.desk.prompts[0].defaultText, QString("10"));
    QCOMPARE(t.frm->txtStartDelay->text(), shown);
    QCOMPARE(t.stored("Start", "StartDelay"), shown);
  }

  void cancelledTitleIsStoredEmptyAndAskedAgain() {
    Loaded t;
    t.desk.answers = {QString("S"), std::nullopt, QString("{")};
    t.load();
    QCOMPARE(t.frm->txtTitle->text(), QString());
    QCOMPARE(t.stored("Start", "Title"), QString());  // present and empty
    QCOMPARE(t.stored("Start", "BackupJobLetter"), QString("{"));  // answers are not validated

    FakeDesktopServices nextStart;
    FrmMain again(t.store, nextStart);
    loadSettings(again, t.store, nextStart);
    QCOMPARE(promptTitles(nextStart), QStringList{"Title"});
  }

  void checkedBoxesGetTheirTooltipAndTheStoreIsUnchanged() {
    Loaded t;
    t.store.put("Month", "12onoff", "1");
    t.store.put("Month", "12Backup", "7");
    t.store.put("Month", "13Backup", "9");  // unchecked: its number is only carried
    t.store.put("Wednesday", "Wednesday", "1");
    t.store.put("Wednesday", "Backup", "3");
    t.store.put("Start", "BackupNumber", "5");
    t.load();
    QVERIFY(t.frm->chkDay(12)->isChecked());
    QCOMPARE(t.frm->chkDay(12)->toolTip(), QString("Backup number  7 selected for the 12th day of the month"));
    QCOMPARE(t.frm->chkwednesday->toolTip(), QString("Backup number  3 selected for Wednesday"));
    QVERIFY(!t.frm->chkDay(13)->isChecked());
    QCOMPARE(t.frm->chkDay(13)->toolTip(), kScheduleDesignTooltip);
    QCOMPARE(t.stored("Month", "12Backup"), QString("7"));
    QCOMPARE(t.stored("Wednesday", "Backup"), QString("3"));
    // The slider carried 38 numbers; the user's own stays, on both controls.
    QCOMPARE(t.frm->SliderBackupNumber->value(), 5);
    QCOMPARE(t.frm->txtBackupNumber->text(), QString("5"));
    QCOMPARE(t.stored("Start", "BackupNumber"), QString("5"));
  }

  // The click and change handlers write back in the load's own order.
  void loadWritesInTheFixedOrder() {
    Loaded t;
    t.store.put("Month", "3onoff", "1");
    t.store.put("Month", "3Backup", "2");
    t.store.put("Month", "12onoff", "1");
    t.store.put("Month", "12Backup", "7");
    t.store.put("Sunday", "Sunday", "1");
    t.store.put("Sunday", "Backup", "4");
    t.store.put("Start", "OnceOnly", "1");
    t.store.put("Start", "StartDelay", "");
    t.store.put("Start", "Letter", "K");
    t.store.put("Start", "Title", "Microsoft Backup");
    t.store.put("Start", "Default", "0");
    t.store.put("Start", "BackupJobLetter", "B");
    t.desk.answers = {QString("15")};
    // The option boxes' design states are unchecked: "Default" 0 runs no handler.
    t.load();
    QCOMPARE(writtenKeys(t.store), QStringList({
                                       "Month/3onoff=1",
                                       "Month/3Backup=2",
                                       "Month/12onoff=1",
                                       "Month/12Backup=7",
                                       "Sunday/Sunday=1",
                                       "Sunday/Backup=4",
                                       "Start/OnceOnly=1",
                                       "Start/StartDelay=",    // the design's "10" replaced
                                       "Start/StartDelay=15",  // the answer, by the change handler
                                       "Start/StartDelay=15",  // and by the prompt's own store
                                       "Start/Letter=K",
                                       // texts equal to the design texts change nothing
                                   }));
    for (QWidget* w : t.frm->jobControls()) QVERIFY(!w->isHidden());
  }

  void lastBackupDecidesWhichControlsShow_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("shown");
    QTest::newRow("0 shows") << "0" << true;
    QTest::newRow("1 hides") << "1" << false;
    QTest::newRow("rubbish reads as the default") << "yes" << false;
  }
  void lastBackupDecidesWhichControlsShow() {
    QFETCH(QString, stored);
    QFETCH(bool, shown);
    Loaded t;
    t.store.put("Start", "Default", stored.toStdString());
    t.load();
    for (QWidget* w : t.frm->jobControls()) QCOMPARE(!w->isHidden(), shown);
  }

  void jobControlsAreExactlyTheFortyFive() {
    Loaded t;
    t.load();
    QWidget* outside[] = {t.frm->cmdPause, t.frm->lblCountDown, t.frm->lblMessage, t.frm->txtStartDelay,
                          t.frm->txtStartKey, t.frm->txtTitle, t.frm->chkDefault, t.frm->chkOnceOnly,
                          t.frm->Image1};
    QSet<QWidget*> job;
    for (QWidget* w : t.frm->jobControls()) job.insert(w);
    QCOMPARE(t.frm->jobControls().size(), 45);
    QCOMPARE(job.size(), 45);
    for (int d = 1; d <= 31; ++d) QVERIFY(job.contains(t.frm->chkDay(d)));
    QVERIFY(job.contains(t.frm->SliderBackupNumber));
    QVERIFY(job.contains(t.frm->txtBackupNumber));
    QVERIFY(job.contains(t.frm->txtBackupKey));
    for (QWidget* w : outside) QVERIFY2(!job.contains(w), qPrintable(w->objectName()));

    t.frm->show();
    t.frm->SetJobControlsVisible(true);
    for (QWidget* w : outside) QVERIFY(w->isVisible());
    t.frm->SetJobControlsVisible(false);
    for (QWidget* w : outside) QVERIFY(w->isVisible());
    for (QWidget* w : job) QVERIFY(!w->isVisible());
  }

  // Values this program never writes, as a hand-edited or damaged file
  // holds them: each reads as a defined value and nothing crashes.
  void badStoredValues() {
    Loaded t;
    t.store.put("Month", "5onoff", "2");      // neither state: the default
    t.store.put("Month", "6onoff", "1");
    t.store.put("Month", "6Backup", "x");     // not a number: the default job
    t.store.put("Month", "7onoff", "1");
    t.store.put("Month", "7Backup", "99");    // above the slider: its maximum
    t.store.put("Month", "8onoff", "1");
    t.store.put("Month", "8Backup", "-4");    // below: its minimum
    t.store.put("Start", "OnceOnly", "");
    t.store.put("Start", "StartDelay", "1e30");
    t.store.put("Start", "BackupNumber", "2.5");
    t.load();
    QVERIFY(!t.frm->chkDay(5)->isChecked());
    QCOMPARE(t.frm->chkDay(6)->toolTip(), QString("Backup number  1 selected for the 6th day of the month"));
    QCOMPARE(t.stored("Month", "6Backup"), QString("1"));
    QCOMPARE(t.frm->chkDay(7)->toolTip(),
             QString("Backup number  %1 selected for the 7th day of the month").arg(t.frm->jobNumberMaximum()));
    QCOMPARE(t.frm->chkDay(8)->toolTip(), QString("Backup number  1 selected for the 8th day of the month"));
    QVERIFY(t.frm->chkOnceOnly->isChecked());
    QCOMPARE(t.frm->txtStartDelay->text(), QString("1e30"));
    QCOMPARE(t.frm->SliderBackupNumber->value(), 1);
    QCOMPARE(t.frm->txtBackupNumber->text(), QString("1"));
  }

  // An unattended start: a store that cannot be read or written holds
  // nothing back. It says so in the window, never in a box that waits.
  void storeFailuresAreShownInTheWindowAndTheRunGoesOn() {
    LaunchFixture t;
    t.store.put("Start", "OnceOnly", "0");  // the load ticks it, which writes "OnceOnly"
    t.store.put("Start", "Letter", "");     // the prompt's answer is written
    t.store.setReadProblem("/home/u/.config/TalvorStart/TalvorStart.ini: it is not a regular file");
    t.store.setFailWrites(true);
    t.desk.at(1, [&] { t.store.setFailWrites(false); });  // writable again before the run ends
    t.reportLikeTheProgram();
    QCOMPARE(t.start(), exit_status::kOk);
    QVERIFY2(t.desk.boxes.isEmpty(), qPrintable(t.desk.boxes.value(0).text));
    QCOMPARE(t.keys(), LaunchFixture::jobSequence("B", 20, 0, "S"));
    QCOMPARE(t.stored("Start", "Letter"), QString("S"));  // kept in memory, then stored
    QVERIFY(t.frm->lblProblem && !t.frm->lblProblem->isHidden());
    const QString shown = t.frm->lblProblem->text();
    QVERIFY2(shown.contains("Settings could not be read (/home/u/.config/TalvorStart/TalvorStart.ini: it is not a "
                            "regular file). This start uses the defaults"),
             qPrintable(shown));
    QVERIFY2(shown.contains("Settings could not be saved to memory: writes refused."), qPrintable(shown));
    QCOMPARE(shown.count("could not be saved"), 1);  // once per reason, however many writes failed
    // Below the controls, not over them; the window grows to hold it.
    const QRect line(t.frm->lblProblem->mapTo(t.frm.get(), QPoint(0, 0)), t.frm->lblProblem->size());
    QVERIFY(!line.intersects(t.frm->centralWidget()->geometry()));
    QVERIFY(t.frm->rect().contains(line));
  }
};

QTEST_MAIN(TestSettingsLoad)
#include "test_settings_load.moc"
