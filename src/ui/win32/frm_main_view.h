#pragma once

#include "form_window.h"

#include <memory>
#include <vector>

class Control;
class FrmKeysView;
class FrmMain;

// Draws the window model with the system's own controls, made from the
// design table, and keeps the two in step: the model's changes are shown
// at once, the user's go to the model, which runs the handlers.
class FrmMainView {
 public:
  explicit FrmMainView(FrmMain& model);
  ~FrmMainView();
  FrmMainView(const FrmMainView&) = delete;
  FrmMainView& operator=(const FrmMainView&) = delete;

  HWND handle() const { return form_->handle(); }
  // The native control of the named control, or nullptr.
  HWND control(const std::string& name) const;
  // The keys dialog, owned by this window.
  FrmKeysView& keysView() const { return *keys_; }

 private:
  void show(size_t index);
  void userChanged(size_t index, bool atRest);
  void noteFocus();

  FrmMain& model_;
  std::vector<Control*> rows_;  // the controls drawn, in the form's order
  std::vector<Control*> menu_;
  std::unique_ptr<FormWindow> form_;
  std::unique_ptr<FrmKeysView> keys_;
  size_t problemLine_ = size_t(-1);
};
