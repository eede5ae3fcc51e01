#include "app/start_report.h"

#include "app/run_history.h"
#include "app/settings_problems.h"
#include "platform/desktop_services.h"

namespace {

// A person closing the window or a second start is no news to the user.
bool worthANotification(Outcome o) {
  return !startedOrSkipped(o) && o != Outcome::ClosedByUser && o != Outcome::AlreadyRunning;
}

std::string logMessage(const RunRecord& r) {
  if (r.outcome == Outcome::JobStarted)
    return "Backup job " + std::to_string(r.job) + " started (" + r.chosenBy + ")" +
           (r.window.empty() ? std::string() : " in \"" + r.window + "\"");
  if (r.outcome == Outcome::SkippedOncePerDay) return "No backup: one ran today already (Once Per Day)";
  return r.reason;
}

}  // namespace

void reportStart(const RunRecord& record, RunHistory* history, DesktopServices& services, FrmMain* window) {
  std::string reason;
  if (history && !history->append(record, reason))
    reportProblem(window, "This start could not be added to the run history: " + reason);
  services.systemLog(logMessage(record), !startedOrSkipped(record.outcome),
                     {{"TALVORSTART_OUTCOME", outcomeInfo(record.outcome).name},
                      {"TALVORSTART_JOB", std::to_string(record.job)},
                      {"TALVORSTART_WINDOW", record.window}});
  if (worthANotification(record.outcome) && !services.notify("Talvor Start", record.reason, reason))
    reportProblem(nullptr, "No notification could be shown: " + reason);  // the rest has it
}

int recordEarlyEnd(Outcome outcome, const std::string& detail, const LocalTime& now, RunHistory& history) {
  RunRecord r;
  r.began = r.ended = isoLocalTime(now);
  r.outcome = outcome;
  r.reason = notStartedText(outcome, detail);
  std::string why;
  if (!history.append(r, why)) reportProblem(nullptr, why);
  return outcomeInfo(outcome).exitStatus;
}

std::string lastFailureText(const RunHistory& history) {
  std::string ignored;
  const std::vector<RunRecord> runs = history.last(50, ignored);
  const RunRecord* last = lastDecisiveRun(runs);
  if (!last || last->outcome == Outcome::JobStarted || last->reason.empty()) return std::string();
  std::string when = last->began;
  if (when.size() >= 16) when = when.substr(0, 10) + " " + when.substr(11, 5);
  return "Last run, " + when + ": " + last->reason;
}
