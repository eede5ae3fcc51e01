#pragma once

// A start of the tool against an in-memory store and the fake desktop: the
// window, the load and the whole launch sequence, on a virtual clock.
#include "app/launch_sequence.h"
#include "app/settings_problems.h"
#include "platform/calendar.h"
#include "platform/fake/fake_desktop_services.h"
#include "settings/memory_store.h"
#include "ui/frm_main.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <memory>

struct LaunchFixture {
  settings::MemoryStore store;
  FakeDesktopServices desk;
  std::unique_ptr<FrmMain> frm;
  // With reportLikeTheProgram(): the store wrapped as the program wraps it.
  std::unique_ptr<settings::ReportingStore> reported;
  FrmMain* reportTo = nullptr;
  QStringList countDown;  // each new text of lblCountDown, in order
  QStringList messages;   // each new text of lblMessage, in order

  static inline const QString kBackupTitle = QStringLiteral("Microsoft Backup");

  // A store as a configured install leaves it; the batch file brings up the
  // backup program after 3 seconds.
  LaunchFixture() {
    put("Start", "Letter", "S");
    put("Start", "Title", kBackupTitle);
    put("Start", "BackupJobLetter", "B");
    put("Start", "StartDelay", "10");
    put("Start", "Default", "0");
    put("Start", "OnceOnly", "1");
    put("Start", "BackupNumber", "1");
    put("Start", "DateLastRun", shortDateText(today().addDays(-1)));
    desk.startsWindow = kBackupTitle + " - Untitled";
    desk.windowAppearsAfter = 3;
  }

  void put(const QString& section, const QString& key, const QString& value) {
    store.put(section.toStdString(), key.toStdString(), value.toStdString());
  }
  QString stored(const QString& section, const QString& key) const {
    return QString::fromStdString(store.GetSetting(settings::kApp, section.toStdString(), key.toStdString(), "<absent>"));
  }
  QDate today() const { return desk.clockStart.date(); }

  // Creates the window as the program does, without running the sequence.
  FrmMain& window() {
    if (!frm) {
      frm = std::make_unique<FrmMain>(storeInUse(), desk);
      reportTo = frm.get();
      Form_Load(*frm);
      frm->show();
      if (reported) reportReadProblem(*frm, *reported);
    }
    return *frm;
  }

  int start() {
    FrmMain& f = window();
    desk.onIdle = [this, &f] {
      if (countDown.isEmpty() || countDown.last() != f.lblCountDown->text()) countDown << f.lblCountDown->text();
      if (messages.isEmpty() || messages.last() != f.lblMessage->text()) messages << f.lblMessage->text();
    };
    return Form_Activate(f, storeInUse(), desk);
  }

  void reportLikeTheProgram() { reported = std::make_unique<settings::ReportingStore>(store, windowReporter(reportTo)); }
  settings::SettingsStore& storeInUse() { return reported ? static_cast<settings::SettingsStore&>(*reported) : store; }

  // The key strings that reached the backup program.
  QStringList keys() const { return desk.keysSent(); }

  static QStringList jobSequence(const QString& letter, int ups, int downs, const QString& start) {
    QStringList k{"%" + letter};
    for (int i = 0; i < ups; ++i) k << "{UP}";
    for (int i = 0; i < downs; ++i) k << "{DOWN}";
    k << "{ENTER}" << "%" + start;
    return k;
  }
  // "10" ... "1" with the leading blank.
  static QStringList countFrom(int n) {
    QStringList out;
    for (int i = n; i >= 1; --i) out << " " + QString::number(i);
    return out;
  }
};
