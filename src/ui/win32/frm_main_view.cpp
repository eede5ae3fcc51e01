#include "frm_main_view.h"

#include "frm_keys_view.h"
#include "ui/frm_main.h"
#include "win32_text.h"

namespace {

// Whether the control still holds what its native control was made with.
bool asDesigned(const Control& c) {
  const ControlDesign& d = c.design();
  if (c.caption() != d.caption || c.tooltip() != d.tooltip || c.visible() != d.visible) return false;
  if (d.kind == ControlKind::CheckBox) return static_cast<const CheckBox&>(c).value() == 0;
  if (d.kind == ControlKind::Slider) return static_cast<const Slider&>(c).value() == d.sliderMin;
  return true;
}

}  // namespace

FrmMainView::FrmMainView(FrmMain& model) : model_(model) {
  std::vector<const ControlDesign*> designs;
  std::vector<std::wstring> menuCaptions;
  for (Control* c : model_.controls()) {
    if (c->design().kind == ControlKind::MenuItem) {
      menu_.push_back(c);
      menuCaptions.push_back(toWide(c->caption()));
    } else {
      rows_.push_back(c);
      designs.push_back(&c->design());
    }
  }
  problemLine_ = rows_.size();
  rows_.push_back(&model_.lblProblem);
  designs.push_back(&model_.lblProblem.design());

  FormEvents events;
  events.changed = [this](size_t i) { userChanged(i, true); };
  events.moving = [this](size_t i) { userChanged(i, false); };
  events.help = [this](size_t) {
    noteFocus();
    model_.mPopHelp_Click();
  };
  events.menu = [this](size_t item) {
    noteFocus();
    static_cast<MenuItem*>(menu_.at(item))->click();
  };
  // The waits see this and end the program; nothing else is undone.
  events.closeRequested = [this] { model_.close(); };
  form_ = std::make_unique<FormWindow>(frmMainWindow(), designs, menuCaptions, events);
  // The window is of fixed size: it grows so that the problem line goes
  // below the controls, whole, rather than over them or cut.
  form_->growWithText(problemLine_);
  keys_ = std::make_unique<FrmKeysView>(model_.frmKeys(), form_->handle());

  for (size_t i = 0; i < rows_.size(); ++i) {
    rows_[i]->viewUpdate = [this, i](const Control&) { show(i); };
    // The native controls were made from the design: only what has changed
    // since is shown (each look at a native control is a message).
    if (!asDesigned(*rows_[i])) show(i);
  }
  model_.viewVisibility = [this](bool visible) {
    ShowWindow(form_->handle(), visible ? SW_SHOW : SW_HIDE);
    if (visible) UpdateWindow(form_->handle());
  };
  if (model_.visible()) model_.viewVisibility(true);
}

FrmMainView::~FrmMainView() {
  model_.viewVisibility = nullptr;
  model_.focused = nullptr;
  for (Control* c : rows_) c->viewUpdate = nullptr;
}

HWND FrmMainView::control(const std::string& name) const {
  for (size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i]->name() == name) return form_->control(i);
  return nullptr;
}

// Shows the control's values; the native control's own notices stay quiet,
// since the model has run whatever the change sets off.
void FrmMainView::show(size_t i) {
  const Control& c = *rows_[i];
  switch (c.design().kind) {
    case ControlKind::Label:
    case ControlKind::TextBox:
    case ControlKind::CommandButton: form_->setText(i, toWide(c.caption())); break;
    case ControlKind::CheckBox:
      form_->setText(i, toWide(c.caption()));
      form_->setChecked(i, static_cast<const CheckBox&>(c).value() == 1);
      break;
    case ControlKind::Slider: form_->setSliderValue(i, static_cast<const Slider&>(c).value()); break;
    case ControlKind::Image:
    case ControlKind::ComboBox:
    case ControlKind::MenuItem: break;
  }
  form_->setTooltip(i, toWide(c.tooltip()));
  form_->setVisible(i, c.visible());
}

void FrmMainView::userChanged(size_t i, bool atRest) {
  Control* c = rows_[i];
  switch (c->design().kind) {
    case ControlKind::TextBox: static_cast<TextBox*>(c)->setText(toUtf8(form_->text(i))); break;
    case ControlKind::CheckBox: static_cast<CheckBox*>(c)->setValue(form_->checked(i) ? 1 : 0); break;
    case ControlKind::CommandButton: static_cast<CommandButton*>(c)->click(); break;
    case ControlKind::Slider:
      if (atRest) static_cast<Slider*>(c)->userMoved(form_->sliderValue(i));
      else static_cast<Slider*>(c)->setValue(form_->sliderValue(i));
      break;
    default: break;
  }
}

// F1 and the Help menu open the topic of the control with the focus.
void FrmMainView::noteFocus() {
  const size_t i = form_->indexOf(GetFocus());
  model_.focused = i == size_t(-1) ? nullptr : rows_[i];
}
