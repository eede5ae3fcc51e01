#include "ui/frm_main_design.h"

#include "settings/settings_schema.h"

#include <stdexcept>

namespace {

using K = ControlKind;
using A = Alignment;

ControlDesign control(const char* name, K kind, const char* caption, const char* tooltip, int left, int top,
                      int width, int height, int tab, int help, A align = A::Left) {
  ControlDesign d{name, kind, caption, tooltip, left, top, width, height, tab, help};
  d.alignment = align;
  return d;
}

std::vector<ControlDesign> build() {
  std::vector<ControlDesign> t;
  t.push_back(control("cmdPause", K::CommandButton, "Pause", "Resets and pauses the timer", 4200, 0, 852, 252, 0, 0));
  auto www = control("LabelWWW", K::Label, kContactLine.c_str(), "Contact details", 1560, 0, 2532, 492, 12, 0, A::Centre);
  www.wordWrap = true;
  www.textColour = 0x0000FF;
  t.push_back(www);
  // Each caption's tab index comes right before its edit box's (see captionOf).
  t.push_back(control("Label6", K::Label, "Delay", "", 120, 360, 732, 252, 16, 0));
  t.push_back(control("txtStartDelay", K::TextBox, "10", "Pause to allow backup program to start", 960, 360, 612, 288,
                      17, 9, A::Centre));
  t.push_back(control("lblCountDown", K::Label, "5", "Count down", 4440, 360, 252, 252, 15, 0));
  auto message = control("lblMessage", K::Label, "Pausing to allow user configuration changes", "", 3960, 600, 1092,
                         852, 14, 0);
  message.wordWrap = true;
  t.push_back(message);
  t.push_back(control("Label2", K::Label, "Start Key", "", 120, 720, 852, 252, 1, 0));
  t.push_back(control("txtStartKey", K::TextBox, "S",
                      "Underscored letter in the backup program that starts the backup ie S", 960, 720, 612, 288, 2,
                      10, A::Centre));
  t.push_back(control("Label5", K::Label, "Backup Job", "", 1800, 720, 1212, 252, 10, 0, A::Right));
  t.push_back(control("txtBackupKey", K::TextBox, "B", "Underscored key to change backup jobs ie B", 3120, 720, 612,
                      288, 11, 12, A::Centre));
  t.push_back(control("Label3", K::Label, "Start Title", "", 120, 1080, 732, 252, 3, 0));
  t.push_back(control("txtTitle", K::TextBox, "Microsoft Backup", "Backup application's name", 960, 1080, 2772, 288,
                      4, 11));
  t.push_back(control("Image1", K::Image, "", "", 2160, 1440, 588, 564, -1, 0, A::Centre));
  t.push_back(control("chkDefault", K::CheckBox, "Last Backup", "Run the backup type that was run last", 120, 1560,
                      1212, 252, 5, 4));
  t.push_back(control("chkOnceOnly", K::CheckBox, "Once Per Day", "Only run 1 backup each day", 3600, 1560, 1452, 252,
                      13, 0));
  auto slider = control("SliderBackupNumber", K::Slider, "",
                        "Select a backup (number refers to list of saved backups in drop down on backup program)",
                        120, 2040, 4932, 372, 6, 5);
  slider.sliderMin = 1;
  slider.sliderMax = 20;
  slider.sliderSmallStep = 1;
  slider.sliderPageStep = 5;
  t.push_back(slider);
  t.push_back(control("Label1", K::Label, "1", "", 240, 2400, 132, 252, 8, 0));
  t.push_back(control("txtBackupNumber", K::TextBox, "", "Selected backup (from list in backup program)", 2280, 2400,
                      372, 288, 7, 5, A::Centre));
  t.push_back(control("Label4", K::Label, "20", "", 4680, 2400, 252, 252, 9, 0));

  const char* weekdays[] = {"chkMonday", "chkTuesday", "chkwednesday", "chkThursday",
                            "chkFriday", "chkSaturday", "chkSunday"};
  for (int w = 0; w < settings::kWeekdays; ++w) {
    auto box = control(weekdays[w], K::CheckBox, settings::weekdaySection(w).substr(0, 3).c_str(),
                       kScheduleDesignTooltip.c_str(), 120 + 720 * w, 2760, 612, 252, 18 + w, 6);
    box.visible = false;
    t.push_back(box);
  }
  t.push_back(control("lblDayOfMonth", K::Label, "Day of the month", "", 720, 3840, 1692, 252, 26, 0));
  for (int d = 1; d <= settings::kDaysInMonth; ++d) {
    const int column = (d - 1) % 10, row = (d - 1) / 10;
    const int tab = d == 1 ? 25 : d == 31 ? 27 : 26 + d;
    const std::string name = "chkDay" + std::to_string(d);
    t.push_back(control(name.c_str(), K::CheckBox, std::to_string(d).c_str(), kScheduleDesignTooltip.c_str(),
                        120 + 480 * column, 3120 + 240 * row, 492, 252, tab, 0));
  }
  t.push_back(control("mPopHelp", K::MenuItem, "&Help", "", 0, 0, 0, 0, -1, 0));
  // Keys sits between Help and About: About stays last, where it is looked for.
  t.push_back(control("mPopKeys", K::MenuItem, "&Keys", "", 0, 0, 0, 0, -1, 0));
  t.push_back(control("mPopAbout", K::MenuItem, "&About", "", 0, 0, 0, 0, -1, 0));

  for (ControlDesign& d : t) {
    const std::string& n = d.name;
    d.jobControl = n == "SliderBackupNumber" || n == "txtBackupNumber" || n == "txtBackupKey" || n == "Label1" ||
                   n == "Label4" || n == "Label5" || n == "lblDayOfMonth" || n.rfind("chkDay", 0) == 0;
    for (const char* w : weekdays) d.jobControl = d.jobControl || n == w;
  }
  return t;
}

}  // namespace

const WindowDesign& frmMainWindow() {
  static const WindowDesign w{"Talvor Start", 5136, 4080};
  return w;
}

const std::vector<ControlDesign>& frmMainDesign() {
  static const std::vector<ControlDesign> t = build();
  return t;
}

const ControlDesign& designOf(const std::string& name) {
  for (const ControlDesign& d : frmMainDesign())
    if (d.name == name) return d;
  throw std::out_of_range("no control named " + name);
}

const ControlDesign* captionOf(const ControlDesign& box) {
  if (box.kind != ControlKind::TextBox || box.tabIndex <= 0) return nullptr;
  for (const ControlDesign& d : frmMainDesign())
    if (d.tabIndex == box.tabIndex - 1) return d.kind == ControlKind::Label ? &d : nullptr;
  return nullptr;
}

const ControlDesign& problemLineDesign() {
  static const ControlDesign d = [] {
    ControlDesign p{"lblProblem", ControlKind::Label, "", "", 0, 4080, 5136, 0, -1, 0};
    p.visible = false;
    p.wordWrap = true;
    p.textColour = 0xC00000;
    return p;
  }();
  return d;
}
