#include "ui/frm_keys.h"

#include "platform/desktop_services.h"
#include "platform/key_string.h"
#include "platform/window_choice.h"
#include "ui/frm_main.h"

FrmKeys::FrmKeys(FrmMain& main, DesktopServices& services) : main_(main), services_(services) {
  controls_ = {&lblJobKeys,     &txtJobKeys,     &cmdRecordJobKeys,     &lblJobKeysExample,
               &lblConfirmKeys, &txtConfirmKeys, &cmdRecordConfirmKeys, &lblConfirmKeysExample,
               &lblStartKeys,   &txtStartKeys,   &cmdRecordStartKeys,   &lblStartKeysExample,
               &lblFindBy,      &cboFindBy,      &lblKeysCheck,         &cmdClose};
  txtJobKeys.onChange = [this] { txtJobKeys_Change(); };
  txtConfirmKeys.onChange = [this] { txtConfirmKeys_Change(); };
  txtStartKeys.onChange = [this] { txtStartKeys_Change(); };
  cboFindBy.onChange = [this] { cboFindBy_Change(); };
  cmdRecordJobKeys.onClick = [this] { cmdRecord_Click(txtJobKeys, cmdRecordJobKeys); };
  cmdRecordConfirmKeys.onClick = [this] { cmdRecord_Click(txtConfirmKeys, cmdRecordConfirmKeys); };
  cmdRecordStartKeys.onClick = [this] { cmdRecord_Click(txtStartKeys, cmdRecordStartKeys); };
  cmdClose.onClick = [this] { cmdClose_Click(); };
  load();
}

Control* FrmKeys::control(const std::string& name) const {
  for (Control* c : controls_)
    if (c->name() == name) return c;
  return nullptr;
}

// The settings as the main window holds them; loading stores nothing.
void FrmKeys::load() {
  loading_ = true;
  txtJobKeys.setText(main_.txtBackupKey.text());
  txtConfirmKeys.setText(main_.confirmKeys);
  txtStartKeys.setText(main_.txtStartKey.text());
  TitleMatch match;
  const bool known = titleMatchFromSetting(main_.titleMatch, match);
  cboFindBy.setIndex(known ? int(match) : -1);
  loading_ = false;
  showCheck(*checked_);
  if (!known)
    lblKeysCheck.setCaption("The window cannot be found by \"" + main_.titleMatch +
                            "\", which is none of start, end, contains or class: choose under Find the window by.");
}

void FrmKeys::show() {
  load();
  if (visible_) return;
  visible_ = true;
  if (viewVisibility) viewVisibility(true);
}

void FrmKeys::close() {
  stopRecording();
  if (!visible_) return;
  visible_ = false;
  if (viewVisibility) viewVisibility(false);
}

std::string FrmKeys::checkText(const TextBox& field, const std::string& text) {
  const std::string name = field.name() == "txtJobKeys"       ? "The job list keys"
                           : field.name() == "txtConfirmKeys" ? "The keys that confirm the job"
                                                              : "The start keys";
  const bool confirm = field.name() == "txtConfirmKeys";
  if (text.empty())
    return confirm ? "No keys confirm the job: none are sent after it is chosen."
                   : name + " are not set: the run needs them.";
  // As the run reads them: a plain letter still means Alt with it.
  const std::string keys = confirm ? text : shortcutKeys(text);
  const SplitKeys split = splitAtPauses(keys);
  if (!split.status.ok()) return name + " cannot be sent: " + split.status.description + ".";
  return name + " can be sent as \"" + keys + "\".";
}

void FrmKeys::showCheck(const TextBox& field) {
  checked_ = &field;
  if (recording_ == &field) {
    lblKeysCheck.setCaption(
        "Press the key to add to the field, with Ctrl, Alt or Shift held as needed; Esc adds {ESC}.");
    return;
  }
  lblKeysCheck.setCaption(checkText(field, field.text()));
}

void FrmKeys::txtJobKeys_Change() {
  if (loading_) return;
  main_.txtBackupKey.setText(txtJobKeys.text());  // its handler stores it
  showCheck(txtJobKeys);
}

void FrmKeys::txtConfirmKeys_Change() {
  if (loading_) return;
  main_.setConfirmKeys(txtConfirmKeys.text());
  showCheck(txtConfirmKeys);
}

void FrmKeys::txtStartKeys_Change() {
  if (loading_) return;
  main_.txtStartKey.setText(txtStartKeys.text());
  showCheck(txtStartKeys);
}

void FrmKeys::cboFindBy_Change() {
  if (loading_ || cboFindBy.index() < 0) return;
  main_.setTitleMatch(titleMatchSetting(TitleMatch(cboFindBy.index())));
  showCheck(*checked_);  // a word that was unknown is no longer said
}

void FrmKeys::cmdRecord_Click(TextBox& field, CommandButton& button) {
  if (recording_ == &field) {
    stopRecording();
    showCheck(field);
    return;
  }
  stopRecording();
  recording_ = &field;
  recordButton_ = &button;
  button.setCaption("Cancel");
  showCheck(field);
  if (viewFocus) viewFocus(field);
}

void FrmKeys::stopRecording() {
  if (recordButton_) recordButton_->setCaption(recordButton_->design().caption);
  const TextBox* was = recording_;
  recording_ = nullptr;
  recordButton_ = nullptr;
  if (was) showCheck(*was);
}

void FrmKeys::focusChanged(const Control* now) {
  focused_ = now;
  if (recording_ && now != recording_ && now != recordButton_) stopRecording();
  for (const TextBox* field : {&txtJobKeys, &txtConfirmKeys, &txtStartKeys})
    if (now == field && checked_ != field) showCheck(*field);
}

bool FrmKeys::keyPressed(const Control& field, const KeyStroke& key) {
  if (!recording_ || &field != recording_) return false;
  const std::string notation = keyNotation(key);
  if (notation.empty()) return false;
  TextBox& box = *recording_;
  stopRecording();
  // A job or start key without notation means Alt with its letter: it is
  // written out first, so that the key added does not change its meaning.
  const bool shortcut = &box != &txtConfirmKeys;
  const std::string before = shortcut ? shortcutKeys(box.text()) : box.text();
  std::string keys = before + notation;
  if (shortcut && shortcutKeys(keys) != keys) keys = before + "{" + notation + "}";  // a lone plain character
  box.setText(keys);
  showCheck(box);
  return true;
}

void FrmKeys::helpRequested() {
  services_.showHelp(main_.helpFile(), focused_ ? focused_->design().helpTopic : kKeysTopic);
}

void FrmKeys::cmdClose_Click() { close(); }
