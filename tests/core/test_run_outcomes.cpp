// Every way a start can end: its exit status, what the window says, how many key strings reached the backup program,
// whether the date was stored; and an end without anybody's help, with no box that waits.
#include <gtest/gtest.h>

#include "app/backup_run.h"
#include "launch_fixture.h"

namespace {

using Arrange = std::function<void(LaunchFixture&)>;

// Every key string fails from the one named on (nullptr: all), with a stop or a code.
Arrange failKeys(KeyStop why, int code, const char* text, const char* at = nullptr) {
  return [=](LaunchFixture& t) {
    t.desk.keyFailure = [=](const std::string& keys) {
      if (at && keys != at) return Status::success();
      Status s = Status::failure(code, text);
      s.stop = why;
      return s;
    };
  };
}
Arrange atOne(std::function<void(LaunchFixture&)> change) {
  return [=](LaunchFixture& t) { t.desk.at(1, [&t, change] { change(t); }); };
}
void noWindow(LaunchFixture& t) { t.desk.startsWindow.clear(); }

const std::string kNotStarted = "The backup did not start: ";
const std::string kNotSet = kNotStarted + "a setting the run needs is not set. ";
const std::string kNotUsable = kNotStarted + "a setting the run needs cannot be used. Not usable: ";
const std::string kUnreadable = "/home/u/.config/TalvorStart/TalvorStart.ini: it is not a regular file";
const std::string kMend = " Mend it in the Talvor Start window (menu Keys); it is kept for the next start.";

TEST(RunOutcomes, EachEndItsStatusAndWords) {
  // What, its setting up, the status, the problem shown, the key strings that reached the backup program, dated.
  // clang-format off
  const std::tuple<const char*, Arrange, int, std::string, size_t, bool> cases[] = {
      {"a job started", [](LaunchFixture&) {}, 0, "", 23, true},
      {"ran today already", [](LaunchFixture& t) { t.put("Start", "DateLastRun", t.dateText()); }, 0, "", 0, true},
      // Job selection is not consulted: a broken number for today does no harm.
      {"last backup ticked", [](LaunchFixture& t) { t.put("Start", "Default", "1"); t.put("Month", "12onoff", "1"); t.desk.at(1, [&t] { t.put("Month", "12Backup", "x"); }); }, 0, "", 1, true},
      {"date not stored", atOne([](LaunchFixture& t) { t.store.setFailWrites(true); }), 0, "The date of this run could not be stored in memory: writes refused", 23, true},
      // Said in the window, once per reason; the run goes on, on what was stored in memory (a ticked day is written back).
      {"settings unreadable and writes refused for a while", [](LaunchFixture& t) { t.put("Month", "12onoff", "1"); t.store.setReadProblem(kUnreadable); t.store.setFailWrites(true); t.desk.at(1, [&t] { t.store.setFailWrites(false); }); t.reportLikeTheProgram();
       }, 0, "Settings could not be read (" + kUnreadable + "). This start uses the defaults; move that file away or mend it so that settings can be kept.\nSettings could not be saved to memory: writes refused. Changes made now last only until Talvor Start closes.", 23, true},
      // No question whose answer could not be kept, no run on values nobody set.
      {"settings unreadable, none known", [](LaunchFixture& t) { t.store = settings::MemoryStore(); t.store.setReadProblem(kUnreadable); t.reportLikeTheProgram();
       }, 5, "Settings could not be read (" + kUnreadable + "). This start uses the defaults; move that file away or mend it so that settings can be kept.\n" + kNotSet + "Not known: the backup program's window title, the start letter, as the settings could not be read. Mend them as the line above says.", 0, false},
      {"no batch file", [](LaunchFixture& t) { t.desk.batchFilePresent = false; }, 2, "The file TalvorStart.bat could not be found.  This is included in the zip file and should be installed in the same folder as talvorstart.exe.  This application will now exit.", 0, false},
      {"closed during the delay", [](LaunchFixture& t) { t.desk.at(3, [&t] { t.frm->close(); }); }, 3, "", 0, false},
      {"closed during a retry wait", [](LaunchFixture& t) { noWindow(t); t.desk.at(14, [&t] { t.frm->close(); }); }, 3, "", 0, false},
      {"all three first-start questions cancelled", [](LaunchFixture& t) { for (const char* key : {"Letter", "Title", "BackupJobLetter"}) t.put("Start", key, ""); t.desk.answers = {std::nullopt, std::nullopt, std::nullopt};
       }, 5, kNotSet + "Not set: the backup program's window title, the start letter, the backup job letter. Enter what is missing in the Talvor Start window; it is kept for the next start.", 0, false},
      {"start letter cleared during the delay", atOne([](LaunchFixture& t) { t.frm->txtStartKey.setText(" "); }), 5, kNotSet + "A shortcut letter was cleared during the run.", 22, false},
      {"job letter cleared during the delay", atOne([](LaunchFixture& t) { t.frm->txtBackupKey.setText(""); }), 5, kNotSet + "A shortcut letter was cleared during the run.", 0, false},
      {"batch file not started", [](LaunchFixture& t) { t.desk.shellFailure = Status::failure(70, "Permission denied"); }, 6, " 70Permission denied\n" + kNotStarted + "TalvorStart.bat could not be started. Permission denied", 0, false},
      {"no window appears", noWindow, 7, kNotStarted + "no window titled \"Microsoft Backup\" appeared. Check that TalvorStart.bat starts the backup program and that its window's title begins with that text; a slow program needs a longer start delay.", 0, false},
      // The keys never go to a window that was there before the run.
      {"only an older window in front", [](LaunchFixture& t) { noWindow(t); t.desk.windows = {"Terminal"}; t.desk.activeWindow = "Terminal"; }, 7, kNotStarted + "no window titled \"Microsoft Backup\" appeared. The keys were not sent: Terminal was there before the run", 0, false},
      {"focus taken at Enter", failKeys(KeyStop::FocusLost, 5, "It lost the focus to \"Update ready\"", "{ENTER}"), 8, kNotStarted + "another window took the keyboard focus from the backup program. It lost the focus to \"Update ready\"", 21, false},
      {"not answering", failKeys(KeyStop::NotAnswering, 5, "It did not answer within 3 seconds"), 9, kNotStarted + "the backup program did not take the keys in time. It did not answer within 3 seconds", 0, false},
      {"a key held", failKeys(KeyStop::KeyHeld, 5, "The key Return was held down"), 10, kNotStarted + "a key was held down, which would have mixed with the keys sent. The key Return was held down", 0, false},
      {"no way to type", failKeys(KeyStop::None, 51, "No XTest"), 11, kNotStarted + "this desktop does not let Talvor Start send keys to other programs. No XTest", 0, false},
      // Enter left out would start whatever job the list showed.
      {"Enter refused thrice", failKeys(KeyStop::None, 70, "Permission denied", "{ENTER}"), 11, " 70Permission denied\n" + kNotStarted + "this desktop does not let Talvor Start send keys to other programs. Permission denied", 21, false},
      // The job number edited behind the tool's back.
      {"today's job number unreadable", [](LaunchFixture& t) { t.put("Month", "12onoff", "1"); t.put("Month", "12Backup", "5"); t.desk.at(1, [&t] { t.put("Month", "12Backup", "x"); });
       }, 12, " 13Type mismatch: the job number \"x\" stored under Month 12Backup is not a number\n" + kNotStarted + "today's job number could not be read from the settings. Type mismatch: the job number \"x\" stored under Month 12Backup is not a number", 0, false},
      {"start keys unknown", [](LaunchFixture& t) { t.put("Start", "Letter", "{STRAT}"); }, 13, kNotUsable + "the start keys: unknown key {STRAT} in \"{STRAT}\"." + kMend, 0, false},
      {"title match unknown", [](LaunchFixture& t) { t.put("Start", "TitleMatch", "regex"); }, 13, kNotUsable + "the way the title is matched: \"regex\" is none of start, end, contains or class." + kMend, 0, false},
  };
  // clang-format on
  for (const auto& [what, setUp, status, problem, keys, dated] : cases) {
    SCOPED_TRACE(what);
    LaunchFixture t;
    t.desk.clockStart = {Date{2026, 8, 12}, 9 * 3600};
    setUp(t);
    EXPECT_EQ(t.start(), status);
    EXPECT_EQ(std::pair(t.frm->lblProblem.caption(), t.frm->lblProblem.visible()),
              std::pair(problem, !problem.empty()));
    EXPECT_EQ(std::pair(t.keys().size(), t.stored("Start", "DateLastRun") == t.dateText()), std::pair(keys, dated));
    EXPECT_TRUE(t.desk.boxes.empty());
    // A notification for a start that failed, none for one that started or that the user ended.
    EXPECT_EQ(t.desk.notifications.size(), status != 0 && status != 3 ? 1u : 0u);
    // The delay, two retry waits, one more for the keys, the pause.
    EXPECT_LT(t.desk.elapsed(), 4 * 10 + 5 + 0.01);
    EXPECT_FALSE(t.frm->visible());
  }
}

// The statuses and names kept from earlier versions, that scripts and the run history read.
TEST(RunOutcomes, StatusesAndNames) {
  // clang-format off
  const std::tuple<Outcome, int, const char*> table[] = {
      {Outcome::JobStarted, 0, "job-started"}, {Outcome::SkippedOncePerDay, 0, "skipped"}, {Outcome::NoDisplay, 1, "no-display"},
      {Outcome::BatchFileMissing, 2, "batch-file-missing"}, {Outcome::ClosedByUser, 3, "closed"},
      {Outcome::AlreadyRunning, 4, "already-running"}, {Outcome::SettingsMissing, 5, "settings-missing"},
      {Outcome::BatchFileNotRun, 6, "batch-file-not-run"}, {Outcome::NoWindow, 7, "no-window"}, {Outcome::FocusLost, 8, "focus-lost"},
      {Outcome::NotAnswering, 9, "not-answering"}, {Outcome::KeyHeld, 10, "key-held"}, {Outcome::CannotType, 11, "cannot-type"},
      {Outcome::JobNotChosen, 12, "job-not-chosen"}, {Outcome::SettingsInvalid, 13, "settings-invalid"}};
  // clang-format on
  for (const auto& [outcome, status, name] : table) {
    Outcome back = Outcome::JobStarted;
    EXPECT_TRUE(outcomeByName(name, back));
    EXPECT_EQ(std::tuple(outcomeInfo(outcome).exitStatus, std::string(outcomeInfo(outcome).name), back),
              std::tuple(status, std::string(name), outcome));
  }
  EXPECT_EQ(notStartedText(Outcome::NoDisplay, ""), kNotStarted + "there is no display to show the window on.");
  EXPECT_EQ(notStartedText(Outcome::AlreadyRunning, "x"), kNotStarted + "another start of Talvor Start was running. x");
  EXPECT_EQ(notStartedText(Outcome::ClosedByUser, ""),
            kNotStarted + "the window was closed before the backup was started.");
}

}  // namespace
