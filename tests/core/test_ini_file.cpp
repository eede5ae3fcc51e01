// The INI store on a real folder: no failing call, strange file or other process damages or loses settings.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/wait.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "settings/ini_file.h"
#include "settings/ini_file_store.h"
#include "temp_folder.h"

using settings::IniFileStore;
using Clock = std::chrono::steady_clock;

namespace {

const std::string kApp = "TalvorStart";
const std::string kOldFile =
    "\xEF\xBB\xBF; kept by hand\n[Start]\nTitle=Microsoft Backup\nLetter=S\nnot a key line\n\n[Month]\n12onoff=1\n";

// Fails the n-th call of one kind; writes of 7 bytes let "the n-th" reach every part of the file.
struct FailingOps : settings::FileOps {
  enum Call { Create, Write, Fsync, Close, Rename } call;
  int n, err, count = 0;
  bool failed = false;
  FailingOps(Call c, int n, int err) : call(c), n(n), err(err) {}
  bool hit(Call c) {
    if (c != call || ++count != n) return false;
    errno = err;
    return failed = true;
  }
  int createTemp(std::string& t) override { return hit(Create) ? -1 : FileOps::createTemp(t); }
  ssize_t write(int fd, const void* d, size_t s) override {
    return hit(Write) ? -1 : FileOps::write(fd, d, std::min<size_t>(s, 7));
  }
  int fsync(int fd) override { return hit(Fsync) ? -1 : FileOps::fsync(fd); }
  int close(int fd) override {
    const int r = FileOps::close(fd);  // the descriptor is gone either way, as on NFS
    return hit(Close) ? -1 : r;
  }
  int rename(const std::string& a, const std::string& b) override { return hit(Rename) ? -1 : FileOps::rename(a, b); }
};

struct Folder : TempFolder {
  explicit Folder(const std::string& bytes = kOldFile) {  // "": no file
    ::mkdir((*this / kApp).c_str(), 0700);
    if (!bytes.empty()) writeBytes(ini(), bytes);
  }
  std::string ini() const { return *this / (kApp + "/" + kApp + ".ini"); }
  std::string title() const { return IniFileStore(path()).GetSetting(kApp, "Start", "Title"); }  // as the next start
};

TEST(IniFile, NoFailingSystemCallDamagesTheOldFileOrLosesTheValue) {
  const std::string kNew = "A new title that is long enough";
  // clang-format off
  const std::tuple<FailingOps::Call, int, const char*> kinds[] = {
      {FailingOps::Create, ENOSPC, "No space left on device"}, {FailingOps::Write, ENOSPC, "No space left on device"},
      {FailingOps::Write, EFBIG, "File too large"}, {FailingOps::Fsync, EIO, "Input/output error"},
      {FailingOps::Close, EIO, "Input/output error"}, {FailingOps::Rename, EXDEV, "Invalid cross-device link"}};
  // clang-format on
  int failuresSeen = 0;
  for (const auto& [call, err, text] : kinds) {
    for (int n = 1;; ++n) {
      Folder f;
      FailingOps ops(call, n, err);
      IniFileStore store(f.path(), ops);
      const settings::WriteResult r = store.SaveSetting(kApp, "Start", "Title", kNew);
      if (!ops.failed) {
        EXPECT_TRUE(r.ok);
        break;  // n passed the last call of this kind
      }
      ++failuresSeen;
      SCOPED_TRACE(std::string(text) + ", call " + std::to_string(n));
      EXPECT_EQ(std::tuple(r.ok, r.where, r.reason), std::tuple(false, f.ini(), std::string(text)));
      EXPECT_EQ(readBytes(f.ini()), kOldFile);
      EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f / kApp), {}), 2)
          << "only the file and its lock: no copy left behind";
      // This start goes on with the new value, and the next change stores it too.
      EXPECT_EQ(store.GetSetting(kApp, "Start", "Title"), kNew);
      EXPECT_EQ(f.title(), "Microsoft Backup");
      if (call == FailingOps::Fsync) {
        EXPECT_TRUE(store.SaveSetting(kApp, "Start", "Letter", "X").ok);
        EXPECT_EQ(f.title(), kNew);
      }
    }
  }
  EXPECT_GT(failuresSeen, 20);
}

// None of these is waited for, read, trusted or replaced; the run uses the defaults.
TEST(IniFile, SettingsThatCannotBeReadOrTrustedAreNeitherReadNorWritten) {
  const bool root = ::getuid() == 0;
  if (!root) std::fprintf(stderr, "SKIPPING the cases of another user's file: they need root\n");
  // Shell in the test's folder ($INI the settings file), the problem said, whether it needs root.
  // clang-format off
  const std::tuple<std::string, std::string, bool> cases[] = {
      {"mkfifo $INI", "it is not a regular file", false},
      {"mkdir $INI", "it is not a regular file", false},
      {"ln -s /dev/zero $INI", "it is not a regular file", false},
      {"cp $OLD big && truncate -s 1G big && ln -s $PWD/big $INI", "it is larger than 1 MB, far more than settings take, so it is neither read nor written", false},
      {"cp $OLD $INI && chmod 664 $INI && chgrp nogroup $INI", "the group nogroup may change it; mend it with: chmod go-w $INI", false},
      {"cp $OLD $INI && chmod 646 $INI", "every user may change it; mend it with: chmod go-w $INI", false},
      {"cp $OLD $INI && chmod 1777 TalvorStart", "every user may change the folder $PWD/TalvorStart; mend it with: chmod go-w $PWD/TalvorStart", false},
      {"cp $OLD $INI && chown 65534 $INI", "it belongs to nobody, who may change it; use one of your own instead", true}
  };
  // clang-format on
  for (const auto& [setup, problem, needsRoot] : cases) {
    SCOPED_TRACE(setup);
    if (needsRoot && !root) continue;
    Folder f("");
    writeBytes(f / "old", kOldFile);
    auto expand = [&](std::string text) {
      for (const auto& [var, value] :
           {std::pair<std::string, std::string>{"$INI", f.ini()}, {"$OLD", f / "old"}, {"$PWD", f.path()}})
        for (size_t at; (at = text.find(var)) != std::string::npos;) text.replace(at, var.size(), value);
      return text;
    };
    ASSERT_EQ(std::system(("cd '" + f.path() + "' && " + expand(setup)).c_str()), 0);
    struct stat before = {}, after = {};
    ::stat(f.ini().c_str(), &before);
    ::alarm(10);  // a read that blocks ends the test here
    IniFileStore store(f.path());
    EXPECT_EQ(store.GetSetting(kApp, "Start", "Title", "default"), "default");
    EXPECT_EQ(store.readProblem(kApp), f.ini() + ": " + expand(problem));
    const settings::WriteResult r = store.SaveSetting(kApp, "Start", "Title", "new");
    EXPECT_EQ(std::pair(r.ok, r.reason), std::pair(false, expand(problem)));
    EXPECT_EQ(store.GetSetting(kApp, "Start", "Title", "default"), "new") << "kept for this start";
    ::alarm(0);
    ::stat(f.ini().c_str(), &after);
    EXPECT_EQ(std::tuple(after.st_ino, after.st_size, after.st_mtim.tv_nsec),
              std::tuple(before.st_ino, before.st_size, before.st_mtim.tv_nsec));
    EXPECT_EQ(after.st_blocks, before.st_blocks) << "a sparse file stays sparse";
  }
}

// One folder for the settings and the batch file, whatever the environment.
TEST(IniFileStore, TheSettingsFolderIsAlwaysAnAbsoluteOne) {
  const std::string account = std::string(::getpwuid(::getuid())->pw_dir) + "/.config/TalvorStart";
  // XDG_CONFIG_HOME, HOME (nullptr: unset), the folder.
  // clang-format off
  const std::tuple<const char*, const char*, std::string> cases[] = {
      {"/x/cfg", "/h", "/x/cfg/TalvorStart"}, {"relcfg", "/h", "/h/.config/TalvorStart"}, {"", "/h", "/h/.config/TalvorStart"},
      {nullptr, nullptr, account}, {nullptr, "", account}, {nullptr, "relhome", account}};
  // clang-format on
  const SavedEnv home("HOME"), config("XDG_CONFIG_HOME");
  for (const auto& [xdg, homeDir, folder] : cases) {
    xdg ? ::setenv("XDG_CONFIG_HOME", xdg, 1) : ::unsetenv("XDG_CONFIG_HOME");
    homeDir ? ::setenv("HOME", homeDir, 1) : ::unsetenv("HOME");
    EXPECT_EQ(IniFileStore::appFolder(), folder) << (xdg ? xdg : "unset") << ", " << (homeDir ? homeDir : "unset");
  }
}

// A read-only file, or a read-only folder with an older version's lock file in it, as an ordinary user (root writes
// anywhere): refused at once with the reason, the file as it was, the value kept for this start.
TEST(IniFile, AReadOnlyFileOrFolderIsReportedAndLeftAsItWas) {
  for (const auto& [inFolder, reason] : {std::pair(false, "the file is read-only"), {true, "Permission denied"}}) {
    Folder f;
    writeBytes(f.ini() + ".lock", "");
    ::chmod(inFolder ? (f / kApp).c_str() : f.ini().c_str(), inFolder ? 0555 : 0444);
    if (::getuid() == 0) std::system(("chown -R 65534:65534 '" + f.path() + "'").c_str());
    const pid_t child = ::fork();
    if (child == 0) {
      if (::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(99);
      IniFileStore store(f.path());
      const auto t0 = Clock::now();
      const settings::WriteResult r = store.SaveSetting(kApp, "Start", "Title", "x");
      ::_exit(!(Clock::now() - t0 < std::chrono::seconds(1) && !r.ok && r.reason == reason &&
                readBytes(f.ini()) == kOldFile && store.GetSetting(kApp, "Start", "Title") == "x"));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(status, 0) << reason;
  }
}

TEST(IniFile, AWriterWaitsForTheLockAndKeepsTheOtherWritersKeys) {
  Folder f;
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t other = ::fork();
  if (other == 0) {  // another process holds the lock while it writes a key of its own
    ::flock(::open((f.ini() + ".lock").c_str(), O_RDWR | O_CREAT, 0600), LOCK_EX);
    ::write(ready[1], "x", 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    std::string bytes = readBytes(f.ini());
    writeBytes(f.ini(), bytes.insert(bytes.find("Letter=S\n") + 9, "FromOther=1\n"));
    ::_exit(0);
  }
  char c;
  ASSERT_EQ(::read(ready[0], &c, 1), 1);
  IniFileStore store(f.path());
  EXPECT_EQ(store.GetSetting(kApp, "Start", "Title"), "Microsoft Backup");  // read before the other wrote
  const auto t0 = Clock::now();
  EXPECT_TRUE(store.SaveSetting(kApp, "Start", "Title", "Mine").ok);
  EXPECT_GE(Clock::now() - t0, std::chrono::milliseconds(200));
  ::waitpid(other, nullptr, 0);
  EXPECT_EQ(IniFileStore(f.path()).GetSetting(kApp, "Start", "FromOther"), "1");
  EXPECT_EQ(f.title(), "Mine");
}

// Leftovers of other writers: a lock that is a folder never holds a write, a killed writer's copy goes.
TEST(IniFile, LeftoversNeverHoldAWriteAndOnlyDeadWritersCopiesAreRemoved) {
  Folder f;
  ::mkdir((f.ini() + ".lock").c_str(), 0700);
  const pid_t dead = ::fork();
  if (dead == 0) ::_exit(0);
  ::waitpid(dead, nullptr, 0);
  const std::string stale = f.ini() + ".new-" + std::to_string(dead) + "-abcdef";
  const std::string live = f.ini() + ".new-1-abcdef";  // init never dies
  writeBytes(stale, "half a fi");
  writeBytes(live, "in use");
  const auto t0 = Clock::now();
  EXPECT_TRUE(IniFileStore(f.path()).SaveSetting(kApp, "Start", "Letter", "Z").ok);
  EXPECT_LT(Clock::now() - t0, std::chrono::milliseconds(500));
  EXPECT_EQ(::access(stale.c_str(), F_OK), -1);
  EXPECT_EQ(::access(live.c_str(), F_OK), 0);
}

// Made with its folders on the first write; a link stays a link and the file it names is updated.
TEST(IniFile, TheFileAndItsFolderAreMadeOnTheFirstWriteAndALinkStaysALink) {
  TempFolder home;
  IniFileStore store(home / "no/such/folder");
  EXPECT_EQ(store.GetSetting(kApp, "Start", "Title", "d"), "d");
  EXPECT_EQ(store.readProblem(kApp), "");
  EXPECT_TRUE(store.SaveSetting(kApp, "Start", "Title", "").ok);
  const std::string ini = home / "no/such/folder/TalvorStart/TalvorStart.ini";
  EXPECT_EQ(readBytes(ini), "[Start]\nTitle=\n");
  EXPECT_EQ(store.GetSetting(kApp, "Start", "Title", "d"), "") << "an empty text is not an absent key";
  ::rename(ini.c_str(), (home / "dotfiles.ini").c_str());
  ASSERT_EQ(::symlink((home / "dotfiles.ini").c_str(), ini.c_str()), 0);
  EXPECT_TRUE(IniFileStore(home / "no/such/folder").SaveSetting(kApp, "Start", "Letter", "Z").ok);
  struct stat st = {};
  EXPECT_TRUE(::lstat(ini.c_str(), &st) == 0 && S_ISLNK(st.st_mode));
  EXPECT_EQ(readBytes(home / "dotfiles.ini"), "[Start]\nTitle=\nLetter=Z\n");
}

}  // namespace
