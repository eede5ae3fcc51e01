#pragma once

// A start of the tool on an in-memory store and the fake desktop, on a virtual clock.
#include <memory>
#include <string>
#include <vector>

#include "app/launch_sequence.h"
#include "app/run_history.h"
#include "app/settings_problems.h"
#include "platform/fake/fake_desktop_services.h"
#include "settings/memory_store.h"
#include "ui/frm_main.h"

using Texts = std::vector<std::string>;

struct LaunchFixture {
  settings::MemoryStore store;
  FakeDesktopServices desk;
  std::unique_ptr<FrmMain> frm;
  // With reportLikeTheProgram(): the store wrapped as the program wraps it.
  std::unique_ptr<settings::ReportingStore> reported;
  FrmMain* reportTo = nullptr;
  Texts countDown;                // each new text of lblCountDown, in order
  Texts messages;                 // each new text of lblMessage, in order
  RunHistory* history = nullptr;  // where starts are recorded, when a test gives one

  static inline const std::string kBackupTitle = "Microsoft Backup";

  // A configured install; the batch file brings up the backup program after 3 seconds.
  LaunchFixture() {
    put("Start", "Letter", "S");
    put("Start", "Title", kBackupTitle);
    put("Start", "BackupJobLetter", "B");
    put("Start", "StartDelay", "10");
    put("Start", "Default", "0");
    put("Start", "OnceOnly", "1");
    put("Start", "BackupNumber", "1");
    put("Start", "DateLastRun", dateText(-1));
    desk.startsWindow = kBackupTitle + " - Untitled";
    desk.windowAppearsAfter = 3;
  }

  void put(const std::string& section, const std::string& key, const std::string& value) {
    store.put(section, key, value);
  }
  std::string stored(const std::string& section, const std::string& key) const {
    return store.GetSetting(settings::kApp, section, key, "<absent>");
  }
  // Today's date (plus days) in the form the run stores.
  std::string dateText(long days = 0) { return desk.shortDateText(addDays(desk.clockStart.date, days)); }

  // The window as the program makes it, recording each shown change of the two labels.
  FrmMain& window() {
    if (!frm) {
      frm = std::make_unique<FrmMain>(storeInUse(), desk);
      reportTo = frm.get();
      frm->lblCountDown.viewUpdate = [this](const Control& c) { record(countDown, c.caption()); };
      frm->lblMessage.viewUpdate = [this](const Control& c) { record(messages, c.caption()); };
      Form_Load(*frm);
      frm->show();
      if (reported) reportReadProblem(*frm, *reported);
    }
    return *frm;
  }

  int start() { return runStart(window(), storeInUse(), desk, history).exitStatus(); }

  void reportLikeTheProgram() {
    reported = std::make_unique<settings::ReportingStore>(store, windowReporter(reportTo));
  }
  settings::SettingsStore& storeInUse() { return reported ? static_cast<settings::SettingsStore&>(*reported) : store; }

  // The key strings that reached the backup program.
  Texts keys() const { return desk.keysSent(); }
  Texts writes() const {
    Texts out;
    for (const auto& w : store.writes()) out.push_back(w.section + "/" + w.key + "=" + w.value);
    return out;
  }

  static Texts jobSequence(const std::string& letter, int ups, int downs, const std::string& start) {
    Texts k{"%" + letter};
    for (int i = 0; i < ups; ++i) k.push_back("{UP}");
    for (int i = 0; i < downs; ++i) k.push_back("{DOWN}");
    k.push_back("{ENTER}");
    k.push_back("%" + start);
    return k;
  }
  // " 10" ... " 1" with the leading blank.
  static Texts countFrom(int n) {
    Texts out;
    for (int i = n; i >= 1; --i) out.push_back(" " + std::to_string(i));
    return out;
  }

 private:
  static void record(Texts& list, const std::string& text) {
    if (list.empty() || list.back() != text) list.push_back(text);
  }
};

inline Texts operator+(Texts a, const Texts& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
inline Texts slice(const Texts& t, size_t from, size_t count = std::string::npos) {
  if (from >= t.size()) return {};
  return Texts(t.begin() + long(from), t.begin() + long(from + std::min(count, t.size() - from)));
}
