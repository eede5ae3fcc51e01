#include "ui/frm_keys_design.h"

#include <stdexcept>

namespace {

using K = ControlKind;

ControlDesign control(const char* name, K kind, const char* caption, const char* tooltip, int left, int top, int width,
                      int height, int tab, int help) {
  return ControlDesign{name, kind, caption, tooltip, left, top, width, height, tab, help};
}

// One row per key setting: caption, field, Record button, and an example
// line under the field.
void keyRow(std::vector<ControlDesign>& t, const std::string& what, const char* caption, const char* tooltip,
            const char* example, int top, int tab, int help) {
  t.push_back(control(("lbl" + what).c_str(), K::Label, caption, "", 120, top + 36, 2052, 252, tab, help));
  t.push_back(control(("txt" + what).c_str(), K::TextBox, "", tooltip, 2280, top, 3360, 288, tab + 1, help));
  t.push_back(control(("cmdRecord" + what).c_str(), K::CommandButton, "Record",
                      "Adds the next key you press in the field, with Ctrl, Alt or Shift", 5760, top, 1080, 288,
                      tab + 2, help));
  t.push_back(control(("lbl" + what + "Example").c_str(), K::Label, example, "", 2280, top + 324, 4560, 252, -1, help));
}

std::vector<ControlDesign> build() {
  std::vector<ControlDesign> t;
  keyRow(t, "JobKeys", "Job list keys", "Keys that reach the backup program's job list, ie %b for Alt+B",
         "Example: %b for Alt+B; B alone means the same", 120, 0, kJobKeysTopic);
  keyRow(t, "ConfirmKeys", "Keys that confirm the job", "Keys pressed once the job is chosen, ie {ENTER}",
         "Example: {ENTER}, or {TAB}{SPACE}; empty for none", 840, 3, kConfirmKeysTopic);
  keyRow(t, "StartKeys", "Start keys", "Keys that start the backup, ie %s for Alt+S",
         "Example: %s for Alt+S, or ^s{WAIT 500}{ENTER}", 1560, 6, kStartKeysTopic);
  t.push_back(control("lblFindBy", K::Label, "Find the window by", "", 120, 2316, 2052, 252, 9, kFindByTopic));
  auto findBy = control("cboFindBy", K::ComboBox, "", "How the Start Title names the backup program's window", 2280,
                        2280, 4560, 315, 10, kFindByTopic);
  // In the order of the stored words: start, end, contains, class.
  findBy.items = {"the start of its title", "the end of its title", "any part of its title",
                  "its class or application id"};
  t.push_back(findBy);
  auto check = control("lblKeysCheck", K::Label, "", "Whether the keys of the field can be sent", 120, 2760, 6720, 492,
                       -1, kKeysTopic);
  check.wordWrap = true;
  t.push_back(check);
  t.push_back(control("cmdClose", K::CommandButton, "Close", "Every change is already saved", 5760, 3360, 1080, 372, 11,
                      kKeysTopic));
  return t;
}

}  // namespace

const WindowDesign& frmKeysWindow() {
  static const WindowDesign w{"Keys", 6960, 3852};
  return w;
}

const std::vector<ControlDesign>& frmKeysDesign() {
  static const std::vector<ControlDesign> t = build();
  return t;
}

const ControlDesign& keysDesignOf(const std::string& name) {
  for (const ControlDesign& d : frmKeysDesign())
    if (d.name == name) return d;
  throw std::out_of_range("no control named " + name);
}
