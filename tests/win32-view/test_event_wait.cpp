#include <gtest/gtest.h>
#include <windows.h>

#include <thread>

#include "event_pump.h"

// Sleeps until a message comes and no longer; a quit stays for the outer loop.
TEST(EventWait, SleepsUntilAMessageComesAndAQuitStays) {
  pumpEvents(nullptr);
  DWORD start = GetTickCount();
  // The whole time, unless it was woken (Wine's X driver may send something).
  if (!waitForEvent(300)) {
    EXPECT_GE(GetTickCount() - start, 280u);
  }
  // Timed from before the thread starts: on a busy machine this thread may lose the processor right after.
  start = GetTickCount();
  std::thread poster([thread = GetCurrentThreadId()] { Sleep(100), PostThreadMessageW(thread, WM_APP, 0, 0); });
  // Woken early by a message of Wine's own, it waits again until the posted one is there.
  MSG app;
  while (!PeekMessageW(&app, nullptr, WM_APP, WM_APP, PM_NOREMOVE) && GetTickCount() - start < 5000) waitForEvent(5000);
  const DWORD woke = GetTickCount() - start;
  poster.join();
  EXPECT_GE(woke, 80u);
  EXPECT_LT(woke, 600u);
  EXPECT_TRUE(pumpEvents(nullptr));
  PostQuitMessage(3);
  EXPECT_FALSE(pumpEvents(nullptr));
  MSG m;
  ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(m.wParam, 3u);
}
