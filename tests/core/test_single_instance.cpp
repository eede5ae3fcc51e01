// One run at a time: a second start sees the first, and nothing the first
// started keeps the lock after it ends.
#include "platform/single_instance.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

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
  // The holder starts a long-running program (as the batch file starts the
  // backup program) and ends; the program must not inherit the lock.
  const int holder = inChild([&] {
    SingleInstance one(f.path());
    if (!one.first()) return 1;
    // The end of this pipe closes on exec: EOF tells that the program runs.
    int execed[2];
    if (::pipe2(execed, O_CLOEXEC) != 0) return 2;
    if (::fork() == 0) {
      ::execl("/bin/sleep", "sleep", "3", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(execed[1]);
    char c;
    return ::read(execed[0], &c, 1) == 0 ? 0 : 3;
  });
  ASSERT_EQ(holder, 0);
  SingleInstance next(f.path());
  EXPECT_TRUE(next.first());
}

TEST(SingleInstance, AFolderThatCannotHoldTheLockLetsTheStartRunAndSaysWhy) {
  TempFolder f;
  writeBytes(f / "file", "");
  SingleInstance one(f / "file");  // a file where the folder should be
  EXPECT_TRUE(one.first());
  EXPECT_NE(one.problem(), "");
}

TEST(SingleInstance, TheRuntimeFolderIsPreferred) {
  TempFolder runtime;
  ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
  EXPECT_EQ(SingleInstance::defaultLockFolder("/settings"), runtime.path());
  ::setenv("XDG_RUNTIME_DIR", "relative/path", 1);
  EXPECT_EQ(SingleInstance::defaultLockFolder("/settings"), "/settings");
  ::unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(SingleInstance::defaultLockFolder("/settings"), "/settings");
}

}  // namespace
