#include "platform/window_choice.h"

int chooseWindowByTitle(const std::vector<WindowCandidate>& windows, const std::string& title) {
  if (title.empty()) return -1;
  for (bool older : {false, true})
    for (bool exact : {true, false})
      for (int i = int(windows.size()) - 1; i >= 0; --i) {
        const WindowCandidate& w = windows[size_t(i)];
        if (w.existedBefore != older) continue;
        if (exact ? w.title == title : w.title.compare(0, title.size(), title) == 0) return i;
      }
  return -1;
}
