#pragma once

// On Linux the desktop back end is chosen at run time: a Wayland session
// whose compositor lists toplevels and takes a virtual keyboard gets the
// Wayland one, KWin when it grants its window list and fake keyboard the
// KDE one (else, on KWin, its scripts and the remote desktop portal),
// GNOME Shell with Talvor Start's extension the GNOME one, otherwise X11
// when a display is reachable, otherwise none.
#include <memory>
#include <string>

#include "platform/automation.h"

// What the choice can see of the session.
struct SessionFacts {
  bool waylandSession = false;    // WAYLAND_DISPLAY or XDG_SESSION_TYPE says so
  bool waylandUsable = false;     // the compositor offers all the back end needs
  std::string desktop;            // XDG_CURRENT_DESKTOP, else what the compositor's globals tell
  std::string waylandLacking;     // what the compositor does not offer
  bool kdeUsable = false;         // KWin granted its window list and fake keyboard
  bool kwinWithoutGrant = false;  // KWin, which keeps both from programs no desktop file grants them
  std::string ownBinary;          // the running program's path: the one a desktop file must name
  bool kdeScriptsUsable = false;  // without the grant: KWin's scripts and the remote desktop portal answer
  std::string kdeScriptsLacking;  // why they do not
  bool x11Reachable = false;
  bool gnomeShell = false;      // the desktop is GNOME, or GNOME Shell is on the session bus
  bool gnomeExtension = false;  // Talvor Start's GNOME Shell extension answers
};

enum class Backend { Wayland, Kde, KdeScripts, Gnome, X11, Unreachable };

struct Decision {
  Backend backend = Backend::Unreachable;
  std::string problem;  // for the user before the run: nothing can be typed
  std::string note;     // for standard error only: what the fallback cannot reach
};

Decision decideBackend(const SessionFacts& facts);

// What the user does so that KWin grants the program what it needs.
std::string kwinGrantAdvice(const std::string& ownBinary);

struct AutomationChoice {
  std::unique_ptr<Automation> automation;
  Decision decision;
};

AutomationChoice chooseAutomation();
