// Activates a window by title and sends it the key strings of a backup run
// for job 3, each with waiting, through the tool's own desktop services.
// Prints the time the strings took. Usage: send-sequence TITLE
#include "platform/automation.h"
#include "ui/qt/qt_desktop_services.h"

#include <QApplication>
#include <QElapsedTimer>
#include <string>
#include <vector>
#include <cstdio>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const std::string title = argc > 1 ? argv[1] : "Microsoft Backup";
  QtDesktopServices services(createAutomation());

  std::vector<std::string> strings{"%B"};
  for (int i = 0; i < 20; ++i) strings.push_back("{UP}");
  for (const char* s : {"{DOWN}", "{DOWN}", "{ENTER}", "%S"}) strings.push_back(s);

  const Status activated = services.appActivate(title, TitleMatch::Start);
  if (!activated.ok()) {
    std::fprintf(stderr, "send-sequence: %s\n", activated.description.c_str());
    return 1;
  }
  // A run waits between activating and typing; so does this, so that only
  // the keys are timed.
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 300) services.idle(int(300 - clock.elapsed()));
  clock.restart();
  for (const std::string& s : strings) {
    const Status sent = services.sendKeys(s, true);
    if (!sent.ok()) {
      std::fprintf(stderr, "send-sequence: %s: %s\n", s.c_str(), sent.description.c_str());
      return 1;
    }
  }
  std::printf("sent_ms=%.2f\n", double(clock.nsecsElapsed()) / 1e6);
  return 0;
}
