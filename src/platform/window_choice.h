#pragma once

// Which window a run activates by its title: the same rule on every desktop.
#include <string>
#include <vector>

// How the text of the title setting names the backup program's window.
enum class TitleMatch {
  Start,     // the exact title, else a title that begins with the text
  End,       // the exact title, else a title that ends with the text
  Contains,  // the exact title, else a title that contains the text
  Class,     // the window's class or application id, whatever its title
};

// The stored word of each ("start", "end", "contains", "class"); false for
// any other word. An empty text is the default, start.
bool titleMatchFromSetting(const std::string& text, TitleMatch& out);
const char* titleMatchSetting(TitleMatch match);
// What a failed search says: "No window has the title "X"" for the default,
// and names the way of matching for the others.
std::string noWindowText(const std::string& title, TitleMatch match);

struct WindowCandidate {
  std::string title;           // UTF-8
  bool existedBefore = false;  // there before the batch file was started
  // X11: the instance and class of WM_CLASS; Wayland: the application id;
  // Windows: the window class.
  std::vector<std::string> classes;
};

// Windows that appeared since the batch file started come first, the newest
// first; among them an exact title before one that otherwise matches. A
// window that was there before is chosen only when no new one matches (the
// same order among those). The list is oldest first, as far as the desktop
// tells the order of appearance. -1 when none matches or the text is empty.
int chooseWindowByTitle(const std::vector<WindowCandidate>& windowsOldestFirst, const std::string& title,
                        TitleMatch match = TitleMatch::Start);

// The same choice over a desktop's own window records (oldest first): those
// `skip` holds out (ours, not yet described) take no part, `describe` makes
// the candidate of each other one. Null when none matches.
template <class Windows, class Skip, class Describe>
auto chooseWindow(const Windows& windowsOldestFirst, const std::string& title, TitleMatch match, Skip skip,
                  Describe describe) -> decltype(&*windowsOldestFirst.begin()) {
  std::vector<decltype(&*windowsOldestFirst.begin())> kept;
  std::vector<WindowCandidate> candidates;
  for (const auto& w : windowsOldestFirst) {
    if (skip(w)) continue;
    kept.push_back(&w);
    candidates.push_back(describe(w));
  }
  const int i = chooseWindowByTitle(candidates, title, match);
  return i < 0 ? nullptr : kept[size_t(i)];
}
