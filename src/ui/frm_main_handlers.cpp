// What each control does when the user (or the load) changes it.
#include "ui/frm_main.h"

#include "platform/desktop_services.h"
#include "platform/number_text.h"
#include "settings/settings_values.h"
#include "version.h"

using settings::StartKey;

void FrmMain::cmdPause_Click() {
  if (cmdPause.caption() == "Pause") {
    blnPause = true;
    cmdPause.setCaption("Run");
  } else {
    blnPause = false;
    cmdPause.setCaption("Pause");
  }
}

void FrmMain::chkDefault_Click() {
  settings::save(store_, settings::startKey(StartKey::Default), std::to_string(chkDefault.value()));
  SetJobControlsVisible(chkDefault.value() == 0);
}

void FrmMain::chkOnceOnly_Click() {
  settings::save(store_, settings::startKey(StartKey::OnceOnly), std::to_string(chkOnceOnly.value()));
}

void FrmMain::SliderBackupNumber_Change() {
  txtBackupNumber.setText(std::to_string(SliderBackupNumber.value()));
  settings::save(store_, settings::startKey(StartKey::BackupNumber), std::to_string(SliderBackupNumber.value()));
}

void FrmMain::saveText(StartKey key, const TextBox& box) { settings::save(store_, settings::startKey(key), box.text()); }

// The keys dialog edits the same settings: it shows each change at once.
void FrmMain::txtBackupKey_Change() {
  saveText(StartKey::BackupJobLetter, txtBackupKey);
  if (keys_) keys_->txtJobKeys.setText(txtBackupKey.text());
}
void FrmMain::txtStartDelay_Change() { saveText(StartKey::StartDelay, txtStartDelay); }
void FrmMain::txtStartKey_Change() {
  saveText(StartKey::Letter, txtStartKey);
  if (keys_) keys_->txtStartKeys.setText(txtStartKey.text());
}
void FrmMain::txtTitle_Change() { saveText(StartKey::Title, txtTitle); }

void FrmMain::setConfirmKeys(const std::string& keys) {
  confirmKeys = keys;
  settings::save(store_, settings::startKey(StartKey::ConfirmKey), keys);
}

void FrmMain::setTitleMatch(const std::string& word) {
  titleMatch = word;
  settings::save(store_, settings::startKey(StartKey::TitleMatch), word);
}

void FrmMain::scheduleBox_Click(const ScheduleEntry& entry) {
  CheckBox& box = scheduleBox(entry);
  const int state = box.value();
  settings::save(store_, *entry.onOff, std::to_string(state));
  const int job = SliderBackupNumber.value();
  settings::save(store_, *entry.backup, std::to_string(job));
  box.setTooltip(state == 1 ? "Backup number " + displayNumber(job) + entry.tooltipEnding : kScheduleDesignTooltip);
}

void FrmMain::mPopHelp_Click() {
  // Help for the control that has the focus, the contents for any other.
  services_.showHelp(helpFile_, focused ? focused->design().helpTopic : 0);
}

void FrmMain::mPopKeys_Click() { keys_->show(); }

void FrmMain::mPopAbout_Click() {
  const std::string crlf = "\r\n";
  const std::string text = "Talvor Start Version " + std::to_string(TALVOR_VERSION_MAJOR) + "." +
                           std::to_string(TALVOR_VERSION_MINOR) + "." + std::to_string(TALVOR_VERSION_PATCH) + crlf +
                           "Copyright (C) Talvor Start developers" + crlf +
                           "Released under the MIT License" + crlf +
                           "www.talvorstart.example" + crlf + crlf;
  showMsgBox(services_, text, msgbox_style::kInformation, "About Talvor Start");
}
