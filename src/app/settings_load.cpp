#include "app/settings_load.h"

#include "platform/desktop_services.h"
#include "settings/settings_values.h"
#include "ui/frm_main.h"

using settings::StartKey;

namespace {

struct PromptText {
  std::string title;
  std::string defaultAnswer;
  std::string message;
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

// Loads a text box; asks for it when it is exactly empty (blanks are kept),
// unless the settings exist but cannot be read: the answer could not be
// kept, and the question would come back at every start.
void loadText(TextBox& box, StartKey key, const PromptText* prompt, settings::SettingsStore& store,
              DesktopServices& services) {
  const settings::SettingKey& k = settings::startKey(key);
  box.setText(settings::readText(store, k));
  if (!prompt || !box.text().empty() || !store.readProblem(settings::kApp).empty()) return;
  box.setText(services.inputBox(prompt->message, prompt->title, prompt->defaultAnswer));
  settings::save(store, k, box.text());
}

}  // namespace

void loadSettings(FrmMain& frm, settings::SettingsStore& store, DesktopServices& services) {
  // Each entry's job number goes on the slider just before its box is set,
  // so a box that becomes checked stores and shows its own number.
  for (int d = 1; d <= settings::kDaysInMonth; ++d) {
    frm.SliderBackupNumber.setValue(settings::readJobNumber(store, settings::dayBackup(d)));
    frm.chkDay(d).setValue(settings::readCheckState(store, settings::dayOnOff(d)));
  }
  for (int w = 0; w < settings::kWeekdays; ++w) {
    frm.SliderBackupNumber.setValue(settings::readJobNumber(store, settings::weekdayBackup(w)));
    frm.scheduleBox(weekdayEntry(w)).setValue(settings::readCheckState(store, settings::weekdayOnOff(w)));
  }
  frm.chkOnceOnly.setValue(settings::readCheckState(store, settings::startKey(StartKey::OnceOnly)));
  loadText(frm.txtStartDelay, StartKey::StartDelay, &kStartDelayPrompt, store, services);
  loadText(frm.txtStartKey, StartKey::Letter, &kStartLetterPrompt, store, services);
  loadText(frm.txtTitle, StartKey::Title, &kTitlePrompt, store, services);
  frm.chkDefault.setValue(settings::readCheckState(store, settings::startKey(StartKey::Default)));
  frm.SetJobControlsVisible(frm.chkDefault.value() == 0);
  frm.SliderBackupNumber.setValue(settings::readJobNumber(store, settings::startKey(StartKey::BackupNumber)));
  // The box mirrors the slider, also when the stored text was not a number.
  frm.txtBackupNumber.setText(std::to_string(frm.SliderBackupNumber.value()));
  loadText(frm.txtBackupKey, StartKey::BackupJobLetter, &kJobLetterPrompt, store, services);
  frm.confirmKeys = settings::readText(store, settings::startKey(StartKey::ConfirmKey));
  frm.titleMatch = settings::readText(store, settings::startKey(StartKey::TitleMatch));
}
