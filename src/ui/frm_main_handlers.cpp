// What each control does when the user (or the load) changes it.
#include "ui/frm_main.h"

#include "platform/desktop_services.h"
#include "platform/number_text.h"
#include "settings/settings_values.h"
#include "version.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

using settings::StartKey;

void FrmMain::cmdPause_Click() {
  if (cmdPause->text() == QLatin1String("Pause")) {
    blnPause = true;
    cmdPause->setText(QStringLiteral("Run"));
  } else {
    blnPause = false;
    cmdPause->setText(QStringLiteral("Pause"));
  }
}

void FrmMain::chkDefault_Click() {
  settings::save(store_, settings::startKey(StartKey::Default), std::to_string(checkState(chkDefault)));
  SetJobControlsVisible(checkState(chkDefault) == 0);
}

void FrmMain::chkOnceOnly_Click() {
  settings::save(store_, settings::startKey(StartKey::OnceOnly), std::to_string(checkState(chkOnceOnly)));
}

void FrmMain::SliderBackupNumber_Change() {
  txtBackupNumber->setText(QString::number(SliderBackupNumber->value()));
  settings::save(store_, settings::startKey(StartKey::BackupNumber), std::to_string(SliderBackupNumber->value()));
}

void FrmMain::saveText(StartKey key, const QLineEdit* box) {
  settings::save(store_, settings::startKey(key), box->text().toStdString());
}

void FrmMain::txtBackupKey_Change() { saveText(StartKey::BackupJobLetter, txtBackupKey); }
void FrmMain::txtStartDelay_Change() { saveText(StartKey::StartDelay, txtStartDelay); }
void FrmMain::txtStartKey_Change() { saveText(StartKey::Letter, txtStartKey); }
void FrmMain::txtTitle_Change() { saveText(StartKey::Title, txtTitle); }

void FrmMain::scheduleBox_Click(const ScheduleEntry& entry) {
  QCheckBox* box = scheduleBox(entry);
  const int state = checkState(box);
  settings::save(store_, *entry.onOff, std::to_string(state));
  const int job = SliderBackupNumber->value();
  settings::save(store_, *entry.backup, std::to_string(job));
  box->setToolTip(state == 1 ? QStringLiteral("Backup number ") + displayNumber(job) + entry.tooltipEnding
                             : kScheduleDesignTooltip);
}

void FrmMain::mPopHelp_Click() {
  // Help for the control that has the focus, the contents for any other.
  const QWidget* focused = QApplication::focusWidget();
  showHelp(focused ? focused->property("helpTopic").toInt() : 0);
}

void FrmMain::mPopAbout_Click() {
  const QString crlf = QStringLiteral("\r\n");
  const QString text = QStringLiteral("Talvor Start Version %1.%2.%3")
                           .arg(TALVOR_VERSION_MAJOR)
                           .arg(TALVOR_VERSION_MINOR)
                           .arg(TALVOR_VERSION_PATCH) +
                       crlf + QStringLiteral("Copyright (C) Talvor Start developers") + crlf +
                       QStringLiteral("All rights reserved; released under the terms in the licence file") + crlf +
                       QStringLiteral("www.talvorstart.example") + crlf + crlf;
  services_.msgBox(text, msgbox_style::kInformation, QStringLiteral("About Talvor Start"));
}
