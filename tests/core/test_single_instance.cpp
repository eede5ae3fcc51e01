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

// 0 when a second start, in another process, sees this one holding the lock.
int secondStartSeesThisOne(const std::string& folder, const std::string& fallback = "") {
  const long mine = ::getpid();
  return inChild([&] {
    SingleInstance second(folder, fallback);
    return !second.first() && second.holderPid() == mine ? 0 : 1;
  });
}

// A folder that cannot hold the lock lets the start run and says why.
TEST(SingleInstance, ASecondStartSeesTheFirstAndItsProcess) {
  TempFolder f;
  SingleInstance first(f.path());
  ASSERT_TRUE(first.first());
  EXPECT_EQ(first.problem(), "");
  EXPECT_EQ(secondStartSeesThisOne(f.path()), 0);
  writeBytes(f / "file", "");
  SingleInstance one(f / "file");  // a file where the folder should be
  EXPECT_TRUE(one.first());
  EXPECT_NE(one.problem(), "");
}

TEST(SingleInstance, IsFreeAgainWhenTheHolderEndsEvenIfWhatItStartedRunsOn) {
  TempFolder f;
  int program[2];  // the started program's process id, to end it afterwards
  ASSERT_EQ(::pipe(program), 0);
  const int holder = inChild([&] {  // starts a long-running program, as the batch file does, and ends
    SingleInstance one(f.path());
    int execed[2];  // closes on exec: EOF tells that the program runs
    if (!one.first() || ::pipe2(execed, O_CLOEXEC) != 0) return 1;
    const pid_t sleeper = ::fork();
    if (sleeper == 0) ::_exit(::execl("/bin/sleep", "sleep", "3", static_cast<char*>(nullptr)));
    ::close(execed[1]);
    char c;
    return ::write(program[1], &sleeper, sizeof sleeper) == sizeof sleeper && ::read(execed[0], &c, 1) == 0 ? 0 : 2;
  });
  pid_t sleeper = 0;
  const bool known = ::read(program[0], &sleeper, sizeof sleeper) == sizeof sleeper;
  EXPECT_TRUE(SingleInstance(f.path()).first());
  if (known) ::kill(sleeper, SIGKILL);
  ::close(program[0]);
  ::close(program[1]);
  ASSERT_EQ(holder, 0);
}

TEST(SingleInstance, TheRuntimeFolderIsUsedOnlyWhenItIsTheUsersAlone) {
  const bool root = ::getuid() == 0;
  if (!root) std::fprintf(stderr, "SKIPPING the case of another user's runtime folder: it needs root\n");
  // Shell on a fresh folder r; whether it is used; whether the case needs root.
  // clang-format off
  const std::tuple<const char*, bool, bool> cases[] = {{"chmod 700 r", true, false}, {"chmod 755 r", false, false},
      {"chmod 1777 r", false, false}, {"chmod 700 r && chown 65534 r", false, true}, {"rmdir r && touch r", false, false}};
  // clang-format on
  const SavedEnv runtime("XDG_RUNTIME_DIR");
  for (const auto& [setup, used, needsRoot] : cases) {
    SCOPED_TRACE(setup);
    if (needsRoot && !root) continue;
    TempFolder f;
    ASSERT_EQ(std::system(("cd '" + f.path() + "' && mkdir r && " + setup).c_str()), 0);
    ::setenv("XDG_RUNTIME_DIR", (f / "r").c_str(), 1);
    EXPECT_EQ(SingleInstance::defaultLockFolder("/settings"), used ? f / "r" : "/settings");
    EXPECT_EQ(SingleInstance::runtimeFolderProblem().empty(), used);
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
  // Shell in the lock folder "run"; whether the case needs root.
  const std::pair<const char*, bool> cases[] = {{"touch TalvorStart.lock && chown 65534 TalvorStart.lock", true},
                                                {"touch ../elsewhere && ln -s ../elsewhere TalvorStart.lock", false},
                                                {"chmod 1777 .", false},
                                                {"chown 65534 .", true}};
  for (const auto& [setup, needsRoot] : cases) {
    SCOPED_TRACE(setup);
    if (needsRoot && !root) continue;
    TempFolder f;
    const std::string run = f / "run", settings = f / "settings";
    ASSERT_EQ(std::system(("mkdir -m 700 '" + run + "' && cd '" + run + "' && " + setup).c_str()), 0);
    // Another process holds the planted file's lock all the while.
    const int planted = ::open((run + "/TalvorStart.lock").c_str(), O_RDONLY);
    EXPECT_TRUE(planted < 0 || ::flock(planted, LOCK_EX | LOCK_NB) == 0);
    EXPECT_EQ(inChild([&] {
                SingleInstance one(run, settings);
                if (!one.first() || !one.problem().empty()) return 1;
                if (one.note().find("the lock is in " + settings + "/TalvorStart.lock because ") != 0) return 2;
                return secondStartSeesThisOne(run, settings) == 0 ? 0 : 3;
              }),
              0);
    if (planted >= 0) ::close(planted);
  }
}

}  // namespace
