#pragma once

// The KWin scripts of the back end that KWin grants nothing: their text,
// and the report they send back. No caller-supplied text ever becomes part
// of a script; a script only reports, and the window to activate is named
// by the id that KWin itself reported, checked first.
#include <cstdint>
#include <string>
#include <vector>

namespace kde {

struct ScriptWindow {
  std::string id;  // KWin's internal id, "{8-4-4-4-12 hex digits}"
  std::string title, resourceClass, desktopFileName;
  std::uint32_t pid = 0;
  bool active = false;
  std::string parent;  // id of the window it is a dialog of, or ""
};

// Where a script's report goes: a method Report(s token, s text) of this
// program's connection to the session bus.
struct ReportAddress {
  std::string busName;  // our unique name, ":1.N"
  std::string token;    // digits, new for each script
};

constexpr const char* kReportPath = "/example/talvorstart/KWinReport";
constexpr const char* kReportInterface = "example.talvorstart.KWinReport1";

// False for anything but a unique bus name or a KWin window id, so that
// neither can end a string in the script.
bool isUniqueBusName(const std::string& name);
bool isWindowId(const std::string& id);

// A script that reports every normal window and dialog, oldest first.
std::string listScript(const ReportAddress& to);
// A script that activates the window with that id (checked by isWindowId)
// and reports "1" when it found it.
std::string activateScript(const ReportAddress& to, const std::string& windowId);

// The marker: a key that KWin takes as a global shortcut, so that it never
// reaches a window. KWin handles input in order: when the shortcut fires,
// every key typed before it has been passed to its window. XF86Launch9 is
// F18 on the usual keymaps; "Launch (B)" is how Qt names it.
constexpr std::uint32_t kMarkerKeysym = 0x1008ff49;
constexpr const char* kMarkerReport = "m";
// A script that stays loaded: it reports "1" once it has registered the
// marker's shortcut, then kMarkerReport each time the shortcut fires.
std::string markerScript(const ReportAddress& to);

// Reads listScript's report; false when it is malformed.
bool parseWindowReport(const std::string& text, std::vector<ScriptWindow>& out);

}  // namespace kde
