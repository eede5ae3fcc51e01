#include "ui/frm_main.h"

#include "platform/desktop_services.h"
#include "settings/settings_store.h"

FrmMain::FrmMain(settings::SettingsStore& store, DesktopServices& services)
    : store_(store), services_(services), clock_(services) {
  for (int d = 1; d <= settings::kDaysInMonth; ++d)
    days_.push_back(std::make_unique<CheckBox>(designOf("chkDay" + std::to_string(d))));
  Control* named[] = {&cmdPause, &LabelWWW, &Label6, &txtStartDelay, &lblCountDown, &lblMessage, &Label2,
                      &txtStartKey, &Label5, &txtBackupKey, &Label3, &txtTitle, &Image1, &chkDefault,
                      &chkOnceOnly, &SliderBackupNumber, &Label1, &txtBackupNumber, &Label4, &chkMonday,
                      &chkTuesday, &chkwednesday, &chkThursday, &chkFriday, &chkSaturday, &chkSunday,
                      &lblDayOfMonth, &mPopHelp, &mPopKeys, &mPopAbout};
  for (const ControlDesign& d : frmMainDesign()) {
    Control* c = nullptr;
    for (Control* n : named)
      if (n->name() == d.name) c = n;
    if (!c) c = days_[size_t(std::stoi(d.name.substr(6)) - 1)].get();
    controls_.push_back(c);
  }
  // In the order SetJobControlsVisible sets them.
  jobControls_ = {&SliderBackupNumber, &txtBackupNumber, &txtBackupKey, &Label1, &Label4, &Label5,
                  &chkMonday, &chkTuesday, &chkwednesday, &chkThursday, &chkFriday, &chkSaturday,
                  &chkSunday, &lblDayOfMonth};
  for (auto& d : days_) jobControls_.push_back(d.get());
  connectHandlers();
  keys_ = std::make_unique<FrmKeys>(*this, services);
}

void FrmMain::connectHandlers() {
  cmdPause.onClick = [this] { cmdPause_Click(); };
  chkDefault.onClick = [this] { chkDefault_Click(); };
  chkOnceOnly.onClick = [this] { chkOnceOnly_Click(); };
  SliderBackupNumber.onChange = [this] { SliderBackupNumber_Change(); };
  txtBackupKey.onChange = [this] { txtBackupKey_Change(); };
  txtStartDelay.onChange = [this] { txtStartDelay_Change(); };
  txtStartKey.onChange = [this] { txtStartKey_Change(); };
  txtTitle.onChange = [this] { txtTitle_Change(); };
  mPopHelp.onClick = [this] { mPopHelp_Click(); };
  mPopKeys.onClick = [this] { mPopKeys_Click(); };
  mPopAbout.onClick = [this] { mPopAbout_Click(); };
  for (const ScheduleEntry& e : scheduleTable()) {
    const ScheduleEntry* entry = &e;
    scheduleBox(e).onClick = [this, entry] { scheduleBox_Click(*entry); };
  }
}

CheckBox& FrmMain::scheduleBox(const ScheduleEntry& e) {
  if (e.day > 0) return chkDay(e.day);
  CheckBox* weekdays[] = {&chkMonday, &chkTuesday, &chkwednesday, &chkThursday, &chkFriday, &chkSaturday, &chkSunday};
  return *weekdays[e.weekday];
}

const CheckBox& FrmMain::scheduleBox(const ScheduleEntry& e) const {
  return const_cast<FrmMain*>(this)->scheduleBox(e);
}

Control* FrmMain::control(const std::string& name) const {
  for (Control* c : controls_)
    if (c->name() == name) return c;
  return nullptr;
}

void FrmMain::SetJobControlsVisible(bool visible) {
  for (Control* c : jobControls_) c->setVisible(visible);
}

void FrmMain::showProblem(const std::string& text) {
  const std::string& shown = lblProblem.caption();
  if (shown.find(text) != std::string::npos) return;
  lblProblem.setCaption(shown.empty() ? text : shown + "\n" + text);
  lblProblem.setVisible(true);
}

void FrmMain::show() {
  if (visible_) return;
  visible_ = true;
  if (viewVisibility) viewVisibility(true);
}

void FrmMain::close() {
  closeRequested = true;
  if (!visible_) return;
  visible_ = false;
  if (viewVisibility) viewVisibility(false);
}
