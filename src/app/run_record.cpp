#include "app/run_record.h"

#include <cstdio>
#include <map>

namespace {

std::string quoted(const std::string& value) {
  bool plain = !value.empty();
  for (char c : value) plain = plain && c != ' ' && c != '"' && c != '=' && c != '\\' && c >= 0x20 && c != 0x7f;
  if (plain) return value;
  std::string out = "\"";
  for (char c : value) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        out += c;
    }
  }
  return out + "\"";
}

// Splits key=value pairs; false when the line does not end where a pair does.
bool splitPairs(const std::string& line, std::map<std::string, std::string>& out) {
  size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ') {
      ++i;
      continue;
    }
    const size_t eq = line.find('=', i);
    if (eq == std::string::npos) return false;
    const std::string key = line.substr(i, eq - i);
    if (key.empty() || key.find(' ') != std::string::npos) return false;
    std::string value;
    i = eq + 1;
    if (i < line.size() && line[i] == '"') {
      ++i;
      bool closed = false;
      while (i < line.size() && !closed) {
        const char c = line[i++];
        if (c == '"') {
          closed = true;
        } else if (c == '\\' && i < line.size()) {
          const char e = line[i++];
          value += e == 'n' ? '\n' : e == 'r' ? '\r' : e == 't' ? '\t' : e;
        } else {
          value += c;
        }
      }
      if (!closed) return false;
    } else {
      const size_t end = line.find(' ', i);
      value = line.substr(i, end == std::string::npos ? std::string::npos : end - i);
      i = end == std::string::npos ? line.size() : end;
    }
    out[key] = value;
  }
  return true;
}

int wholeNumber(const std::string& text) {
  int n = 0;
  for (char c : text) {
    if (c < '0' || c > '9' || n > 100000) return 0;
    n = n * 10 + (c - '0');
  }
  return n;
}

}  // namespace

std::string isoLocalTime(const LocalTime& time) {
  const long s = long(time.secondsOfDay);
  char clock[16];
  std::snprintf(clock, sizeof clock, "T%02ld:%02ld:%02ld", s / 3600 % 24, s / 60 % 60, s % 60);
  return isoDate(time.date) + clock;
}

std::string formatRecord(const RunRecord& r) {
  return "began=" + quoted(r.began) + " ended=" + quoted(r.ended) + " outcome=" + outcomeInfo(r.outcome).name +
         " job=" + std::to_string(r.job) + " chosen-by=" + quoted(r.chosenBy) + " keys=" + std::to_string(r.keysSent) +
         "/" + std::to_string(r.keysPlanned) + " title=" + quoted(r.title) + " window=" + quoted(r.window) +
         " reason=" + quoted(r.reason);
}

bool parseRecord(const std::string& line, RunRecord& out) {
  std::map<std::string, std::string> f;
  if (!splitPairs(line, f)) return false;
  for (const char* needed : {"began", "ended", "outcome", "job", "keys", "reason"})
    if (!f.count(needed)) return false;
  RunRecord r;
  if (!outcomeByName(f["outcome"], r.outcome)) return false;
  r.began = f["began"];
  r.ended = f["ended"];
  r.job = wholeNumber(f["job"]);
  r.chosenBy = f["chosen-by"];
  r.title = f["title"];
  r.window = f["window"];
  r.reason = f["reason"];
  const std::string& keys = f["keys"];
  const size_t slash = keys.find('/');
  if (slash == std::string::npos) return false;
  r.keysSent = wholeNumber(keys.substr(0, slash));
  r.keysPlanned = wholeNumber(keys.substr(slash + 1));
  out = r;
  return true;
}
