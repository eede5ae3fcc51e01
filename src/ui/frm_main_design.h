#pragma once

#include <string>
#include <vector>

// The window's design as data: every view builds its controls from this
// one table, and the model takes names, captions and tooltips from it.
enum class ControlKind { Label, TextBox, CheckBox, CommandButton, Image, Slider, MenuItem, ComboBox };
enum class Alignment { Left, Centre, Right };

struct ControlDesign {
  std::string name;  // "cmdPause", "chkDay12"
  ControlKind kind;
  std::string caption;  // caption or text; "&" marks a menu item's access key
  std::string tooltip;
  int left, top, width, height;  // twips, from the client area's top-left corner
  int tabIndex;                  // -1: none (the image and the menu items)
  int helpTopic;                 // 0: none
  Alignment alignment = Alignment::Left;
  bool visible = true;
  bool wordWrap = false;
  bool jobControl = false;  // shown exactly while "Last Backup" is unticked
  int sliderMin = 0, sliderMax = 0, sliderSmallStep = 0, sliderPageStep = 0;
  unsigned textColour = 0;  // 0xRRGGBB; 0 for the system's colour
  std::vector<std::string> items = {};  // a combo box's choices, in order
};

struct WindowDesign {
  std::string caption;
  int clientWidth, clientHeight;  // twips
};

const WindowDesign& frmMainWindow();
// Every control in the order of the design: the controls outside the
// schedule in rows from the top, the weekdays, the days, the menu items.
const std::vector<ControlDesign>& frmMainDesign();
// The entry of the named control; throws std::out_of_range for another name.
const ControlDesign& designOf(const std::string& name);
// The label whose tab index comes right before the edit box's: its caption
// names the box for screen readers (Windows takes the static control just
// before it in creation order). Null for any other control.
const ControlDesign* captionOf(const ControlDesign& box);

// The line under the controls that says what keeps the tool from its work;
// not part of the original design, hidden until there is a problem.
const ControlDesign& problemLineDesign();

constexpr int kTwipsPerInch = 1440;
inline const std::string kScheduleDesignTooltip = "Set the slider before checking this box";
inline const std::string kContactLine = "www.talvorstart.example  support@talvorstart.example";
