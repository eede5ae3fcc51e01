#pragma once

#include "platform/wait_clock.h"
#include "ui/controls.h"
#include "ui/frm_keys.h"
#include "ui/schedule_table.h"

#include <array>
#include <memory>
#include <functional>
#include <string>
#include <vector>

class DesktopServices;
namespace settings {
class SettingsStore;
}

// The tool's one window as a model: its controls carry their design names
// and values, each handler stores its change at once. A view draws it.
class FrmMain {
 public:
  FrmMain(settings::SettingsStore& store, DesktopServices& services);
  FrmMain(const FrmMain&) = delete;
  FrmMain& operator=(const FrmMain&) = delete;

  // --- controls ---
  CommandButton cmdPause{designOf("cmdPause")};
  Label LabelWWW{designOf("LabelWWW")};
  Label Label6{designOf("Label6")};
  TextBox txtStartDelay{designOf("txtStartDelay")};
  Label lblCountDown{designOf("lblCountDown")};
  Label lblMessage{designOf("lblMessage")};
  Label Label2{designOf("Label2")};
  TextBox txtStartKey{designOf("txtStartKey")};
  Label Label5{designOf("Label5")};
  TextBox txtBackupKey{designOf("txtBackupKey")};
  Label Label3{designOf("Label3")};
  TextBox txtTitle{designOf("txtTitle")};
  Image Image1{designOf("Image1")};
  CheckBox chkDefault{designOf("chkDefault")};
  CheckBox chkOnceOnly{designOf("chkOnceOnly")};
  Slider SliderBackupNumber{designOf("SliderBackupNumber")};
  Label Label1{designOf("Label1")};
  TextBox txtBackupNumber{designOf("txtBackupNumber")};
  Label Label4{designOf("Label4")};
  CheckBox chkMonday{designOf("chkMonday")};
  CheckBox chkTuesday{designOf("chkTuesday")};
  CheckBox chkwednesday{designOf("chkwednesday")};
  CheckBox chkThursday{designOf("chkThursday")};
  CheckBox chkFriday{designOf("chkFriday")};
  CheckBox chkSaturday{designOf("chkSaturday")};
  CheckBox chkSunday{designOf("chkSunday")};
  Label lblDayOfMonth{designOf("lblDayOfMonth")};
  MenuItem mPopHelp{designOf("mPopHelp")};
  MenuItem mPopKeys{designOf("mPopKeys")};
  MenuItem mPopAbout{designOf("mPopAbout")};
  // Says what keeps the tool from its work; not in the design.
  Label lblProblem{problemLineDesign()};

  CheckBox& chkDay(int day) { return *days_[size_t(day - 1)]; }  // chkDay1..chkDay31
  const CheckBox& chkDay(int day) const { return *days_[size_t(day - 1)]; }
  CheckBox& scheduleBox(const ScheduleEntry& e);
  const CheckBox& scheduleBox(const ScheduleEntry& e) const;

  // Every control of the design, in its order; the named one or nullptr.
  const std::vector<Control*>& controls() const { return controls_; }
  Control* control(const std::string& name) const;
  const std::vector<Control*>& jobControls() const { return jobControls_; }

  // Settings kept outside the main window's controls, edited in the keys
  // dialog: the keys after the job is chosen, and how txtTitle names the
  // window (a word of titleMatchFromSetting). Each change is stored at once.
  std::string confirmKeys;
  std::string titleMatch;
  void setConfirmKeys(const std::string& keys);
  void setTitleMatch(const std::string& word);
  // The dialog that edits them, and the job and start keys with them.
  FrmKeys& frmKeys() { return *keys_; }

  // --- window-level fields shared with the waits ---
  double sngPauseTime = 0;  // length of the current wait, seconds
  double sngStart = 0;      // timer reading at which it began
  bool blnPause = false;    // Pause/Run
  bool closeRequested = false;
  // The seconds timer of the waits, steady across midnight.
  double Timer() { return clock_.now(); }

  // --- operations ---
  void SetJobControlsVisible(bool visible);

  // The help file named at load; the control whose topic F1 opens.
  void setHelpFile(const std::string& name) { helpFile_ = name; }
  const std::string& helpFile() const { return helpFile_; }
  const Control* focused = nullptr;  // kept by the view

  // A line under the controls that says what keeps the tool from doing its
  // work (settings that cannot be read or saved, a desktop it cannot type
  // into). Not a message box: nothing may hold back the unattended run.
  void showProblem(const std::string& text);

  // The window: shown, and closed by the user or the sequence.
  bool visible() const { return visible_; }
  void show();
  void close();  // ends every wait; nothing else is undone
  std::function<void(bool visible)> viewVisibility;

  // --- handlers ---
  void cmdPause_Click();
  void chkDefault_Click();
  void chkOnceOnly_Click();
  void SliderBackupNumber_Change();
  void txtBackupKey_Change();
  void txtStartDelay_Change();
  void txtStartKey_Change();
  void txtTitle_Change();
  void mPopHelp_Click();
  void mPopKeys_Click();
  void mPopAbout_Click();
  void scheduleBox_Click(const ScheduleEntry& entry);  // chkDay1_Click .. chkSunday_Click

 private:
  void connectHandlers();
  void saveText(settings::StartKey key, const TextBox& box);

  settings::SettingsStore& store_;
  DesktopServices& services_;
  WaitClock clock_;
  std::vector<std::unique_ptr<CheckBox>> days_;
  std::vector<Control*> controls_;
  std::vector<Control*> jobControls_;
  std::string helpFile_;
  std::unique_ptr<FrmKeys> keys_;
  bool visible_ = false;
};
