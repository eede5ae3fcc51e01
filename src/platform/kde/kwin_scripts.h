#pragma once

// KWin scripts run over the session bus (org.kde.KWin /Scripting), for a
// program that KWin grants no Wayland interface: each script is written to
// a file only this user can read, loaded, run, and unloaded again once it
// has reported back to this program's connection. Every wait is bounded.
#include <systemd/sd-bus.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/kde/kwin_script_text.h"

namespace kde {

class KwinScripts {
 public:
  explicit KwinScripts(sd_bus* bus);
  ~KwinScripts();
  KwinScripts(const KwinScripts&) = delete;
  KwinScripts& operator=(const KwinScripts&) = delete;

  // KWin answers and there is a private folder for the scripts.
  bool usable() const { return usable_; }
  bool windows(std::vector<ScriptWindow>& out);
  // True when KWin found the window and made it active.
  bool activate(const std::string& windowId);
  // Loads the marker's script, which stays until this object goes; one
  // left by an earlier run is unloaded first.
  bool startMarker();
  // How often the marker's shortcut fired; waits (bounded) until it has
  // fired `count` times in all.
  std::uint64_t markers() const { return markers_; }
  bool waitForMarkers(std::uint64_t count);
  const std::string& error() const { return error_; }

 private:
  static int onReport(sd_bus_message* m, void* data, sd_bus_error* error);
  // Runs the script that makeScript writes for the address; report: what it sent.
  // A script kept as a name stays loaded under it.
  template <class MakeScript>
  bool run(MakeScript makeScript, std::string& report, const std::string& keepAs = "");
  void unload(const std::string& plugin);
  bool writeScript(const std::string& path, const std::string& text);
  bool kwinOwner(std::string& owner);

  sd_bus* bus_;
  sd_bus_slot* slot_ = nullptr;
  std::string folder_, busName_, kwin_;
  bool usable_ = false;
  std::uint64_t count_ = 0;
  std::string awaited_, report_;
  std::string markerToken_, kept_;
  std::uint64_t markers_ = 0;
  bool reported_ = false;
  std::string error_;
};

}  // namespace kde
