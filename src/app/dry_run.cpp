#include "app/dry_run.h"

#include "app/backup_run.h"
#include "app/launch_sequence.h"
#include "app/settings_load.h"
#include "platform/desktop_services.h"
#include "settings/settings_store.h"
#include "ui/frm_main.h"

namespace {

// Reads the real settings, keeps nothing.
class ReadOnlyStore : public settings::SettingsStore {
 public:
  explicit ReadOnlyStore(const settings::SettingsStore& inner) : inner_(inner) {}
  std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                         const std::string& defaultText) const override {
    return inner_.GetSetting(app, section, key, defaultText);
  }
  settings::WriteResult SaveSetting(const std::string&, const std::string&, const std::string&,
                                    const std::string&) override {
    return {};
  }
  std::string readProblem(const std::string& app) const override { return inner_.readProblem(app); }

 private:
  const settings::SettingsStore& inner_;
};

// A desktop on which the run only talks: every window it looks for is
// there, every key is taken, time passes only when it waits.
class ListeningDesktop : public DesktopServices {
 public:
  explicit ListeningDesktop(const DryRunClock& clock) : clock_(clock), start_(clock.now()) {}
  std::string title;
  TitleMatch match = TitleMatch::Start;
  std::vector<std::string> keys;  // and the pauses between them, as written

  void beginRun() override {}
  Status shell(const std::string&, int) override { return Status::success(); }
  Status appActivate(const std::string& t, TitleMatch m) override {
    title = t;
    match = m;
    return Status::success();
  }
  Status sendKeys(const std::string& k, bool) override {
    if (pausedMs_ > 0) keys.push_back("{WAIT " + std::to_string(pausedMs_) + "}");
    pausedMs_ = 0;
    keys.push_back(k);
    return Status::success();
  }
  double timer() override { return seconds_; }
  void doEvents() override {}
  bool idle(int maxMs) override {
    seconds_ += maxMs < 0 ? 1 : maxMs / 1000.0;
    pausedMs_ += maxMs > 0 ? maxMs : 0;
    return false;
  }
  LocalTime now() override { return addSeconds(start_, seconds_); }
  std::string shortDateText(const Date& date) override { return clock_.shortDateText(date); }
  std::string inputBox(const std::string&, const std::string&, const std::string&) override { return {}; }
  void msgBox(const std::string&, int, const std::string&) override {}
  void showHelp(const std::string&, int) override {}
  bool systemLog(const std::string&, bool, const LogFields&) override { return false; }
  bool notify(const std::string&, const std::string&, std::string&) override { return false; }

 private:
  DryRunClock clock_;
  LocalTime start_;
  double seconds_ = 0;
  int pausedMs_ = 0;
};

}  // namespace

int dryRun(settings::SettingsStore& realStore, const DryRunClock& clock, std::string& out) {
  ReadOnlyStore store(realStore);
  ListeningDesktop desk(clock);
  FrmMain frm(store, desk);
  loadSettings(frm, store, desk);
  const LocalTime today = desk.now();
  out = "Today: " + isoDate(today.date) + "\n";
  if (!backupDueToday(frm, store, desk))
    out += "Once Per Day: a backup ran today already, so a start now would only pause.\n";
  out += "Start delay: " + frm.txtStartDelay.text() + " seconds\n";
  frm.txtStartDelay.setText("0");  // the dry run does not wait
  BackupRun run(frm, store, desk);
  const Outcome outcome = run.RunBackup();
  if (outcome == Outcome::SettingsMissing || outcome == Outcome::SettingsInvalid) {
    out += notStartedText(outcome, run.detail()) + "\n";
    return outcomeInfo(outcome).exitStatus;
  }
  static const char* const kMatchWords[] = {"the exact title first, else one that begins with it",
                                            "the exact title first, else one that ends with it",
                                            "the exact title first, else one that contains it",
                                            "a window of that class or application id, whatever its title"};
  out += "Window title looked for: \"" + desk.title + "\" (" + kMatchWords[int(desk.match)] + ")\n";
  out += "Job: " +
         (frm.chkDefault.value() != 0 ? std::string("the one the backup program shows (Last Backup)")
                                      : std::to_string(run.facts().job) + " (" + run.facts().chosenBy + ")") +
         "\n";
  if (outcome == Outcome::JobNotChosen) out += notStartedText(outcome, run.detail()) + "\n";
  out += "Key strings, in order:\n";
  for (const std::string& k : desk.keys) out += "  " + k + "\n";
  return outcome == Outcome::JobStarted ? 0 : outcomeInfo(outcome).exitStatus;
}
