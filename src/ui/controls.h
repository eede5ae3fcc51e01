#pragma once

#include "ui/frm_main_design.h"

#include <functional>
#include <string>
#include <vector>

// The window's controls as plain values: each holds what a view shows and
// runs its change handling exactly when a new value differs from the old.
// A view draws them and reports the user's changes back through the same
// setters; it learns of every change through viewUpdate.
class Control {
 public:
  explicit Control(const ControlDesign& design)
      : design_(design), caption_(design.caption), tooltip_(design.tooltip), visible_(design.visible) {}
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  const ControlDesign& design() const { return design_; }
  const std::string& name() const { return design_.name; }

  // Caption of a label, check box, button or menu item; text of a text box.
  const std::string& caption() const { return caption_; }
  const std::string& tooltip() const { return tooltip_; }
  void setTooltip(const std::string& text) { if (text != tooltip_) { tooltip_ = text; changed(); } }
  bool visible() const { return visible_; }
  void setVisible(bool visible) { if (visible != visible_) { visible_ = visible; changed(); } }

  // Set by the view that draws the control.
  std::function<void(const Control&)> viewUpdate;

 protected:
  void setCaptionQuietly(const std::string& text) { caption_ = text; }
  void changed() { if (viewUpdate) viewUpdate(*this); }

 private:
  const ControlDesign& design_;
  std::string caption_;
  std::string tooltip_;
  bool visible_;
};

// A label or the image: a caption that the program rewrites.
class Label : public Control {
 public:
  using Control::Control;
  void setCaption(const std::string& text) { if (text != caption()) { setCaptionQuietly(text); changed(); } }
};
using Image = Label;

// A handler that runs when the user (or the program) changes a control.
using Handler = std::function<void()>;

class TextBox : public Control {
 public:
  using Control::Control;
  const std::string& text() const { return caption(); }
  // Runs the change handler when the text differs.
  void setText(const std::string& text) {
    if (text == caption()) return;
    setCaptionQuietly(text);
    changed();
    if (onChange) onChange();
  }
  Handler onChange;
};

class CheckBox : public Control {
 public:
  using Control::Control;
  int value() const { return value_; }  // 0 unchecked, 1 checked
  // Runs the click handler when the state differs.
  void setValue(int state) {
    if (state == value_) return;
    value_ = state;
    changed();
    if (onClick) onClick();
  }
  void click() { setValue(value_ == 1 ? 0 : 1); }
  Handler onClick;

 private:
  int value_ = 0;
};

class CommandButton : public Control {
 public:
  using Control::Control;
  void setCaption(const std::string& text) { if (text != caption()) { setCaptionQuietly(text); changed(); } }
  void click() { if (onClick) onClick(); }
  Handler onClick;
};

class MenuItem : public Control {
 public:
  using Control::Control;
  void click() { if (onClick) onClick(); }
  Handler onClick;
};

// The job-number slider. The program's moves run no handler; the user's
// moves run it once the slider comes to rest.
class Slider : public Control {
 public:
  using Control::Control;
  int value() const { return value_; }
  int min() const { return design().sliderMin; }
  int max() const { return design().sliderMax; }
  // Out-of-range values are clamped, as the track bar does.
  void setValue(int value) {
    value = value < min() ? min() : value > max() ? max() : value;
    if (value == value_) return;
    value_ = value;
    changed();
  }
  // A move by the user that has come to rest.
  void userMoved(int value) {
    setValue(value);
    if (onChange) onChange();
  }
  Handler onChange;

 private:
  int value_ = 1;
};

// A drop-down list of the design's items; -1 while none is chosen.
class ComboBox : public Control {
 public:
  using Control::Control;
  const std::vector<std::string>& items() const { return design().items; }
  int index() const { return index_; }
  // Runs the change handler when the choice differs; an index outside the
  // items chooses none.
  void setIndex(int index) {
    if (index < 0 || index >= int(items().size())) index = -1;
    if (index == index_) return;
    index_ = index;
    changed();
    if (onChange) onChange();
  }
  Handler onChange;

 private:
  int index_ = -1;
};
