#pragma once

#include <memory>
#include <vector>

#include "form_window.h"

class Control;
class FrmKeys;

// The keys dialog with the system's own controls, made from its design
// table, owned by the main window and not modal: the count-down goes on.
// The key fields are subclassed: while one records, it takes every key
// (Tab and Esc too) and gives it to the model.
class FrmKeysView {
 public:
  FrmKeysView(FrmKeys& model, HWND owner);
  ~FrmKeysView();
  FrmKeysView(const FrmKeysView&) = delete;
  FrmKeysView& operator=(const FrmKeysView&) = delete;

  HWND handle() const { return form_->handle(); }
  HWND control(const std::string& name) const;
  double pixelsPerTwip() const { return form_->pixelsPerTwip(); }

 private:
  static LRESULT CALLBACK fieldProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  LRESULT fieldMessage(size_t index, HWND field, UINT message, WPARAM w, LPARAM l);
  void show(size_t index);
  void userChanged(size_t index);
  const Control* controlOf(HWND window) const;

  FrmKeys& model_;
  std::vector<Control*> rows_;
  std::unique_ptr<FormWindow> form_;
  bool eatChar_ = false;  // the WM_CHAR of a key already recorded
};
