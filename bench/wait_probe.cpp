// Runs the program's own wait on the real display and prints how late the
// count-down changed after each second and how long a click on Pause and
// on Run, made through XTest, took to be handled.
// Prints: late_ms=<max> pause_ms=<ms> run_ms=<ms>
#include "app/count_down_wait.h"
#include "platform/automation.h"
#include "settings/memory_store.h"
#include "ui/frm_main.h"
#include "ui/qt/frm_main_view.h"
#include "ui/qt/qt_desktop_services.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

double now() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

// A click as the user makes it: through the X server, from another client.
double clickAt(Display* d, int x, int y) {
  XTestFakeMotionEvent(d, -1, x, y, CurrentTime);
  XTestFakeButtonEvent(d, 1, True, CurrentTime);
  XTestFakeButtonEvent(d, 1, False, CurrentTime);
  const double at = now();
  XFlush(d);
  return at;
}

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_XCB_NO_MITSHM", "1");  // as the program paints
  QApplication app(argc, argv);
  settings::MemoryStore store;
  QtDesktopServices services(createAutomation());
  FrmMain frm(store, services);
  FrmMainView view(frm);
  frm.show();
  if (!QTest::qWaitForWindowExposed(&view)) return 1;
  services.setOwnWindow(&view);
  QTest::qWait(300);

  // The count-down of a 3 s wait.
  std::vector<double> changedAt;
  frm.lblCountDown.viewUpdate = [&](const Control&) { changedAt.push_back(now()); };
  frm.sngPauseTime = 3;
  const double started = now();
  frm.sngStart = frm.Timer();
  countDownWait(frm, services);
  double late = 0;
  for (size_t i = 0; i < changedAt.size(); ++i) late = std::max(late, changedAt[i] - started - double(i));

  // Pause at 0.3 s and Run at 0.8 s of a 1 s wait.
  QWidget* button = view.widget("cmdPause");
  const QPoint centre = button->mapToGlobal(button->rect().center());
  double pausedAt = 0, runAt = 0, clickedPause = 0, clickedRun = 0;
  frm.cmdPause.viewUpdate = [&](const Control& c) { (c.caption() == "Run" ? pausedAt : runAt) = now(); };
  std::thread user([&] {
    Display* d = XOpenDisplay(nullptr);
    if (!d) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    clickedPause = clickAt(d, centre.x(), centre.y());
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    clickedRun = clickAt(d, centre.x(), centre.y());
    XCloseDisplay(d);
  });
  frm.sngPauseTime = 1;
  frm.sngStart = frm.Timer();
  countDownWait(frm, services);
  user.join();
  std::printf("late_ms=%.1f pause_ms=%.1f run_ms=%.1f\n", late * 1000, (pausedAt - clickedPause) * 1000,
              (runAt - clickedRun) * 1000);
  return pausedAt > 0 && runAt > 0 ? 0 : 1;
}
