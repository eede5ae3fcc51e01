#pragma once

// X11 on a Wayland desktop sees only the programs under Xwayland: when a
// native window has the keyboard, X11's focus still names some X window
// (measured under KWin), so keys are sent only after a window was activated
// by its title in this run.
#include "platform/automation.h"

#include <memory>

class XwaylandOnly : public Automation {
 public:
  explicit XwaylandOnly(std::unique_ptr<Automation> x11) : x11_(std::move(x11)) {}
  AutomationStatus start(const std::string& file, const std::string& programFolder,
                         const std::string& settingsFolder, int style) override;
  void beginRun() override;
  AutomationStatus activate(const std::string& title, TitleMatch match) override;
  AutomationStatus send(const std::vector<KeyStroke>& strokes, bool wait) override;
  void setOwnWindow(std::uintptr_t id) override { x11_->setOwnWindow(id); }

 private:
  std::unique_ptr<Automation> x11_;
  bool activated_ = false;
};
