#include "app/command_line.h"

#include "app/run_history.h"
#include "version.h"

#define TALVOR_TEXT(x) #x
#define TALVOR_VERSION_TEXT(a, b, c) TALVOR_TEXT(a) "." TALVOR_TEXT(b) "." TALVOR_TEXT(c)

namespace {

// A whole number from 1 to 1000, else 0.
int count(const std::string& text) {
  if (text.empty() || text.size() > 4) return 0;
  int n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  return n <= 1000 ? n : 0;
}

std::string padded(std::string text, size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
  CommandLine c;
  auto wrong = [&c](const std::string& why) {
    c.action = CommandLine::Action::Error;
    c.error = why;
    return c;
  };
  if (args.empty()) return c;
  const std::string& first = args[0];
  size_t used = 1;
  if (first == "--help" || first == "-h") {
    c.action = CommandLine::Action::Help;
  } else if (first == "--version") {
    c.action = CommandLine::Action::Version;
  } else if (first == "--dry-run") {
    c.action = CommandLine::Action::DryRun;
  } else if (first == "--history") {
    c.action = CommandLine::Action::History;
    if (args.size() > 1) {
      c.historyCount = count(args[1]);
      if (c.historyCount == 0) return wrong("--history takes a number of runs from 1 to 1000, not \"" + args[1] + "\"");
      used = 2;
    }
  } else {
    return wrong("unknown option \"" + first + "\"");
  }
  if (args.size() > used) return wrong("unexpected \"" + args[used] + "\" after " + first);
  return c;
}

std::string usageText() {
  return "Usage: talvorstart [OPTION]\n"
         "Starts today's backup job in your backup program, then closes.\n"
         "\n"
         "  (no option)     run today's backup, as a start from the session does\n"
         "  --history [N]   show the last N starts (20 unless given), newest last\n"
         "  --dry-run       show the window title and every key string today's run would send;\n"
         "                  starts nothing, types nothing, stores nothing\n"
         "  --version       show the version\n"
         "  --help          show this text\n"
         "\n"
         "Exit status: 0 a job was started or today's run was done already; 64 a wrong option;\n"
         "others say why no job was started (see the manual page).\n";
}

std::string versionText() {
  return "talvorstart " TALVOR_VERSION_TEXT(TALVOR_VERSION_MAJOR, TALVOR_VERSION_MINOR, TALVOR_VERSION_PATCH) "\n";
}

std::string historyTable(const std::vector<RunRecord>& runs) {
  if (runs.empty()) return "No start has been recorded yet.\n";
  std::string out = padded("Began", 20) + padded("Outcome", 20) + padded("Job", 20) + "Window or reason\n";
  for (const RunRecord& r : runs) {
    std::string when = r.began;
    if (when.size() > 10 && when[10] == 'T') when[10] = ' ';
    std::string job = r.job > 0                     ? std::to_string(r.job) + " (" + r.chosenBy + ")"
                      : r.chosenBy == "last-backup" ? "shown (last-backup)"
                                                    : "-";
    const std::string what = r.reason.empty() ? r.window : r.reason;
    out += padded(when, 20) + padded(outcomeInfo(r.outcome).name, 20) + padded(job, 20) + what + "\n";
  }
  return out;
}

int runOption(const CommandLine& c, settings::SettingsStore& store, RunHistory& history, const DryRunClock& clock,
              std::string& out, std::string& err) {
  switch (c.action) {
    case CommandLine::Action::Run:
      return -1;
    case CommandLine::Action::Error:
      err = "talvorstart: " + c.error + "\n" + usageText();
      return kUsageError;
    case CommandLine::Action::Help:
      out = usageText();
      return 0;
    case CommandLine::Action::Version:
      out = versionText();
      return 0;
    case CommandLine::Action::DryRun:
      return dryRun(store, clock, out);
    case CommandLine::Action::History:
      break;
  }
  std::string reason;
  out = historyTable(history.last(size_t(c.historyCount), reason)) + "(" + history.path() + ")\n";
  if (!reason.empty()) err = "talvorstart: " + reason + "\n";
  return 0;
}
