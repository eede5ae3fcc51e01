// One run at a time; nothing the first start started keeps the lock after it ends.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "platform/single_instance.h"
#include "temp_folder.h"

namespace {

// Runs the body in a child process and returns its exit status.
template <typename Body>
int inChild(Body body) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(body());
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SingleInstance, ASecondStartSeesTheFirstAndItsProcess) {
  TempFolder f;
  SingleInstance first(f.path());
  ASSERT_TRUE(first.first());
  EXPECT_EQ(first.problem(), "");
  const long parent = ::getpid();
  EXPECT_EQ(inChild([&] {
              SingleInstance second(f.path());
              return !second.first() && second.holderPid() == parent ? 0 : 1;
            }),
            0);
}

TEST(SingleInstance, IsFreeAgainWhenTheHolderEndsEvenIfWhatItStartedRunsOn) {
  TempFolder f;
  int program[2];  // the program's process id, to end it afterwards
  ASSERT_EQ(::pipe(program), 0);
  // The holder starts a long-running program, as the batch file does, and ends.
  const int holder = inChild([&] {
    SingleInstance one(f.path());
    if (!one.first()) return 1;
    // The end of this pipe closes on exec: EOF tells that the program runs.
    int execed[2];
    if (::pipe2(execed, O_CLOEXEC) != 0) return 2;
    const pid_t sleeper = ::fork();
    if (sleeper == 0) {
      ::execl("/bin/sleep", "sleep", "3", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    if (::write(program[1], &sleeper, sizeof sleeper) != sizeof sleeper) return 4;
    ::close(execed[1]);
    char c;
    return ::read(execed[0], &c, 1) == 0 ? 0 : 3;
  });
  pid_t sleeper = 0;
  const bool known = ::read(program[0], &sleeper, sizeof sleeper) == sizeof sleeper;
  SingleInstance next(f.path());
  EXPECT_TRUE(next.first());
  if (known) ::kill(sleeper, SIGKILL);
  ::close(program[0]);
  ::close(program[1]);
  ASSERT_EQ(holder, 0);
}

TEST(SingleInstance, AFolderThatCannotHoldTheLockLetsTheStartRunAndSaysWhy) {
  TempFolder f;
  writeBytes(f / "file", "");
  SingleInstance one(f / "file");  // a file where the folder should be
  EXPECT_TRUE(one.first());
  EXPECT_NE(one.problem(), "");
}

TEST(SingleInstance, TheRuntimeFolderIsUsedOnlyWhenItIsTheUsersAlone) {
  const bool root = ::getuid() == 0;
  if (!root) std::fprintf(stderr, "SKIPPING the case of another user's runtime folder: it needs root\n");
  const struct {
    const char* name;
    const char* setup;  // shell, in a fresh folder "r"
    bool used;
    bool needsRoot;
  } cases[] = {
      {"own, 0700", "chmod 700 r", true, false},
      {"own, 0755", "chmod 755 r", false, false},
      {"shared, 1777", "chmod 1777 r", false, false},
      {"another user's, 0700", "chmod 700 r && chown 65534 r", false, true},
      {"a file", "rmdir r && touch r", false, false},
  };
  const SavedEnv runtime("XDG_RUNTIME_DIR");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.needsRoot && !root) continue;
    TempFolder f;
    ASSERT_EQ(std::system(("cd '" + f.path() + "' && mkdir r && " + c.setup).c_str()), 0);
    ::setenv("XDG_RUNTIME_DIR", (f / "r").c_str(), 1);
    EXPECT_EQ(SingleInstance::defaultLockFolder("/settings"), c.used ? f / "r" : "/settings");
    EXPECT_EQ(SingleInstance::runtimeFolderProblem().empty(), c.used);
  }
  ::setenv("XDG_RUNTIME_DIR", "relative/path", 1);
  EXPECT_EQ(SingleInstance::defaultLockFolder("/settings"), "/settings");
  ::unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(SingleInstance::defaultLockFolder("/settings"), "/settings");
  EXPECT_EQ(SingleInstance::runtimeFolderProblem(), "");
}

// A lock file that is not the user's own is never trusted.
TEST(SingleInstance, ALockOfAnotherUserNeitherStopsTheRunNorLetsTwoRun) {
  const bool root = ::getuid() == 0;
  if (!root) std::fprintf(stderr, "SKIPPING the cases of another user's lock: they need root\n");
  const struct {
    const char* name;
    const char* setup;  // shell, in the lock folder "run"
    bool needsRoot;
  } cases[] = {
      {"another user's file", "touch TalvorStart.lock && chown 65534 TalvorStart.lock", true},
      {"a link to another file", "touch ../elsewhere && ln -s ../elsewhere TalvorStart.lock", false},
      {"a shared folder", "chmod 1777 .", false},
      {"another user's folder", "chown 65534 .", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.needsRoot && !root) continue;
    TempFolder f;
    const std::string run = f / "run", settings = f / "settings";
    ASSERT_EQ(std::system(("mkdir -m 700 '" + run + "' && cd '" + run + "' && " + c.setup).c_str()), 0);
    // Another process holds the planted file's lock all the while.
    const int planted = ::open((run + "/TalvorStart.lock").c_str(), O_RDONLY);
    if (planted >= 0) {
      ASSERT_EQ(::flock(planted, LOCK_EX | LOCK_NB), 0);
    }
    const int child = inChild([&] {
      SingleInstance one(run, settings);
      if (!one.first() || !one.problem().empty()) return 1;
      if (one.note().find("the lock is in " + settings + "/TalvorStart.lock because ") != 0) return 2;
      const long mine = ::getpid();
      return inChild([&] {
               SingleInstance two(run, settings);
               return !two.first() && two.holderPid() == mine ? 0 : 1;
             }) == 0
                 ? 0
                 : 3;
    });
    EXPECT_EQ(child, 0);
    if (planted >= 0) ::close(planted);
  }
}

}  // namespace
