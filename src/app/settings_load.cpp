#include "app/settings_load.h"

#include "platform/desktop_services.h"
#include "settings/settings_values.h"
#include "ui/frm_main.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSlider>

using settings::StartKey;

namespace {

struct PromptText {
  QString title;
  QString defaultAnswer;
  QString message;
};

const PromptText kStartDelayPrompt{
    "Start Delay", "10",
    "A delay is required to allow the backup program to start.  10 seconds works OK but your system may require "
    "more)."};
const PromptText kStartLetterPrompt{
    "Start Letter", "S",
    "This program uses the keyboard shortcut to start MS Backup.  Non English versions do not use 'S' as the "
    "keyboard shortcut.  Enter the letter that your backup software uses (hint it is the letter that is underlined "
    "on your start button)."};
const PromptText kTitlePrompt{
    "Title", "Microsoft Backup",
    "This program needs to set the Backup program active.  To do this, the name in the title bar is required.  Non "
    "MS Backup or non English versions do not use 'Microsoft Backup' as the title.  Enter the title prior to the "
    "'-' that your backup software uses (hint it is displayed in the title bar now)."};
const PromptText kJobLetterPrompt{
    "Backup Job Letter", "B",
    "This program uses the keyboard shortcut to change backup jobs.  Non English versions do not use 'B' as the "
    "keyboard shortcut.  Enter the letter that your backup software uses (hint it is the letter that is underlined "
    "on the text above the job drop down menu)."};

// Loads a text box; asks for it when it is exactly empty (blanks are kept).
void loadText(QLineEdit* box, StartKey key, const PromptText* prompt, settings::SettingsStore& store,
              DesktopServices& services) {
  const settings::SettingKey& k = settings::startKey(key);
  box->setText(QString::fromStdString(settings::readText(store, k)));
  if (!prompt || !box->text().isEmpty()) return;
  box->setText(services.inputBox(prompt->message, prompt->title, prompt->defaultAnswer));
  settings::save(store, k, box->text().toStdString());
}

}  // namespace

void loadSettings(FrmMain& frm, settings::SettingsStore& store, DesktopServices& services) {
  // Each entry's job number goes on the slider just before its box is set,
  // so a box that becomes checked stores and shows its own number.
  for (int d = 1; d <= settings::kDaysInMonth; ++d) {
    frm.setJobNumber(settings::readJobNumber(store, settings::dayBackup(d)));
    FrmMain::setCheckState(frm.chkDay(d), settings::readCheckState(store, settings::dayOnOff(d)));
  }
  for (int w = 0; w < settings::kWeekdays; ++w) {
    frm.setJobNumber(settings::readJobNumber(store, settings::weekdayBackup(w)));
    FrmMain::setCheckState(frm.scheduleBox(weekdayEntry(w)), settings::readCheckState(store, settings::weekdayOnOff(w)));
  }
  FrmMain::setCheckState(frm.chkOnceOnly, settings::readCheckState(store, settings::startKey(StartKey::OnceOnly)));
  loadText(frm.txtStartDelay, StartKey::StartDelay, &kStartDelayPrompt, store, services);
  loadText(frm.txtStartKey, StartKey::Letter, &kStartLetterPrompt, store, services);
  loadText(frm.txtTitle, StartKey::Title, &kTitlePrompt, store, services);
  FrmMain::setCheckState(frm.chkDefault, settings::readCheckState(store, settings::startKey(StartKey::Default)));
  frm.SetJobControlsVisible(FrmMain::checkState(frm.chkDefault) == 0);
  frm.setJobNumber(settings::readJobNumber(store, settings::startKey(StartKey::BackupNumber)));
  // The box mirrors the slider, also when the stored text was not a number.
  frm.txtBackupNumber->setText(QString::number(frm.jobNumber()));
  loadText(frm.txtBackupKey, StartKey::BackupJobLetter, &kJobLetterPrompt, store, services);
}
