// The settings schema and the real store: what lands in the INI file, what
// the next start reads back, and what happens when the file cannot be written.
#include "settings/qsettings_store.h"
#include "settings/reporting_store.h"
#include "settings/settings_schema.h"
#include "settings/settings_values.h"
#include "settings/memory_store.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace settings;

class TestSettingsStore : public QObject {
  Q_OBJECT

  QTemporaryDir config_;
  QString iniPath() const { return config_.filePath("TalvorStart/TalvorStart.ini"); }

 private slots:
  void initTestCase() {
    QVERIFY(config_.isValid());
    // QSettings takes the user folder once per process: set it first.
    qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
  }

  void schemaHasEveryKeyOnce() {
    QSet<QString> sections, addresses;
    int month = 0, weekday = 0, start = 0;
    for (const SettingKey& k : schema()) {
      sections << k.section;
      addresses << k.section + "/" + k.key;
      if (k.section == "Month") ++month;
      else if (k.section == "Start") ++start;
      else ++weekday;
    }
    QCOMPARE(sections.size(), 9);
    QCOMPARE(month, 62);
    QCOMPARE(weekday, 14);
    QCOMPARE(start, 8);
    QCOMPARE(addresses.size(), int(schema().size()));
    QCOMPARE(dayOnOff(9).key, QString("9onoff"));
    QCOMPARE(dayBackup(31).key, QString("31Backup"));
    QCOMPARE(weekdayOnOff(2).section, QString("Wednesday"));
    QCOMPARE(weekdayOnOff(2).key, QString("Wednesday"));
    QCOMPARE(weekdayBackup(6).key, QString("Backup"));
    QCOMPARE(startKey(StartKey::DateLastRun).key, QString("DateLastRun"));
    QVERIFY(!startKey(StartKey::Title).loadDefault);
    QCOMPARE(*startKey(StartKey::StartDelay).loadDefault, QString("10"));
  }

  void valuesRoundTripThroughTheIniFile_data() {
    QTest::addColumn<QString>("value");
    QTest::newRow("empty") << "";
    QTest::newRow("blanks around") << "  Microsoft Backup  ";
    QTest::newRow("single blank") << " ";
    QTest::newRow("commas") << "a, b,c";
    QTest::newRow("leading at") << "@Variant(x)";
    QTest::newRow("quotes") << "say \"hi\" 'there'";
    QTest::newRow("ini syntax") << "a=b; c # d [e]";
    QTest::newRow("backslashes") << "C:\\Backup\\jobs\\";
    QTest::newRow("non-ascii") << QString::fromUtf8("Sauvegarde – Ünïcødé 備份");
    QTest::newRow("line break") << "one\ntwo";
    QTest::newRow("number-like") << "007";
    QTest::newRow("true") << "true";
  }
  void valuesRoundTripThroughTheIniFile() {
    QFETCH(QString, value);
    {
      QSettingsStore store;
      QVERIFY(store.SaveSetting(kApp, "Start", "Title", value).ok);
      QCOMPARE(store.location(kApp), iniPath());
    }
    QVERIFY(QFile::exists(iniPath()));
    QSettingsStore nextStart;
    const QString back = nextStart.GetSetting(kApp, "Start", "Title", "DEFAULT");
    QCOMPARE(back, value);
  }

  void fileHasOneGroupPerSectionWithKeysAsSpelled() {
    QSettingsStore store;
    QVERIFY(store.SaveSetting(kApp, "Month", "12onoff", "1").ok);
    QVERIFY(store.SaveSetting(kApp, "Wednesday", "Wednesday", "1").ok);
    QFile f(iniPath());
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    QVERIFY2(text.contains("[Month]\n12onoff=1"), qPrintable(text));
    QVERIFY2(text.contains("[Wednesday]\nWednesday=1"), qPrintable(text));
  }

  void emptyIsNotAbsentAndReadingCreatesNothing() {
    QSettingsStore store;
    QVERIFY(store.SaveSetting(kApp, "Start", "StartDelay", "").ok);
    QCOMPARE(store.GetSetting(kApp, "Start", "StartDelay", "10"), QString(""));
    QCOMPARE(store.GetSetting(kApp, "Start", "NeverWritten", "10"), QString("10"));
    QCOMPARE(store.GetSetting(kApp, "Nowhere", "Nothing"), QString());
    QVERIFY(store.SaveSetting(kApp, "Start", "Letter", "S").ok);  // forces a rewrite
    QSettings raw(iniPath(), QSettings::IniFormat);
    QVERIFY(raw.contains("Start/StartDelay"));
    QVERIFY(!raw.contains("Start/NeverWritten"));
    QVERIFY(!raw.childGroups().contains("Nowhere"));
  }

  void aFailedWriteIsReportedOnceNamingFileAndReason() {
    // A settings folder that is a regular file fails for root too.
    QFile blocker(config_.filePath("Blocked"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QSettingsStore real;
    QVector<WriteResult> reports;
    ReportingStore store(real, [&](const WriteResult& w) { reports << w; });
    const WriteResult first = store.SaveSetting("Blocked", "Start", "Title", "x");
    QVERIFY(!first.ok);
    QVERIFY2(first.where.endsWith("Blocked/Blocked.ini"), qPrintable(first.where));
    QVERIFY2(first.reason.contains("not a folder"), qPrintable(first.reason));
    QVERIFY(!store.SaveSetting("Blocked", "Start", "Letter", "S").ok);
    QCOMPARE(reports.size(), 1);
    QCOMPARE(reports[0].where, first.where);
    // The program goes on with what this start wrote; nothing reached a file.
    QCOMPARE(store.GetSetting("Blocked", "Start", "Title", "d"), QString("x"));
    QVERIFY(!QFile::exists(first.where));
    // The blocker is untouched: a broken store never eats the user's files.
    QCOMPARE(QFileInfo(blocker.fileName()).size(), 0);
  }

  void badStoredNumbersReadAsDefaults_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("checkState");
    QTest::addColumn<int>("jobNumber");
    QTest::newRow("abc") << "abc" << 0 << 1;
    QTest::newRow("empty") << "" << 0 << 1;
    QTest::newRow("blanks") << " 1 " << 1 << 1;
    QTest::newRow("two") << "2" << 0 << 2;
    QTest::newRow("fraction") << "1.5" << 0 << 1;
    QTest::newRow("huge") << "99999999999999999999" << 0 << 2147483647;
    QTest::newRow("negative") << "-4" << 0 << -4;
    QTest::newRow("one") << "1" << 1 << 1;
  }
  void badStoredNumbersReadAsDefaults() {
    QFETCH(QString, stored);
    QFETCH(int, checkState);
    QFETCH(int, jobNumber);
    MemoryStore store;
    store.put("Month", "5onoff", stored);
    store.put("Month", "5Backup", stored);
    QCOMPARE(readCheckState(store, dayOnOff(5)), checkState);
    QCOMPARE(readJobNumber(store, dayBackup(5)), jobNumber);
    QCOMPARE(store.writes().size(), 0);
  }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "test_settings_store.moc"
