#include "platform/kde/kwin_script_text.h"

#include <cstdlib>

namespace kde {
namespace {

bool isHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// The report's fields are percent-encoded (encodeURIComponent): no comma
// or semicolon of a title can split them.
bool percentDecode(const std::string& in, std::string& out) {
  out.clear();
  for (size_t i = 0; i < in.size(); ++i) {
    if (in[i] != '%') {
      out += in[i];
      continue;
    }
    if (i + 2 >= in.size() || !isHex(in[i + 1]) || !isHex(in[i + 2])) return false;
    out += char(std::strtoul(in.substr(i + 1, 2).c_str(), nullptr, 16));
    i += 2;
  }
  return true;
}

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t from = 0;
  for (;;) {
    const size_t at = text.find(separator, from);
    parts.push_back(text.substr(from, at == std::string::npos ? std::string::npos : at - from));
    if (at == std::string::npos) return parts;
    from = at + 1;
  }
}

std::string reportCall(const ReportAddress& to, const std::string& value) {
  return std::string("callDBus(\"") + to.busName + "\", \"" + kReportPath + "\", \"" + kReportInterface +
         "\", \"Report\", \"" + to.token + "\", " + value + ");\n";
}

}  // namespace

bool isUniqueBusName(const std::string& name) {
  if (name.size() < 4 || name.size() > 64 || name[0] != ':') return false;
  for (size_t i = 1; i < name.size(); ++i) {
    const char c = name[i];
    if (!(c == '.' || (c >= '0' && c <= '9'))) return false;
  }
  return true;
}

bool isWindowId(const std::string& id) {
  if (id.size() != 38 || id.front() != '{' || id.back() != '}') return false;
  for (size_t i = 1; i < 37; ++i) {
    const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
    if (dash ? id[i] != '-' : !isHex(id[i])) return false;
  }
  return true;
}

std::string listScript(const ReportAddress& to) {
  return "var all = workspace.clientList();\n"
         "var active = workspace.activeClient;\n"
         "var activeId = active ? String(active.internalId) : \"\";\n"
         "function field(v) { try { return encodeURIComponent(String(v)); } catch (e) { return \"\"; } }\n"
         "var rows = [];\n"
         "for (var i = 0; i < all.length; ++i) {\n"
         "  var c = all[i];\n"
         "  if (!c.normalWindow && !c.dialog) continue;\n"
         "  var id = String(c.internalId);\n"
         "  var parent = c.transientFor ? String(c.transientFor.internalId) : \"\";\n"
         "  rows.push([id, c.caption, c.resourceClass, c.desktopFileName, c.pid, id === activeId ? 1 : 0, parent]\n"
         "      .map(field).join(\",\"));\n"
         "}\n" +
         reportCall(to, "rows.join(\";\")");
}

std::string activateScript(const ReportAddress& to, const std::string& windowId) {
  if (!isWindowId(windowId)) return reportCall(to, "\"0\"");
  return "var all = workspace.clientList();\n"
         "var found = \"0\";\n"
         "for (var i = 0; i < all.length; ++i) {\n"
         "  if (String(all[i].internalId) === \"" +
         windowId +
         "\") {\n"
         "    workspace.activeClient = all[i];\n"
         "    found = \"1\";\n"
         "  }\n"
         "}\n" +
         reportCall(to, "found");
}

std::string markerScript(const ReportAddress& to) {
  return "var on = registerShortcut(\"talvorstart marker\", \"talvorstart: keys passed on\", \"Launch (B)\",\n"
         "    function() {\n  " +
         reportCall(to, std::string("\"") + kMarkerReport + "\"") + "});\n" + reportCall(to, "on ? \"1\" : \"0\"");
}

bool parseWindowReport(const std::string& text, std::vector<ScriptWindow>& out) {
  out.clear();
  if (text.empty()) return true;
  for (const std::string& row : split(text, ';')) {
    std::vector<std::string> f = split(row, ',');
    if (f.size() != 7) return false;
    for (std::string& v : f) {
      std::string plain;
      if (!percentDecode(v, plain)) return false;
      v = plain;
    }
    ScriptWindow w;
    if (!isWindowId(f[0]) || (!f[6].empty() && !isWindowId(f[6]))) return false;
    w.id = f[0];
    w.title = f[1];
    w.resourceClass = f[2];
    w.desktopFileName = f[3];
    char* end = nullptr;
    const unsigned long pid = std::strtoul(f[4].c_str(), &end, 10);
    w.pid = (end && *end == '\0' && pid <= 0x7fffffffUL) ? std::uint32_t(pid) : 0;
    w.active = f[5] == "1";
    w.parent = f[6];
    out.push_back(std::move(w));
  }
  return true;
}

}  // namespace kde
