#pragma once

#include <string>
#include <vector>

#include "ui/frm_main_design.h"

// The keys dialog's design as data, in twips like the main window's: both
// views build it from this table, the model takes names and texts from it.
const WindowDesign& frmKeysWindow();
const std::vector<ControlDesign>& frmKeysDesign();
// The entry of the named control; throws std::out_of_range for another name.
const ControlDesign& keysDesignOf(const std::string& name);

// The help topics of the dialog, beside the main window's in the help file.
enum KeysHelpTopic {
  kKeysTopic = 20,
  kJobKeysTopic = 21,
  kConfirmKeysTopic = 22,
  kStartKeysTopic = 23,
  kFindByTopic = 24
};
