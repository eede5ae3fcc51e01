#include "settings/ini_document.h"

#include "settings/ini_format.h"

#include <cstring>
#include <string_view>

namespace settings {
namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
  return s;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

bool isLineEnd(char c) { return c == '\n' || c == '\r'; }

// One line the way QSettings finds it: leading blanks skipped, ';' at the
// start makes a comment line, an unquoted ';' ends the line. Unlike
// QSettings, neither a quote nor a backslash carries a line over its end:
// an unclosed quote that another tool wrote would swallow the sections
// after it. CR, LF and CR LF all end a line. Returns false at the end.
bool nextLine(std::string_view d, size_t& pos, size_t& start, size_t& len, long& equals) {
  const size_t n = d.size();
  bool inQuotes = false;
  equals = -1;
  start = pos;
  while (start < n && isSpace(d[start])) ++start;
  size_t i = start;
  while (i < n) {
    const char c = d[i++];
    if (c == '=') {
      if (!inQuotes && equals == -1) equals = long(i - 1);
    } else if (isLineEnd(c)) {
      if (i == start + 1) {
        ++start;
      } else {
        --i;
        break;
      }
    } else if (c == '\\') {
      if (i < n && !isLineEnd(d[i])) ++i;
    } else if (c == '"') {
      inQuotes = !inQuotes;
    } else if (c == ';') {
      if (i == start + 1) {
        while (i < n && !isLineEnd(d[i])) ++i;
        while (i < n && isSpace(d[i])) ++i;
        start = i;
      } else if (!inQuotes) {
        --i;
        break;
      }
    }
  }
  pos = i;
  len = i - start;
  return len > 0;
}

}  // namespace

IniDocument::IniDocument(std::string bytes) : bytes_(std::move(bytes)) { index(); }

void IniDocument::index() {
  entries_.clear();
  sections_.clear();
  const std::string_view d(bytes_);
  size_t pos = d.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
  size_t start = 0, len = 0;
  long equals = -1;
  std::string section;  // "" is QSettings' [General]
  sections_.push_back({section, pos});
  while (nextLine(d, pos, start, len, equals)) {
    const std::string_view line = d.substr(start, len);
    if (line[0] == '[') {
      const size_t close = line.find(']');
      const std::string_view name = trimmed(line.substr(1, (close == std::string_view::npos ? len : close) - 1));
      if (equalsIgnoringCase(name, "general"))
        section.clear();
      else if (equalsIgnoringCase(name, "%general"))
        section = std::string(name.substr(1));
      else
        section = ini::unescapeKey(name);
      sections_.push_back({section, start + len});
      continue;
    }
    if (equals < 0) continue;  // a comment or a malformed line: kept, never read
    const size_t eq = size_t(equals);
    entries_.push_back({section, ini::unescapeKey(trimmed(d.substr(start, eq - start))), eq + 1, start + len});
    sections_.back().lastLineEnd = start + len;
  }
}

const IniDocument::Entry* IniDocument::find(const std::string& section, const std::string& key) const {
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
    if (it->section == section && it->key == key) return &*it;
  return nullptr;
}

std::optional<std::string> IniDocument::value(const std::string& section, const std::string& key) const {
  const Entry* e = find(section, key);
  if (!e) return std::nullopt;
  return ini::unescapeValue(std::string_view(bytes_).substr(e->valueBegin, e->valueEnd - e->valueBegin));
}

size_t IniDocument::afterPhysicalLine(size_t pos) const {
  const size_t end = bytes_.find_first_of("\r\n", pos);
  if (end == std::string::npos) return bytes_.size();
  return end + (bytes_.compare(end, 2, "\r\n") == 0 ? 2 : 1);
}

// The file's own line end: the first one in it, LF for a file without.
std::string IniDocument::lineEnd() const {
  const size_t end = bytes_.find_first_of("\r\n");
  if (end == std::string::npos || bytes_[end] == '\n') return "\n";
  return bytes_.compare(end, 2, "\r\n") == 0 ? "\r\n" : "\r";
}

bool IniDocument::endsWithLineEnd() const { return !bytes_.empty() && isLineEnd(bytes_.back()); }

void IniDocument::set(const std::string& section, const std::string& key, const std::string& value) {
  const std::string escaped = ini::escapeValue(value);
  if (const Entry* e = find(section, key)) {
    bytes_.replace(e->valueBegin, e->valueEnd - e->valueBegin, escaped);
  } else {
    const std::string eol = lineEnd();
    const std::string line = ini::escapeKey(key) + "=" + escaped + eol;
    const Section* home = nullptr;
    for (auto it = sections_.rbegin(); it != sections_.rend() && !home; ++it)
      if (it->name == section) home = &*it;
    if (home) {
      size_t at = afterPhysicalLine(home->lastLineEnd);
      std::string insert = line;
      if (at == bytes_.size() && !bytes_.empty() && !endsWithLineEnd()) insert = eol + insert;
      bytes_.insert(at, insert);
    } else {
      if (!bytes_.empty() && !endsWithLineEnd()) bytes_ += eol;
      if (!bytes_.empty() && bytes_ != "\xEF\xBB\xBF") bytes_ += eol;
      bytes_ += "[" + ini::escapeKey(section) + "]" + eol + line;
    }
  }
  index();
}

}  // namespace settings
