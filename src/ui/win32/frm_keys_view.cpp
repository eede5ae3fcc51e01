#include "frm_keys_view.h"

#include <commctrl.h>

#include "ui/frm_keys.h"
#include "win32_key_stroke.h"
#include "win32_text.h"
#include "window_placement.h"

namespace {

constexpr UINT_PTR kFieldSubclass = 1;

bool held(int vk) { return GetKeyState(vk) & 0x8000; }

}  // namespace

FrmKeysView::FrmKeysView(FrmKeys& model, HWND owner) : model_(model) {
  std::vector<const ControlDesign*> designs;
  for (Control* c : model_.controls()) {
    rows_.push_back(c);
    designs.push_back(&c->design());
  }
  FormEvents events;
  events.changed = [this](size_t i) { userChanged(i); };
  events.focused = [this](size_t i) { model_.focusChanged(rows_[i]); };
  events.help = [this](size_t i) {
    if (i != size_t(-1)) model_.focusChanged(rows_[i]);
    model_.helpRequested();
  };
  events.closeRequested = [this] { model_.close(); };
  events.cancel = [this] { model_.close(); };
  form_ = std::make_unique<FormWindow>(frmKeysWindow(), designs, std::vector<std::wstring>(), events, owner);
  for (size_t i = 0; i < rows_.size(); ++i) {
    rows_[i]->viewUpdate = [this, i](const Control&) { show(i); };
    show(i);
    if (rows_[i]->design().kind == ControlKind::TextBox)
      SetWindowSubclass(form_->control(i), fieldProcedure, kFieldSubclass, reinterpret_cast<DWORD_PTR>(this));
  }
  model_.viewVisibility = [this](bool visible) {
    if (visible && !IsWindowVisible(form_->handle())) centreOverOwner(form_->handle());
    ShowWindow(form_->handle(), visible ? SW_SHOW : SW_HIDE);
    if (visible) SetForegroundWindow(form_->handle());
  };
  model_.viewFocus = [this](const Control& c) { SetFocus(control(c.name())); };
  if (model_.visible()) model_.viewVisibility(true);
}

FrmKeysView::~FrmKeysView() {
  model_.viewVisibility = nullptr;
  model_.viewFocus = nullptr;
  for (Control* c : rows_) c->viewUpdate = nullptr;
  for (size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i]->design().kind == ControlKind::TextBox)
      RemoveWindowSubclass(form_->control(i), fieldProcedure, kFieldSubclass);
}

HWND FrmKeysView::control(const std::string& name) const {
  for (size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i]->name() == name) return form_->control(i);
  return nullptr;
}

const Control* FrmKeysView::controlOf(HWND window) const {
  const size_t i = form_->indexOf(window);
  return i == size_t(-1) ? nullptr : rows_[i];
}

void FrmKeysView::show(size_t i) {
  const Control& c = *rows_[i];
  if (c.design().kind == ControlKind::ComboBox)
    form_->setListIndex(i, static_cast<const ComboBox&>(c).index());
  else
    form_->setText(i, toWide(c.caption()));
  form_->setTooltip(i, toWide(c.tooltip()));
  form_->setVisible(i, c.visible());
}

void FrmKeysView::userChanged(size_t i) {
  Control* c = rows_[i];
  switch (c->design().kind) {
    case ControlKind::TextBox:
      static_cast<TextBox*>(c)->setText(toUtf8(form_->text(i)));
      break;
    case ControlKind::CommandButton:
      static_cast<CommandButton*>(c)->click();
      break;
    case ControlKind::ComboBox:
      static_cast<ComboBox*>(c)->setIndex(form_->listIndex(i));
      break;
    default:
      break;
  }
}

LRESULT CALLBACK FrmKeysView::fieldProcedure(HWND field, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR self) {
  auto* view = reinterpret_cast<FrmKeysView*>(self);
  return view->fieldMessage(view->form_->indexOf(field), field, message, w, l);
}

LRESULT FrmKeysView::fieldMessage(size_t index, HWND field, UINT message, WPARAM w, LPARAM l) {
  const Control* self = index == size_t(-1) ? nullptr : rows_[index];
  const bool recording = self && model_.recording() == self;
  switch (message) {
    case WM_GETDLGCODE:
      // Tab, Esc and Enter go to the field, not to the dialog keys.
      if (recording) return DLGC_WANTALLKEYS | DefSubclassProc(field, message, w, l);
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      if (!recording) break;
      KeyStroke stroke;
      if (keyStrokeOfVirtualKey(UINT(w), held(VK_MENU), held(VK_CONTROL), held(VK_SHIFT), stroke)) {
        // Those with a character of their own bring a WM_CHAR after them.
        const KeyStroke::Key k = stroke.key;
        eatChar_ = model_.keyPressed(*self, stroke) &&
                   (k == KeyStroke::Key::Character || k == KeyStroke::Key::Tab || k == KeyStroke::Key::Escape ||
                    k == KeyStroke::Key::Enter || k == KeyStroke::Key::Space);
      }
      return 0;  // a modifier alone, or a character that WM_CHAR brings
    }
    case WM_CHAR:
    case WM_SYSCHAR:
      if (eatChar_) {
        eatChar_ = false;
        return 0;
      }
      if (recording && message == WM_CHAR && w >= 0x20 && w != 0x7F) {
        KeyStroke stroke;
        stroke.character = char32_t(w);
        model_.keyPressed(*self, stroke);
        return 0;
      }
      break;
    case WM_SYSKEYUP:
      if (recording) return 0;
      break;
    case WM_KILLFOCUS:
      model_.focusChanged(controlOf(HWND(w)));
      break;
  }
  return DefSubclassProc(field, message, w, l);
}
