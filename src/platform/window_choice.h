#pragma once

// Which window a run activates by its title: the same rule on every desktop.
#include <string>
#include <vector>

struct WindowCandidate {
  std::string title;           // UTF-8
  bool existedBefore = false;  // there before the batch file was started
};

// Windows that appeared since the batch file started come first, the newest
// first; among them an exact title before one that begins with the text. A
// window that was there before is chosen only when no new one matches (the
// same order among those). The list is oldest first, as far as the desktop
// tells the order of appearance. -1 when none matches or the text is empty.
int chooseWindowByTitle(const std::vector<WindowCandidate>& windowsOldestFirst, const std::string& title);
