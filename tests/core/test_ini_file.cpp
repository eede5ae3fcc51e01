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
#include <fstream>
#include <thread>

#include "settings/ini_file.h"
#include "settings/ini_file_store.h"
#include "temp_folder.h"

using settings::FileOps;
using settings::IniFile;
using settings::IniFileStore;

namespace {

const std::string kApp = "TalvorStart";
const std::string kOldFile =
    "\xEF\xBB\xBF; kept by hand\n[Start]\nTitle=Microsoft Backup\nLetter=S\nnot a key line\n\n[Month]\n12onoff=1\n";

// Fails the n-th call of one kind; writes of 7 bytes let "the n-th" reach every part of the file.
class FailingOps : public FileOps {
 public:
  enum Call { Create, Write, Fsync, Close, Rename };
  FailingOps(Call call, int n, int err) : call_(call), n_(n), err_(err) {}

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
  bool failed() const { return failed_; }

 private:
  bool hit(Call c) {
    if (c != call_ || ++count_ != n_) return false;
    failed_ = true;
    errno = err_;
    return true;
  }
  Call call_;
  int n_;
  int err_;
  int count_ = 0;
  bool failed_ = false;
};

struct Folder : TempFolder {
  Folder() { ::mkdir((*this / kApp).c_str(), 0700); }
  std::string ini() const { return *this / (kApp + "/" + kApp + ".ini"); }
};

TEST(IniFile, NoFailingSystemCallDamagesTheOldFileOrLosesTheValue) {
  const struct {
    FailingOps::Call call;
    int err;
    const char* text;
  } kinds[] = {{FailingOps::Create, ENOSPC, "No space left on device"},
               {FailingOps::Write, ENOSPC, "No space left on device"},
               {FailingOps::Write, EFBIG, "File too large"},
               {FailingOps::Fsync, EIO, "Input/output error"},
               {FailingOps::Close, EIO, "Input/output error"},
               {FailingOps::Rename, EXDEV, "Invalid cross-device link"}};
  int failuresSeen = 0;
  for (const auto& kind : kinds) {
    for (int n = 1;; ++n) {
      Folder f;
      writeBytes(f.ini(), kOldFile);
      FailingOps ops(kind.call, n, kind.err);
      IniFileStore store(f.path(), ops);
      const settings::WriteResult r = store.SaveSetting(kApp, "Start", "Title", "A new title that is long enough");
      if (!ops.failed()) {
        EXPECT_TRUE(r.ok);
        break;  // n passed the last call of this kind
      }
      ++failuresSeen;
      SCOPED_TRACE(std::string(kind.text) + ", call " + std::to_string(n));
      EXPECT_FALSE(r.ok);
      EXPECT_EQ(r.where, f.ini());
      EXPECT_EQ(r.reason, kind.text);
      EXPECT_EQ(readBytes(f.ini()), kOldFile);
      EXPECT_EQ(entriesIn(f / kApp), 2) << "only the file and its lock: no copy left behind";
      // This start goes on with the new value, and the next change stores it too.
      EXPECT_EQ(store.GetSetting(kApp, "Start", "Title"), "A new title that is long enough");
      EXPECT_EQ(IniFileStore(f.path()).GetSetting(kApp, "Start", "Title"), "Microsoft Backup");
      if (kind.call == FailingOps::Fsync) {
        EXPECT_TRUE(store.SaveSetting(kApp, "Start", "Letter", "X").ok);
        EXPECT_EQ(IniFileStore(f.path()).GetSetting(kApp, "Start", "Title"), "A new title that is long enough");
      }
    }
  }
  EXPECT_GT(failuresSeen, 20);
}

// None of these is waited for, read, trusted or replaced; the run uses the defaults.
TEST(IniFile, SettingsThatCannotBeReadOrTrustedAreNeitherReadNorWritten) {
  const bool root = ::getuid() == 0;
  if (!root) std::fprintf(stderr, "SKIPPING the cases of another user's file: they need root\n");
  const struct {
    const char* name;
    std::string setup;  // shell, in the test's folder; $INI is the settings file
    std::string problem;
    bool needsRoot;
  } cases[] = {
      {"fifo", "mkfifo $INI", "it is not a regular file", false},
      {"folder", "mkdir $INI", "it is not a regular file", false},
      {"link to /dev/zero", "ln -s /dev/zero $INI", "it is not a regular file", false},
      {"link to a 1 GB sparse file", "cp $OLD big && truncate -s 1G big && ln -s $PWD/big $INI",
       "it is larger than 1 MB, far more than settings take, so it is neither read nor written", false},
      {"group may write", "cp $OLD $INI && chmod 664 $INI && chgrp nogroup $INI",
       "the group nogroup may change it; mend it with: chmod go-w $INI", false},
      {"every user may write", "cp $OLD $INI && chmod 646 $INI",
       "every user may change it; mend it with: chmod go-w $INI", false},
      {"sticky folder for all", "cp $OLD $INI && chmod 1777 TalvorStart",
       "every user may change the folder $PWD/TalvorStart; mend it with: chmod go-w $PWD/TalvorStart", false},
      {"another user's file", "cp $OLD $INI && chown 65534 $INI",
       "it belongs to nobody, who may change it; use one of your own instead", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.needsRoot && !root) continue;
    Folder f;
    writeBytes(f / "old", kOldFile);
    auto expand = [&](std::string text) {
      for (const auto& [var, value] :
           {std::pair<std::string, std::string>{"$INI", f.ini()}, {"$OLD", f / "old"}, {"$PWD", f.path()}})
        for (size_t at; (at = text.find(var)) != std::string::npos;) text.replace(at, var.size(), value);
      return text;
    };
    ASSERT_EQ(std::system(("cd '" + f.path() + "' && " + expand(c.setup)).c_str()), 0);
    struct stat before {};
    ::stat(f.ini().c_str(), &before);
    ::alarm(10);  // a read that blocks ends the test here
    IniFileStore store(f.path());
    EXPECT_EQ(store.GetSetting(kApp, "Start", "Title", "default"), "default");
    EXPECT_EQ(store.readProblem(kApp), f.ini() + ": " + expand(c.problem));
    const settings::WriteResult r = store.SaveSetting(kApp, "Start", "Title", "new");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.reason, expand(c.problem));
    EXPECT_EQ(store.GetSetting(kApp, "Start", "Title", "default"), "new") << "kept for this start";
    ::alarm(0);
    struct stat after {};
    ::stat(f.ini().c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_size, before.st_size);
    EXPECT_EQ(after.st_blocks, before.st_blocks) << "a sparse file stays sparse";
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  }
}

// Bytes this process has read so far, from any file.
long long bytesRead() {
  std::ifstream io("/proc/self/io");
  std::string name;
  long long value = 0;
  while (io >> name >> value)
    if (name == "rchar:") return value;
  return -1;
}

TEST(IniFile, TheFileIsReadOnceForManyChanges) {
  Folder f;
  const std::string padding = "; " + std::string(300000, 'x') + "\n";
  writeBytes(f.ini(), padding + kOldFile);
  IniFileStore store(f.path());
  const long long before = bytesRead();
  EXPECT_EQ(store.GetSetting(kApp, "Start", "Title"), "Microsoft Backup");
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(store.SaveSetting(kApp, "Month", std::to_string(i) + "onoff", "1").ok);
  EXPECT_LT(bytesRead() - before, 2 * 300000) << "read once, not once for each change";
}

// One folder for the settings and the batch file, whatever the environment.
TEST(IniFileStore, TheSettingsFolderIsAlwaysAnAbsoluteOne) {
  const std::string account = ::getpwuid(::getuid())->pw_dir;
  const struct {
    const char* xdg;  // nullptr: unset
    const char* home;
    std::string folder;
  } cases[] = {
      {"/x/cfg", "/h", "/x/cfg/TalvorStart"},
      {"relcfg", "/h", "/h/.config/TalvorStart"},
      {"", "/h", "/h/.config/TalvorStart"},
      {nullptr, nullptr, account + "/.config/TalvorStart"},
      {nullptr, "", account + "/.config/TalvorStart"},
      {nullptr, "relhome", account + "/.config/TalvorStart"},
  };
  const SavedEnv home("HOME"), config("XDG_CONFIG_HOME");
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.xdg ? c.xdg : "(unset)") + ", HOME " + (c.home ? c.home : "(unset)"));
    c.xdg ? ::setenv("XDG_CONFIG_HOME", c.xdg, 1) : ::unsetenv("XDG_CONFIG_HOME");
    c.home ? ::setenv("HOME", c.home, 1) : ::unsetenv("HOME");
    EXPECT_EQ(IniFileStore::appFolder(), c.folder);
  }
}

// Runs the body as an ordinary user: root may write anywhere.
template <typename Body>
void asOrdinaryUser(const std::string& folder, Body body) {
  const uid_t nobody = 65534;
  if (::getuid() == 0) std::system(("chown -R 65534:65534 '" + folder + "'").c_str());
  const pid_t child = ::fork();
  if (child == 0) {
    if (::getuid() == 0 && (::setgid(nobody) != 0 || ::setuid(nobody) != 0)) ::_exit(99);
    ::_exit(body() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(IniFile, AReadOnlyFileOrFolderIsReportedAndLeftAsItWas) {
  Folder f;
  writeBytes(f.ini(), kOldFile);
  ::chmod(f.ini().c_str(), 0444);
  asOrdinaryUser(f.path(), [&] {
    IniFileStore store(f.path());
    const settings::WriteResult r = store.SaveSetting(kApp, "Start", "Title", "x");
    return !r.ok && r.reason == "the file is read-only" && readBytes(f.ini()) == kOldFile;
  });

  Folder g;
  writeBytes(g.ini(), kOldFile);
  writeBytes(g.ini() + ".lock", "");  // left by an older version
  ::chmod((g / kApp).c_str(), 0555);
  asOrdinaryUser(g.path(), [&] {
    IniFileStore store(g.path());
    const auto t0 = std::chrono::steady_clock::now();
    const settings::WriteResult r = store.SaveSetting(kApp, "Start", "Title", "x");
    const bool quick = std::chrono::steady_clock::now() - t0 < std::chrono::seconds(1);
    return quick && !r.ok && r.reason == "Permission denied" && readBytes(g.ini()) == kOldFile &&
           store.GetSetting(kApp, "Start", "Title") == "x";
  });
}

TEST(IniFile, AWriterWaitsForTheLockAndKeepsTheOtherWritersKeys) {
  Folder f;
  writeBytes(f.ini(), kOldFile);
  // Another process holds the lock while it writes a key of its own.
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t other = ::fork();
  if (other == 0) {
    const int fd = ::open((f.ini() + ".lock").c_str(), O_RDWR | O_CREAT, 0600);
    ::flock(fd, LOCK_EX);
    ::write(ready[1], "x", 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    std::string bytes = readBytes(f.ini());
    bytes.insert(bytes.find("Letter=S\n") + 9, "FromOther=1\n");
    writeBytes(f.ini(), bytes);
    ::_exit(0);
  }
  char c;
  ASSERT_EQ(::read(ready[0], &c, 1), 1);
  IniFileStore store(f.path());
  EXPECT_EQ(store.GetSetting(kApp, "Start", "Title"), "Microsoft Backup");  // read before the other wrote
  const auto t0 = std::chrono::steady_clock::now();
  EXPECT_TRUE(store.SaveSetting(kApp, "Start", "Title", "Mine").ok);
  EXPECT_GE(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(200));
  ::waitpid(other, nullptr, 0);
  IniFileStore nextStart(f.path());
  EXPECT_EQ(nextStart.GetSetting(kApp, "Start", "FromOther"), "1");
  EXPECT_EQ(nextStart.GetSetting(kApp, "Start", "Title"), "Mine");
}

TEST(IniFile, ALinkStaysALinkAndTheFileItNamesIsUpdated) {
  Folder f;
  const std::string real = f / "dotfiles.ini";
  writeBytes(real, kOldFile);
  ASSERT_EQ(::symlink(real.c_str(), f.ini().c_str()), 0);
  IniFileStore store(f.path());
  EXPECT_TRUE(store.SaveSetting(kApp, "Start", "Letter", "Z").ok);
  struct stat st {};
  ASSERT_EQ(::lstat(f.ini().c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_NE(readBytes(real).find("Letter=Z\n"), std::string::npos);
}

// Leftovers of other writers: a lock that is a folder never holds a write, a killed writer's copy goes.
TEST(IniFile, LeftoversNeverHoldAWriteAndOnlyDeadWritersCopiesAreRemoved) {
  Folder f;
  writeBytes(f.ini(), kOldFile);
  ::mkdir((f.ini() + ".lock").c_str(), 0700);
  const pid_t dead = ::fork();
  if (dead == 0) ::_exit(0);
  ::waitpid(dead, nullptr, 0);
  const std::string stale = f.ini() + ".new-" + std::to_string(dead) + "-abcdef";
  const std::string live = f.ini() + ".new-1-abcdef";  // init never dies
  writeBytes(stale, "half a fi");
  writeBytes(live, "in use");
  IniFileStore store(f.path());
  const auto t0 = std::chrono::steady_clock::now();
  EXPECT_TRUE(store.SaveSetting(kApp, "Start", "Letter", "Z").ok);
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(500));
  EXPECT_EQ(::access(stale.c_str(), F_OK), -1);
  EXPECT_EQ(::access(live.c_str(), F_OK), 0);
}

TEST(IniFile, TheFileAndItsFolderAreMadeOnTheFirstWrite) {
  TempFolder home;
  IniFileStore store(home / "no/such/folder");
  EXPECT_EQ(store.GetSetting(kApp, "Start", "Title", "d"), "d");
  EXPECT_EQ(store.readProblem(kApp), "");
  EXPECT_TRUE(store.SaveSetting(kApp, "Start", "Title", "").ok);
  EXPECT_EQ(readBytes(home / "no/such/folder/TalvorStart/TalvorStart.ini"), "[Start]\nTitle=\n");
  EXPECT_EQ(store.GetSetting(kApp, "Start", "Title", "d"), "") << "an empty text is not an absent key";
}

}  // namespace
