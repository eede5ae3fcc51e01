#include "platform/fake/fake_desktop_services.h"

#include "platform/key_string.h"

#include <QCoreApplication>

FakeDesktopServices::FakeDesktopServices()
    : clockStart(QDate(2026, 8, 12), QTime(9, 0, 0)) {}  // a Wednesday, the 12th

void FakeDesktopServices::at(double seconds, std::function<void()> action) {
  scheduled_.push_back({seconds, std::move(action)});
}

QStringList FakeDesktopServices::keysSent() const {
  QStringList out;
  for (const Sent& s : sent) out << s.keys;
  return out;
}

void FakeDesktopServices::beginRun() {
  calls << QStringLiteral("BeginRun");
  windowsAtBeginRun_ = windows;
  activated_ = false;
}

Status FakeDesktopServices::shell(const QString& file, int windowStyle) {
  calls << QStringLiteral("Shell %1 %2").arg(file).arg(windowStyle);
  if (!batchFilePresent)
    return Status::failure(failure_code::kFileNotFound, QStringLiteral("File not found: %1").arg(file));
  startedAt_ = virtualNow_;
  bringUpStartedWindow();
  return Status::success();
}

void FakeDesktopServices::bringUpStartedWindow() {
  if (!startedAt_ || startsWindow.isEmpty() || windows.contains(startsWindow)) return;
  if (virtualNow_ - *startedAt_ < windowAppearsAfter) return;
  windows << startsWindow;
  activeWindow = startsWindow;
}

Status FakeDesktopServices::appActivate(const QString& title) {
  calls << QStringLiteral("AppActivate %1").arg(title);
  bringUpStartedWindow();
  if (!title.isEmpty()) {
    for (const QString& w : windows)
      if (w == title) { activeWindow = w; activated_ = true; return Status::success(); }
    for (const QString& w : windows)
      if (w.startsWith(title)) { activeWindow = w; activated_ = true; return Status::success(); }
  }
  return Status::failure(failure_code::kInvalidArgument, QStringLiteral("No window titled \"%1\"").arg(title));
}

Status FakeDesktopServices::sendKeys(const QString& keys, bool wait) {
  calls << QStringLiteral("SendKeys %1").arg(keys);
  const ParsedKeys parsed = parseKeyString(keys);
  if (!parsed.status.ok()) return parsed.status;
  if (keyFailure) {
    Status s = keyFailure(keys);
    if (!s.ok()) return s;
  }
  if (activeWindow == kOwnTitle) {
    Status s = Status::failure(failure_code::kInvalidArgument, QStringLiteral("No window to receive the keys"));
    s.ownWindow = true;
    return s;
  }
  // As the back ends do: without an activated window, a window that was
  // there before the run never gets keys.
  if (!activated_ && windowsAtBeginRun_.contains(activeWindow)) {
    Status s = Status::failure(failure_code::kInvalidArgument,
                               QStringLiteral("The keys were not sent: %1 was there before the run").arg(activeWindow));
    s.stopsRun = true;
    return s;
  }
  sent.push_back({activeWindow, keys, wait});
  return Status::success();
}

double FakeDesktopServices::timer() { return timerOrigin + virtualNow_; }

void FakeDesktopServices::doEvents() {
  ++pumps;
  QCoreApplication::processEvents();
  // Actions may schedule more actions; run what is due, in time order.
  for (;;) {
    int due = -1;
    for (int i = 0; i < scheduled_.size(); ++i)
      if (scheduled_[i].at <= virtualNow_ && (due < 0 || scheduled_[i].at < scheduled_[due].at)) due = i;
    if (due < 0) break;
    auto action = std::move(scheduled_[due].action);
    scheduled_.removeAt(due);
    action();
  }
}

void FakeDesktopServices::idle(int maxMs) {
  if (onIdle) onIdle();
  if (maxMs > 0) virtualNow_ += maxMs / 1000.0;
}

QDateTime FakeDesktopServices::now() {
  return clockStart.addMSecs(qint64(virtualNow_ * 1000.0));
}

QString FakeDesktopServices::inputBox(const QString& prompt, const QString& title, const QString& defaultText) {
  prompts.push_back({prompt, title, defaultText});
  if (prompts.size() > answers.size()) return defaultText;
  const auto& answer = answers[prompts.size() - 1];
  return answer ? *answer : QString();
}

void FakeDesktopServices::msgBox(const QString& text, int style, const QString& title) {
  boxes.push_back({text, style, title.isEmpty() ? QStringLiteral("talvorstart") : title, virtualNow_});
  if (onBox) onBox(boxes.back());
}
