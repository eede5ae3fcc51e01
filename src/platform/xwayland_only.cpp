#include "platform/xwayland_only.h"

#include "platform/failure_codes.h"

AutomationStatus XwaylandOnly::start(const std::string& file, const std::string& programFolder,
                                     const std::string& settingsFolder, int style) {
  return x11_->start(file, programFolder, settingsFolder, style);
}

void XwaylandOnly::beginRun() {
  activated_ = false;
  x11_->beginRun();
}

AutomationStatus XwaylandOnly::activate(const std::string& title, TitleMatch match) {
  AutomationStatus s = x11_->activate(title, match);
  activated_ = activated_ || s.ok();
  if (!s.ok()) s.description += " among the programs under Xwayland (native Wayland windows cannot be seen here)";
  return s;
}

AutomationStatus XwaylandOnly::send(const std::vector<KeyStroke>& strokes, bool wait) {
  if (!activated_)
    return AutomationStatus::failure(failure_code::kInvalidArgument,
                                     "No window was activated by its title, and on this Wayland desktop the window "
                                     "that has the keyboard cannot be known; the keys were not sent",
                                     true);
  return x11_->send(strokes, wait);
}
