#include "platform/window_choice.h"

#include <cctype>

namespace {

const struct {
  TitleMatch match;
  const char* setting;
  const char* words;
} kMatches[] = {
    {TitleMatch::Start, "start", "No window has the title"},
    {TitleMatch::End, "end", "No window has a title that ends with"},
    {TitleMatch::Contains, "contains", "No window has a title that contains"},
    {TitleMatch::Class, "class", "No window has the class or application id"},
};

bool sameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

bool partlyMatches(const WindowCandidate& w, const std::string& text, TitleMatch match) {
  const std::string& t = w.title;
  switch (match) {
    case TitleMatch::Start:
      return t.compare(0, text.size(), text) == 0;
    case TitleMatch::End:
      return t.size() >= text.size() && t.compare(t.size() - text.size(), text.size(), text) == 0;
    case TitleMatch::Contains:
      return t.find(text) != std::string::npos;
    case TitleMatch::Class:
      for (const std::string& c : w.classes)
        if (sameIgnoringCase(c, text)) return true;
      return false;
  }
  return false;
}

}  // namespace

bool titleMatchFromSetting(const std::string& text, TitleMatch& out) {
  if (text.empty()) {
    out = TitleMatch::Start;
    return true;
  }
  for (const auto& m : kMatches)
    if (sameIgnoringCase(text, m.setting)) {
      out = m.match;
      return true;
    }
  return false;
}

const char* titleMatchSetting(TitleMatch match) {
  for (const auto& m : kMatches)
    if (m.match == match) return m.setting;
  return "start";
}

std::string noWindowText(const std::string& title, TitleMatch match) {
  for (const auto& m : kMatches)
    if (m.match == match) return std::string(m.words) + " \"" + title + "\"";
  return "";
}

int chooseWindowByTitle(const std::vector<WindowCandidate>& windows, const std::string& title, TitleMatch match) {
  if (title.empty()) return -1;
  // A class names no title: only the second pass applies.
  for (bool older : {false, true})
    for (bool exact : {match != TitleMatch::Class, false})
      for (int i = int(windows.size()) - 1; i >= 0; --i) {
        const WindowCandidate& w = windows[size_t(i)];
        if (w.existedBefore != older) continue;
        if (exact ? w.title == title : partlyMatches(w, title, match)) return i;
      }
  return -1;
}
