#pragma once

// A start of the tool on an in-memory store and the fake desktop, on a virtual clock.
#include <memory>
#include <string>
#include <vector>

#include "app/launch_sequence.h"
#include "app/run_history.h"
#include "app/settings_load.h"
#include "app/settings_problems.h"
#include "platform/fake/fake_desktop_services.h"
#include "settings/memory_store.h"
#include "ui/frm_main.h"

using Texts = std::vector<std::string>;
// Waits end on the millisecond after they are due.
constexpr double kSlack = 0.01;

inline Texts operator+(Texts a, const Texts& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct LaunchFixture {
  settings::MemoryStore store;
  FakeDesktopServices desk;
  std::unique_ptr<FrmMain> frm;
  std::unique_ptr<settings::ReportingStore> reported;  // with reportLikeTheProgram()
  Texts countDown, messages;                           // each new text of lblCountDown and lblMessage, in order
  RunHistory* history = nullptr;

  // A configured install; the batch file brings up the backup program after 3 seconds.
  LaunchFixture() {
    put("Start", {{"Letter", "S"}, {"Title", "Microsoft Backup"}, {"BackupJobLetter", "B"}, {"StartDelay", "10"}});
    put("Start", {{"Default", "0"}, {"OnceOnly", "1"}, {"BackupNumber", "1"}, {"DateLastRun", dateText(-1)}});
    desk.startsWindow = "Microsoft Backup - Untitled";
    desk.windowAppearsAfter = 3;
  }

  void put(const std::string& section, const std::string& key, const std::string& value) {
    store.put(section, key, value);
  }
  void put(const std::string& section, std::initializer_list<std::pair<std::string, std::string>> keys) {
    for (const auto& [key, value] : keys) store.put(section, key, value);
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
  // The window loaded as at a start, before the run; what the load stored forgotten.
  FrmMain& loaded() {
    loadSettings(window(), storeInUse(), desk);
    store.clearWrites();
    return *frm;
  }
  int start() { return runStart(window(), storeInUse(), desk, history).exitStatus(); }

  // The store wrapped as the program wraps it, reporting to the window once it is made.
  void reportLikeTheProgram() {
    reported = std::make_unique<settings::ReportingStore>(store, windowReporter(reportTo));
  }
  settings::SettingsStore& storeInUse() { return reported ? static_cast<settings::SettingsStore&>(*reported) : store; }

  // The key strings that reached the backup program; what was stored, as section/key=value.
  Texts keys() const { return desk.keysSent(); }
  Texts writes() const {
    Texts out;
    for (const auto& w : store.writes()) out.push_back(w.section + "/" + w.key + "=" + w.value);
    return out;
  }

  // What the run sends for a job that is ups and downs away from the list's top.
  static Texts jobSequence(const std::string& letter, int ups, int downs, const std::string& start) {
    return Texts{"%" + letter} + Texts(size_t(ups), "{UP}") + Texts(size_t(downs), "{DOWN}") +
           Texts{"{ENTER}", "%" + start};
  }
  // " 10" ... " 1" with the leading blank.
  static Texts countFrom(int n) {
    Texts out;
    for (int i = n; i >= 1; --i) out.push_back(" " + std::to_string(i));
    return out;
  }

 private:
  FrmMain* reportTo = nullptr;
  static void record(Texts& list, const std::string& text) {
    if (list.empty() || list.back() != text) list.push_back(text);
  }
};

inline Texts slice(const Texts& t, size_t from, size_t count = std::string::npos) {
  return from >= t.size() ? Texts()
                          : Texts(t.begin() + long(from), t.begin() + long(from + std::min(count, t.size() - from)));
}
