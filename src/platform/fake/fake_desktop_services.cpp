#include "platform/fake/fake_desktop_services.h"

#include "platform/key_string.h"
#include "platform/window_choice.h"

#include <stdexcept>

FakeDesktopServices::FakeDesktopServices() : clockStart{Date{2026, 8, 12}, 9 * 3600.0} {}  // a Wednesday, the 12th

void FakeDesktopServices::at(double seconds, std::function<void()> action) {
  scheduled_.push_back({seconds, std::move(action)});
}

std::vector<std::string> FakeDesktopServices::keysSent() const {
  std::vector<std::string> out;
  for (const Sent& s : sent) out.push_back(s.keys);
  return out;
}

int FakeDesktopServices::callsStartingWith(const std::string& prefix) const {
  int n = 0;
  for (const std::string& c : calls) n += c.rfind(prefix, 0) == 0;
  return n;
}

void FakeDesktopServices::beginRun() {
  calls.push_back("BeginRun");
  windowsAtBeginRun_ = windows;
  activated_ = false;
}

Status FakeDesktopServices::shell(const std::string& file, int windowStyle) {
  calls.push_back("Shell " + file + " " + std::to_string(windowStyle));
  if (!batchFilePresent) return Status::failure(failure_code::kFileNotFound, "File not found: " + file);
  if (!shellFailure.ok()) return shellFailure;
  startedAt_ = virtualNow_;
  bringUpStartedWindow();
  return Status::success();
}

void FakeDesktopServices::bringUpStartedWindow() {
  if (!startedAt_ || startsWindow.empty()) return;
  for (const std::string& w : windows)
    if (w == startsWindow) return;
  if (virtualNow_ - *startedAt_ < windowAppearsAfter) return;
  windows.push_back(startsWindow);
  activeWindow = startsWindow;
}

Status FakeDesktopServices::appActivate(const std::string& title, TitleMatch match) {
  calls.push_back("AppActivate " + title);
  bringUpStartedWindow();
  std::vector<WindowCandidate> candidates;
  for (const std::string& w : windows) {
    bool before = false;
    for (const std::string& b : windowsAtBeginRun_) before = before || b == w;
    candidates.push_back({w, before, {}});
  }
  const int chosen = chooseWindowByTitle(candidates, title, match);
  if (chosen >= 0) {
    activeWindow = windows[size_t(chosen)];
    activated_ = true;
    Status s;
    s.window = activeWindow;
    return s;
  }
  return Status::failure(failure_code::kInvalidArgument, "No window titled \"" + title + "\"");
}

Status FakeDesktopServices::sendKeys(const std::string& keys, bool wait) {
  calls.push_back("SendKeys " + keys);
  const ParsedKeys parsed = parseKeyString(keys);
  if (!parsed.status.ok()) return parsed.status;
  if (keyFailure) {
    Status s = keyFailure(keys);
    if (!s.ok()) return s;
  }
  if (activeWindow == kOwnTitle) {
    Status s = Status::failure(failure_code::kInvalidArgument, "No window to receive the keys");
    s.ownWindow = true;
    return s;
  }
  // As the back ends do: without an activated window, a window that was
  // there before the run never gets keys.
  bool older = false;
  for (const std::string& w : windowsAtBeginRun_) older = older || w == activeWindow;
  if (!activated_ && older) {
    Status s = Status::failure(failure_code::kInvalidArgument,
                               "The keys were not sent: " + activeWindow + " was there before the run");
    s.stop = KeyStop::OnlyOlderWindows;
    return s;
  }
  sent.push_back({activeWindow, keys, wait});
  return Status::success();
}

double FakeDesktopServices::timer() { return now().secondsOfDay; }

std::optional<double> FakeDesktopServices::nextAction() const {
  std::optional<double> next;
  for (const Scheduled& s : scheduled_)
    if (!next || s.at < *next) next = s.at;
  return next;
}

// Actions may schedule more actions; runs what is due, in time order.
bool FakeDesktopServices::runDueActions() {
  bool ran = false;
  for (;;) {
    size_t due = scheduled_.size();
    for (size_t i = 0; i < scheduled_.size(); ++i)
      if (scheduled_[i].at <= virtualNow_ && (due == scheduled_.size() || scheduled_[i].at < scheduled_[due].at))
        due = i;
    if (due == scheduled_.size()) return ran;
    auto action = std::move(scheduled_[due].action);
    scheduled_.erase(scheduled_.begin() + long(due));
    action();
    ran = true;
  }
}

void FakeDesktopServices::doEvents() {
  runDueActions();
}

bool FakeDesktopServices::idle(int maxMs) {
  ++sleeps;
  const std::optional<double> event = nextAction();
  double until = maxMs < 0 ? (event ? *event : virtualNow_ + giveUpAfter + 1) : virtualNow_ + maxMs / 1000.0;
  if (event && *event < until) until = *event > virtualNow_ ? *event : virtualNow_;
  virtualNow_ = until;
  if (virtualNow_ > giveUpAfter)
    throw std::runtime_error("the code under test still waits after " + std::to_string(giveUpAfter) +
                             " virtual seconds");
  return runDueActions();
}

LocalTime FakeDesktopServices::now() { return addSeconds(clockStart, virtualNow_); }

std::string FakeDesktopServices::shortDateText(const Date& date) {
  return std::to_string(date.day) + "/" + std::to_string(date.month) + "/" + std::to_string(date.year);
}

std::string FakeDesktopServices::inputBox(const std::string& prompt, const std::string& title,
                                          const std::string& defaultText) {
  prompts.push_back({prompt, title, defaultText});
  if (prompts.size() > answers.size()) return defaultText;
  const auto& answer = answers[prompts.size() - 1];
  return answer ? *answer : std::string();
}

void FakeDesktopServices::msgBox(const std::string& text, int style, const std::string& title) {
  boxes.push_back({text, style, title, virtualNow_});
  if (onBox) onBox(boxes.back());
}

void FakeDesktopServices::showHelp(const std::string& helpFile, int topic) { helpShown.push_back({helpFile, topic}); }

bool FakeDesktopServices::systemLog(const std::string& message, bool problem, const LogFields& fields) {
  systemLogEntries.push_back({message, problem, fields});
  return true;
}

bool FakeDesktopServices::notify(const std::string& summary, const std::string& body, std::string& reason) {
  if (!notificationServer) {
    reason = "no notification server";
    return false;
  }
  notifications.push_back({summary, body});
  return true;
}
