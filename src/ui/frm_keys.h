#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/key_stroke.h"
#include "ui/controls.h"
#include "ui/frm_keys_design.h"

class DesktopServices;
class FrmMain;

// The keys dialog as a model: the key strings of the run and the way the
// window is found, each stored at once through the main window's model,
// whose job and start key boxes it keeps in step with its own fields.
class FrmKeys {
 public:
  FrmKeys(FrmMain& main, DesktopServices& services);
  FrmKeys(const FrmKeys&) = delete;
  FrmKeys& operator=(const FrmKeys&) = delete;

  // --- controls ---
  Label lblJobKeys{keysDesignOf("lblJobKeys")};
  TextBox txtJobKeys{keysDesignOf("txtJobKeys")};
  CommandButton cmdRecordJobKeys{keysDesignOf("cmdRecordJobKeys")};
  Label lblJobKeysExample{keysDesignOf("lblJobKeysExample")};
  Label lblConfirmKeys{keysDesignOf("lblConfirmKeys")};
  TextBox txtConfirmKeys{keysDesignOf("txtConfirmKeys")};
  CommandButton cmdRecordConfirmKeys{keysDesignOf("cmdRecordConfirmKeys")};
  Label lblConfirmKeysExample{keysDesignOf("lblConfirmKeysExample")};
  Label lblStartKeys{keysDesignOf("lblStartKeys")};
  TextBox txtStartKeys{keysDesignOf("txtStartKeys")};
  CommandButton cmdRecordStartKeys{keysDesignOf("cmdRecordStartKeys")};
  Label lblStartKeysExample{keysDesignOf("lblStartKeysExample")};
  Label lblFindBy{keysDesignOf("lblFindBy")};
  ComboBox cboFindBy{keysDesignOf("cboFindBy")};
  Label lblKeysCheck{keysDesignOf("lblKeysCheck")};
  CommandButton cmdClose{keysDesignOf("cmdClose")};

  // Every control of the design, in its order; the named one or nullptr.
  const std::vector<Control*>& controls() const { return controls_; }
  Control* control(const std::string& name) const;

  // Shown from the menu with the settings as they are now; closed by its
  // button or the close box. Nothing is undone on closing.
  bool visible() const { return visible_; }
  void show();
  void close();
  std::function<void(bool visible)> viewVisibility;
  // Asks the view to move the focus to the control.
  std::function<void(const Control&)> viewFocus;

  // The view tells where the focus went: the check line speaks of the key
  // field last edited, and leaving the field that records ends recording.
  void focusChanged(const Control* now);
  const Control* focused() const { return focused_; }

  // The field that adds the next key pressed in it, or nullptr.
  const TextBox* recording() const { return recording_; }
  // A key pressed in a field (modifier keys alone are no key). While the
  // field records, the key is added in the notation, recording ends and
  // true says that the view must not let the field have the key. Escape is
  // recorded like any other key.
  bool keyPressed(const Control& field, const KeyStroke& key);

  // F1: the topic of the control with the focus, the dialog's own otherwise.
  void helpRequested();

  // The check line's text for a key field holding the text.
  static std::string checkText(const TextBox& field, const std::string& text);

  // --- handlers ---
  void txtJobKeys_Change();
  void txtConfirmKeys_Change();
  void txtStartKeys_Change();
  void cboFindBy_Change();
  void cmdRecord_Click(TextBox& field, CommandButton& button);
  void cmdClose_Click();

 private:
  void load();
  void showCheck(const TextBox& field);
  void stopRecording();

  FrmMain& main_;
  DesktopServices& services_;
  std::vector<Control*> controls_;
  const Control* focused_ = nullptr;
  const TextBox* checked_ = &txtJobKeys;
  TextBox* recording_ = nullptr;
  CommandButton* recordButton_ = nullptr;
  bool loading_ = false;
  bool visible_ = false;
};
